#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class Control;

// What a backend attaches to a form to show it as a window.
class WindowView {
public:
    virtual ~WindowView() = default;
    // The form is being destroyed: the window must not reach it any more.
    virtual void formGone() = 0;
};

// A window as the program sees it: its controls under their names, the one that has the
// keyboard focus, and what happens when the user closes it. A window class derives from it
// and holds its controls as members, which register here as they are made.
class Form {
public:
    Form() = default;
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // Every control in the order it was made.
    const std::vector<Control*>& controls() const { return controls_; }
    // The control of that name; nothing if there is none.
    Control* find(std::string_view name) const;

    Control* focused() const { return focused_; }

    // Runs when the user closes the window by its close box or system menu.
    std::function<void()> onClose;
    void userClose();

    void attach(WindowView* view) { view_ = view; }

private:
    friend class Control;
    void add(Control& control);
    void focus(Control& control) { focused_ = &control; }

    std::vector<Control*> controls_;
    Control* focused_ = nullptr;
    WindowView* view_ = nullptr;
};

} // namespace platform
