#include "menu.h"

namespace platform {

void MenuItem::choose() {
    if (takesInput() && onClick)
        onClick();
}

} // namespace platform
