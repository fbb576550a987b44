#include "headless_boxes.h"

#include <utility>

namespace platform {

void HeadlessInputBox::run(InputBox& box) {
    asked.push_back({box.title(), box.prompt.caption()});
    if (whileOpen)
        whileOpen();
    if (user) {
        // Taken out first: the user may open another box, which must not reuse it.
        const auto operate = std::exchange(user, nullptr);
        operate(box);
    } else if (!answers.empty()) {
        std::optional<std::string> answer = std::move(answers.front());
        answers.pop_front();
        if (answer) {
            box.field.edited(*answer);
            box.ok.press();
        }
    }
    // Whatever is left open, the user closes.
    if (box.isOpen())
        box.userClose();
}

void HeadlessErrorBox::run(ErrorBox& box) {
    shown.push_back(box.message.caption());
    if (whileOpen)
        whileOpen();
    if (!leavesOpen)
        box.ok.press();
}

bool HeadlessFileDialog::run(std::string& chosen) {
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

} // namespace platform
