#pragma once

#include "box_layout.h"
#include "button.h"
#include "form.h"
#include "static_controls.h"

#include <string>

namespace platform {

class Backend;

// The modal box that reports an error to the user: the program's title as caption, an error
// icon, the text and one OK button, which Enter, Space, Esc and the close box press. While it
// is open the program's windows take no input.
class ErrorBox final : public Form {
public:
    ErrorBox(const std::string& caption, const std::string& text);

    Label message{*this, "message"};
    Button ok{*this, "ok"};

    // The icon and the text, the button in the middle below.
    BoxLayout layout();
};

// Shows `text` (UTF-8) as it is in an error box. Returns once the user has closed the box, or
// at once where the toolkit cannot wait for it (a web page); either way the windows take no
// input until it is closed.
void showErrorBox(Backend& backend, const std::string& caption, const std::string& text);

} // namespace platform
