#pragma once

#include "input_box.h"

class QWidget;

namespace platform {

// The input box as a modal QDialog centred on the screen: the prompt above a single-line
// edit field, "OK" and "キャンセル". The box runs its own event loop, so timer ticks go on
// while it is open. The edit field is named "edit" and the buttons "ok" and "cancel".
class QtInputBox final : public InputBox {
public:
    explicit QtInputBox(QWidget* owner);

protected:
    std::optional<std::string> run(const std::string& caption, const std::string& prompt) override;

private:
    QWidget* owner_;
};

} // namespace platform
