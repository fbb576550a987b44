#pragma once

#include "form.h"
#include "layout.h"

#include <memory>
#include <vector>

namespace platform {

// A form shown as the page's window: a menu bar and a client area holding one element for
// every control of the layout, at its place in CSS pixels, with its caption, font size and
// colour, in its tab order. The elements show the controls' state; the user's input comes
// back through web_input.cpp to the control of that index.
class WebWindow final : public WindowView {
public:
    WebWindow(Form& form, const WindowLayout& layout);
    ~WebWindow() override;
    WebWindow(const WebWindow&) = delete;
    WebWindow& operator=(const WebWindow&) = delete;

    // Shows the window, which until then the page keeps out of sight.
    void show();

    // The control of that index in the form's list; nothing for another number or once the
    // form is gone.
    Control* control(int index) const;

    void formGone() override { form_ = nullptr; }

private:
    Form* form_;
    int clientWidth_;
    int clientHeight_;
    std::vector<std::unique_ptr<ControlView>> views_;
};

} // namespace platform
