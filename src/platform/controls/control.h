#pragma once

#include "access_key.h"
#include "canvas.h"
#include "key.h"

#include <optional>
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
    Edit,
};

// A place in the parent's client area, in pixels of a layout made at 96 dots per inch.
struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
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

// A control of a window as the program sees it: its state, its place and look as the layout
// gives them, and its rules, with no toolkit. Each control registers with its form under its
// name when it is made, so that the layout and the backends can find it.
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
    // The caption as the user sees it: a label or a list shows an "&" as it is; every other
    // control's caption marks its access key with one.
    AccessKeyCaption shownCaption() const;

    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    // Nothing on a disabled control or parent takes input, and nothing on a form that a modal
    // box covers.
    bool takesInput() const;

    bool visible() const { return visible_; }
    void setVisible(bool visible);
    // Seen on the screen: visible itself and on visible parents.
    bool shown() const;

    // Where the layout puts it, and how it looks; set once before the window is shown.
    Rect place() const { return place_; }
    void setPlace(Rect place) { place_ = place; }
    // Position among its parent's children in the keyboard's tab order; -1: never by Tab.
    int tabIndex() const { return tabIndex_; }
    void setTabIndex(int index) { tabIndex_ = index; }
    // The text's height in pixels, and its colour when not the system's (children take it).
    int fontHeight() const { return fontHeight_; }
    void setFontHeight(int pixels) { fontHeight_ = pixels; }
    std::optional<sound::Color> fontColor() const { return fontColor_; }
    void setFontColor(std::optional<sound::Color> color) { fontColor_ = color; }

    // What a screen reader calls the control: the caption of the label that names it on the
    // screen, else a name of its own, else its caption.
    std::string accessibleName() const;
    void setAccessibleName(std::string name) { accessibleName_ = std::move(name); }
    const Control* labelledBy() const { return labelledBy_; }
    void setLabelledBy(const Control* label) { labelledBy_ = label; }

    // Gives the control the keyboard focus.
    void setFocus();
    // The user moved the focus here (a click): the backend's control has it already.
    void focusedByUser();
    // Whether the control itself is a stop of the Tab key: in the tab order, enabled and
    // visible. A box over the window or a frame around the control leave it one.
    bool tabStop() const { return tabIndex_ >= 0 && enabled_ && visible_; }
    // Whether the control can have the focus at all, by a click or by Tab: buttons, check
    // boxes, radio buttons, track bars, fields and lists can; labels, groups, panels, the image
    // and the menus never can.
    bool takesFocus() const;
    // Whether Tab may stop here now: a tab stop, seen and taking input.
    bool takesFocusByTab() const;

    // A key pressed while the control has the focus and neither the form nor its menus took
    // it; true when the control took it, false when it belongs to the toolkit.
    virtual bool keyDown(const KeyStroke& stroke);

    void attach(ControlView* view);
    ControlView* view() const { return view_; }

protected:
    // Tells the backend that the control's state changed.
    void changed();
    // Runs after the control was enabled or disabled.
    virtual void enabledChanged() {}

private:
    Form& form_;
    ControlKind kind_;
    std::string name_;
    Control* parent_ = nullptr;
    std::string caption_;
    bool enabled_ = true;
    bool visible_ = true;
    Rect place_{};
    int tabIndex_ = -1;
    int fontHeight_ = 12;
    std::optional<sound::Color> fontColor_;
    std::string accessibleName_;
    const Control* labelledBy_ = nullptr;
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
