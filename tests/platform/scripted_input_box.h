#pragma once

#include "input_box.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// An input box that answers from a script: each ask() takes the next answer, nothing
// (Cancel) once the script has run out. It records what it was asked; `whileOpen` runs
// while the "box is open", before the answer is given.
class ScriptedInputBox final : public platform::InputBox {
public:
    struct Question {
        std::string caption;
        std::string prompt;
    };

    std::deque<std::optional<std::string>> answers;
    std::vector<Question> asked;
    std::function<void()> whileOpen;

    std::optional<std::string> ask(const std::string& caption, const std::string& prompt) override {
        asked.push_back({caption, prompt});
        if (whileOpen)
            whileOpen();
        if (answers.empty())
            return std::nullopt;
        std::optional<std::string> answer = answers.front();
        answers.pop_front();
        return answer;
    }
};
