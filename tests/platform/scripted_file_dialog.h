#pragma once

#include "file_dialog.h"

#include <QString>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

// A file dialog that answers from a script: each execute() takes the next answer, a name the
// "user" confirms or nothing for Cancel (also once the script has run out). It records the
// name the dialog offered each time it opened; `whileOpen` runs while it "is open".
class ScriptedFileDialog final : public platform::FileDialog {
public:
    std::deque<std::optional<QString>> answers;
    std::vector<QString> offered;
    std::function<void()> whileOpen;

    bool execute() override {
        offered.push_back(fileName());
        if (whileOpen)
            whileOpen();
        std::optional<QString> answer;
        if (!answers.empty()) {
            answer = answers.front();
            answers.pop_front();
        }
        if (!answer)
            return false;
        setFileName(*answer);
        return true;
    }
};
