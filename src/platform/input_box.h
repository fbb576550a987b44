#pragma once

#include <optional>
#include <string>

namespace platform {

// The modal box that asks for one line of text: a caption, a prompt, an empty edit field,
// "OK" and "キャンセル". Returns the text as typed (UTF-8) when the user confirmed with OK
// or Enter, and nothing when the box was closed any other way.
class InputBox {
public:
    virtual ~InputBox() = default;

    virtual std::optional<std::string> ask(const std::string& caption,
                                           const std::string& prompt) = 0;
};

} // namespace platform
