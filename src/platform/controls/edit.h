#pragma once

#include "control.h"

#include <functional>
#include <string>

namespace platform {

// A one-line text field. Typing, the cursor and the clipboard are the toolkit's; the field
// keeps the text and its limit: at most maxLength() characters, counted as the user sees
// them, one per code point, whatever the toolkit counts in.
class Edit final : public Control {
public:
    Edit(Form& form, std::string_view name) : Control(form, ControlKind::Edit, name) {}

    const std::string& text() const { return text_; }
    // Sets the text, cut to the limit, and selects all of it, as a field shows the text it
    // was opened with.
    void setText(std::string text);

    // 0: no limit.
    int maxLength() const { return maxLength_; }
    void setMaxLength(int characters);

    // Whether the whole text is selected, so that typing replaces it.
    bool allSelected() const { return allSelected_; }

    // The user changed the text (UTF-8). What goes past the limit is cut off, and the
    // backend is told to show the text as kept.
    void edited(std::string text);

    // Runs after every change of the text.
    std::function<void()> onChange;

private:
    std::string clipped(std::string text) const;

    std::string text_;
    int maxLength_ = 0;
    bool allSelected_ = false;
};

// The first `count` characters of UTF-8 text; a character is a code point, and a broken
// sequence counts one character a byte.
std::string firstCharacters(const std::string& text, int count);

} // namespace platform
