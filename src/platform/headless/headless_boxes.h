#pragma once

#include "error_box.h"
#include "file_dialog.h"
#include "input_box.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// Boxes with no one to look at them: each answers from a script of answers, or as a user
// who closes it at once when the script has run out, and records what it was shown.
// `whileOpen` runs while the box "is open", before it answers: events that come meanwhile
// (timer ticks) are delivered from there.

class HeadlessInputBox final : public InputBox {
public:
    struct Question {
        std::string caption;
        std::string prompt;
    };

    std::deque<std::optional<std::string>> answers; // nothing: Cancel
    std::vector<Question> asked;
    std::function<void()> whileOpen;

protected:
    std::optional<std::string> run(const std::string& caption, const std::string& prompt) override {
        asked.push_back({caption, prompt});
        if (whileOpen)
            whileOpen();
        if (answers.empty())
            return std::nullopt;
        std::optional<std::string> answer = std::move(answers.front());
        answers.pop_front();
        return answer;
    }
};

class HeadlessErrorBox final : public ErrorBox {
public:
    std::vector<std::string> shown;
    std::function<void()> whileOpen;

protected:
    void run(const std::string& text) override {
        shown.push_back(text);
        if (whileOpen)
            whileOpen();
    }
};

class HeadlessFileDialog final : public FileDialog {
public:
    std::deque<std::optional<std::string>> answers; // a name the user confirms, or Cancel
    std::vector<std::string> offered;               // the name offered each time it opened
    std::function<void()> whileOpen;

protected:
    bool run(std::string& chosen) override {
        offered.push_back(fileName());
        if (whileOpen)
            whileOpen();
        std::optional<std::string> answer;
        if (!answers.empty()) {
            answer = std::move(answers.front());
            answers.pop_front();
        }
        if (!answer)
            return false;
        chosen = *answer;
        return true;
    }
};

} // namespace platform
