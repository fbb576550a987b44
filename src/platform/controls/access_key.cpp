#include "access_key.h"

namespace platform {

AccessKeyCaption parseAccessKey(std::string_view caption) {
    AccessKeyCaption parsed;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) {
            ++i;
            // Only the first mark counts, and only a letter or a digit can be typed as a key.
            const char c = caption[i];
            const bool typable =
                (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
            if (c != '&' && parsed.key == 0 && typable) {
                parsed.underlined = parsed.text.size();
                parsed.key = c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
            }
        }
        parsed.text += caption[i];
    }
    return parsed;
}

} // namespace platform
