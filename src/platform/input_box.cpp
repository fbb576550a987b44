#include "input_box.h"

#include "modal_depth.h"

namespace platform {

std::optional<std::string> InputBox::ask(const std::string& caption, const std::string& prompt) {
    std::optional<std::string> text;
    {
        ModalDepth::Scope open;
        text = run(caption, prompt);
    }
    if (text)
        *text = firstCharacters(*text, kMaxLength);
    return text;
}

std::string firstCharacters(const std::string& text, int count) {
    std::size_t end = 0;
    for (int n = 0; n < count && end < text.size(); ++n) {
        ++end;
        // Continuation bytes belong to the character they follow.
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
            ++end;
    }
    return text.substr(0, end);
}

} // namespace platform
