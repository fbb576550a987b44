#include "button.h"

namespace platform {

void Button::press() {
    if (takesInput() && onClick)
        onClick();
}

} // namespace platform
