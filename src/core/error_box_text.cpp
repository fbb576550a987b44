#include "error_box_text.h"

#include "escape_unsafe_text.h"

namespace sound {

std::string errorBoxText(std::string_view message) {
    std::string text = escapeUnsafeText(message);
    if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.'))
        text += '.';
    return text;
}

} // namespace sound
