#pragma once

#include <optional>
#include <string>

namespace platform {

// The modal box that asks for one line of text: a caption, a prompt, an empty edit field
// that takes at most kMaxLength characters, "OK" (also Enter, unless the focus is on
// "キャンセル") and "キャンセル" (also Esc and the box's close button). It opens in the middle
// of the screen.
class InputBox {
public:
    static constexpr int kMaxLength = 255;

    virtual ~InputBox() = default;

    // The text as typed (UTF-8) when the user confirmed it, nothing when the box was closed
    // any other way. Never longer than kMaxLength characters.
    std::optional<std::string> ask(const std::string& caption, const std::string& prompt);

protected:
    // Shows the box and waits for the user; events go on being delivered meanwhile.
    virtual std::optional<std::string> run(const std::string& caption,
                                           const std::string& prompt) = 0;
};

// The first `count` characters of UTF-8 text; a character is a code point, and a broken
// sequence counts one character a byte.
std::string firstCharacters(const std::string& text, int count);

} // namespace platform
