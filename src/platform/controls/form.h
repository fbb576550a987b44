#pragma once

#include "control.h"
#include "key.h"
#include "modal_boxes.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class Button;
class MenuBar;

// What a backend attaches to a form to show it as a window.
class WindowView {
public:
    virtual ~WindowView() = default;
    // The form closed (a box was answered): the window goes away.
    virtual void formClosed() {}
    // The form is being destroyed: the window must not reach it any more.
    virtual void formGone() = 0;
};

// What a window does with files dragged onto it. A backend asks before the drop, with the
// number of files where their names are not known yet (a page learns them only at the drop)
// or with their names, and hands the dropped files on by the names the file layer reads them
// by; a drop refused is shown refused while it is dragged, and does nothing.
class DropTarget {
public:
    virtual ~DropTarget() = default;
    virtual bool canTakeDrop(std::size_t files) const = 0;
    virtual bool canTakeDrop(const std::vector<std::string>& paths) const = 0;
    virtual void dropFiles(const std::vector<std::string>& paths) = 0;
};

// A window as the program sees it, the main window or a box: its title and place, its
// controls under their names, the one that has the keyboard focus, and the rules of the keys
// that no single control owns: Tab going round the controls, Enter and Esc for the default
// and cancel buttons, and the menu bar's keys. A window class derives from it and holds its
// controls as members, which register here as they are made.
//
// A backend hands every key the user presses in the form's window to keyPress() and
// keyRelease(); what they do not take is the toolkit's (typing into a field, for instance).
class Form {
public:
    Form() = default;
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const std::string& title() const { return title_; }
    void setTitle(std::string title) { title_ = std::move(title); }
    // Where the window opens on the screen and the size of its client area (under a menu
    // bar); a box with no place of its own opens in the middle of the screen.
    Rect place() const { return place_; }
    void setPlace(Rect place) { place_ = place; }
    // The window's icon as the program draws it: `size` pixels square, row after row from the
    // top, each 0xRRGGBB; none when empty. A backend shows it where its toolkit shows one.
    int iconSize() const { return iconSize_; }
    const std::vector<std::uint32_t>& icon() const { return icon_; }
    void setIcon(int size, std::vector<std::uint32_t> pixels) {
        iconSize_ = size;
        icon_ = std::move(pixels);
    }

    // Every control in the order it was made.
    const std::vector<Control*>& controls() const { return controls_; }
    // The control of that name; nothing if there is none.
    Control* find(std::string_view name) const;
    // The controls that sit directly on `parent` (nothing: on the window), in the order made.
    std::vector<Control*> childrenOf(const Control* parent) const;
    // The same by tab index, those outside the tab order last; equal indexes keep the order
    // made.
    std::vector<Control*> childrenInTabOrder(const Control* parent) const;
    // The form's menu bar, if it has one.
    MenuBar* menuBar() const;

    Control* focused() const { return focused_; }
    // Gives the focused control the focus again, as the form's window comes back from under a
    // box.
    void showFocus();

    // The controls Tab visits, in its order: the window's own controls by tab index, each
    // followed by its children in theirs. Frames (panels, groups) are passed through to their
    // children; whether a control can take the focus now is left to focusNext().
    std::vector<Control*> tabOrder() const;
    // Moves the focus to the next control in the tab order that can take it, or the previous
    // one, going round from the last to the first; hidden and disabled controls are skipped.
    void focusNext(bool backwards);

    // Enter presses the default button unless the focus is on a button, which Enter presses
    // itself; Esc and the close box press the cancel button.
    void setDefaultButton(Button* button) { defaultButton_ = button; }
    void setCancelButton(Button* button) { cancelButton_ = button; }
    // The default button is drawn as such wherever the focus is.
    Button* defaultButton() const { return defaultButton_; }
    Button* cancelButton() const { return cancelButton_; }

    // A key went down or up while the form's window had the keyboard; true when the form took
    // it, so that the toolkit must not act on it too.
    bool keyPress(const KeyStroke& stroke);
    bool keyRelease(const KeyStroke& stroke);
    // The key keyPress() is handling now, nothing outside it: a backend shows a focus that a
    // key moved the way a keyboard user needs to see it, and one the program moved as it is.
    const KeyStroke* keyInHand() const { return keyInHand_; }

    // Runs when the user closes the window by its close box or system menu.
    std::function<void()> onClose;
    // Runs after the user changed a control that has no handler of its own to run (a check box,
    // a radio button), so that the window can follow every change the user makes.
    std::function<void()> onUserChange;
    void userChanged();
    void userClose();

    // A modal form covers every form opened before it: from openModal() to closeModal() only
    // it takes input (see ModalBoxes). A form that is not modal takes input while no modal one
    // is open.
    void openModal(ModalBoxes::Kind kind);
    void closeModal();
    bool isOpen() const { return open_; }
    bool takesInput() const;
    // The form the user's keys go to: the topmost modal form, else `window`; nothing while a
    // dialog of the toolkit's own (a file chooser) covers them.
    static Form* keyTarget(Form& window) { return ModalBoxes::program().inputTarget(window); }

    // Where files dropped on the window go; none takes no drops.
    DropTarget* dropTarget() const { return dropTarget_; }
    void setDropTarget(DropTarget* target) { dropTarget_ = target; }

    void attach(WindowView* view) { view_ = view; }

private:
    friend class Control;
    void add(Control& control);
    void focus(Control& control) { focused_ = &control; }

    std::string title_;
    Rect place_{};
    int iconSize_ = 0;
    std::vector<std::uint32_t> icon_;
    std::vector<Control*> controls_;
    Control* focused_ = nullptr;
    const KeyStroke* keyInHand_ = nullptr;
    Button* defaultButton_ = nullptr;
    Button* cancelButton_ = nullptr;
    bool open_ = false;
    DropTarget* dropTarget_ = nullptr;
    WindowView* view_ = nullptr;
};

} // namespace platform
