#pragma once

#include <string>

namespace platform {

// The modal box that reports an error to the user: the program's title as caption, an
// error icon, the text and one OK button. While it is open the window takes no input.
class ErrorBox {
public:
    virtual ~ErrorBox() = default;

    // Shows `text` (UTF-8) as it is, and returns once the user has closed the box.
    void show(const std::string& text);

protected:
    virtual void run(const std::string& text) = 0;
};

} // namespace platform
