#pragma once

#include "input_box.h"

class QWidget;

namespace platform {

// The input box as a modal QDialog centred on the screen: the prompt above a single-line
// edit field that takes at most 255 characters, "OK" (also Enter) and "キャンセル" (also Esc
// and the close button). The box runs its own event loop, so timer ticks go on while it
// is open. The edit field is named "edit" and the buttons "ok" and "cancel".
class DialogInputBox final : public InputBox {
public:
    explicit DialogInputBox(QWidget* owner);

    std::optional<std::string> ask(const std::string& caption, const std::string& prompt) override;

private:
    QWidget* owner_;
};

} // namespace platform
