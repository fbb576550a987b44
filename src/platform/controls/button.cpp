#include "button.h"

namespace platform {

void Button::press() {
    if (takesInput() && onClick)
        onClick();
}

bool Button::keyDown(const KeyStroke& stroke) {
    if ((stroke.key != Key::Space && stroke.key != Key::Enter) || !stroke.plain())
        return false;
    if (!stroke.repeat)
        press();
    return true;
}

} // namespace platform
