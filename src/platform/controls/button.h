#pragma once

#include "control.h"

#include <functional>

namespace platform {

// A push button.
class Button final : public Control {
public:
    Button(Form& form, std::string_view name) : Control(form, ControlKind::Button, name) {}

    // Runs when the user presses the button.
    std::function<void()> onClick;

    // The user pressed it: a click, a touch, or a key while it has the focus.
    void press();

    // Space and Enter both press the focused button, as on the desktop the window was designed
    // for; a key held down presses once.
    bool keyDown(const KeyStroke& stroke) override;
};

} // namespace platform
