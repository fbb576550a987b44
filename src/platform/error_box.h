#pragma once

#include <string>

namespace platform {

// The modal box that reports an error to the user: the program's title as caption, an
// error icon, the text and one OK button. show() returns once the user has closed it.
class ErrorBox {
public:
    virtual ~ErrorBox() = default;

    // `text` is UTF-8 and shown as it is.
    virtual void show(const std::string& text) = 0;
};

} // namespace platform
