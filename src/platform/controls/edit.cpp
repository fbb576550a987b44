#include "edit.h"

#include <utility>

namespace platform {

void Edit::setText(std::string text) {
    text_ = clipped(std::move(text));
    allSelected_ = true;
    changed();
    if (onChange)
        onChange();
}

void Edit::setMaxLength(int characters) {
    maxLength_ = characters;
    text_ = clipped(std::move(text_));
    changed();
}

void Edit::edited(std::string text) {
    if (!takesInput()) {
        // The toolkit's field changed although the field takes no input: show the text kept.
        changed();
        return;
    }
    std::string kept = clipped(text);
    const bool cut = kept.size() != text.size();
    text_ = std::move(kept);
    allSelected_ = false;
    // Only a cut text needs showing again: the toolkit's field holds the typed text already,
    // and setting it anew would move the cursor.
    if (cut)
        changed();
    if (onChange)
        onChange();
}

std::string Edit::clipped(std::string text) const {
    if (maxLength_ <= 0)
        return text;
    return firstCharacters(text, maxLength_);
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
