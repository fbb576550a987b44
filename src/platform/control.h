#pragma once

#include <string>
#include <string_view>

namespace platform {

class Form;

// The kinds of control a window is made of; a backend makes one toolkit control for each.
enum class ControlKind {
    MenuBar,
    Menu,
    MenuItem,
    MenuSeparator,
    Button,
    CheckBox,
    RadioButton,
    TrackBar,
    Label,
    GroupBox,
    Panel,
    Image,
    ListBox,
};

// What a backend attaches to a control to show it. The control calls refresh() whenever its
// state changes, and the backend shows the new state; what the user does goes the other way,
// into the control's own input operations.
class ControlView {
public:
    virtual ~ControlView() = default;

    virtual void refresh() = 0;
    virtual void takeFocus() = 0;
    // The control is being destroyed: the view must not reach it any more.
    virtual void controlGone() = 0;
};

// A control of the window as the program sees it: its state and its rules, with no toolkit.
// Each control registers with its form under its name when it is made, so that the layout
// and the backends can find it.
class Control {
public:
    Control(Form& form, ControlKind kind, std::string_view name);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    Form& form() const { return form_; }
    ControlKind kind() const { return kind_; }
    const std::string& name() const { return name_; }

    // The control this one sits on; none for one directly on the window.
    Control* parent() const { return parent_; }
    void setParent(Control* parent) { parent_ = parent; }

    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption);

    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    // A disabled control takes no input, and neither does anything on a disabled parent.
    bool takesInput() const;

    bool visible() const { return visible_; }
    void setVisible(bool visible);

    // Gives the control the keyboard focus.
    void setFocus();
    bool hasFocus() const;
    // The user moved the focus here (Tab, a click): the backend's control has it already.
    void focusedByUser();

    void attach(ControlView* view);
    ControlView* view() const { return view_; }

protected:
    // Tells the backend that the control's state changed.
    void changed();

private:
    Form& form_;
    ControlKind kind_;
    std::string name_;
    Control* parent_ = nullptr;
    std::string caption_;
    bool enabled_ = true;
    bool visible_ = true;
    ControlView* view_ = nullptr;
};

// A view of one control of type C that keeps track of it: the control forgets the view
// when the view goes first, and the view forgets the control when the control goes first.
template <class C> class ViewOf : public ControlView {
public:
    explicit ViewOf(C& control) : control_(&control) {}
    ~ViewOf() override {
        if (control_ != nullptr)
            control_->attach(nullptr);
    }
    ViewOf(const ViewOf&) = delete;
    ViewOf& operator=(const ViewOf&) = delete;

    void controlGone() override { control_ = nullptr; }

protected:
    // The control, or nothing once it is gone.
    C* control() const { return control_; }
    // Starts showing the control: called once the toolkit's control is ready.
    void attachToControl() { control_->attach(this); }

private:
    C* control_;
};

} // namespace platform
