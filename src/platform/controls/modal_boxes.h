#pragma once

#include <cstddef>
#include <functional>
#include <vector>

namespace platform {

class Form;

// What covers the program's windows: the modal boxes open, each over the one before. While one
// is open, its own event loop goes on delivering events, timer ticks included; only the topmost
// takes input, and the window takes none. One program has one registry, so that a box covers
// every window of the program and every edition counts the same boxes: the program's own forms
// (the input box, the error box) and what the toolkit shows in their place (a file chooser, a
// file being read, during which nothing else may open).
class ModalBoxes {
public:
    enum class Kind { InputBox, ErrorBox, FileChooser, Reading };

    struct Box {
        Kind kind;
        // The program's form that the box is, if it is one.
        Form* form;
        // A file chooser that the user has left without an answer the toolkit told.
        bool left = false;
    };

    static ModalBoxes& program();

    // The boxes open, the topmost last.
    const std::vector<Box>& open() const { return open_; }
    std::size_t depth() const { return open_.size(); }
    // The window under the boxes, whose focused control gets the focus back when the last box
    // closes; the backend names it when it shows it.
    void setWindow(Form* window) { window_ = window; }
    Form* window() const { return window_; }
    // The form the user's input goes to: the topmost box, else the window; nothing while a
    // box of the toolkit's covers them.
    Form* inputTarget(Form& window) const;
    bool takesInput(const Form& form) const;

    // The user's input reached the program's windows while a file chooser of the toolkit's was
    // on top. No input reaches them while the chooser is open, so it has closed, although the
    // toolkit did not say so (a browser that tells no cancel): it counts as cancelled. True
    // when it did end a chooser; input during a read ends nothing.
    bool userReturned();
    bool chooserLeft() const { return !open_.empty() && open_.back().left; }

    // Runs after every box that opens or closes: a backend shows whether the window is covered.
    std::function<void()> onChange;

    // Holds a box of the toolkit's open for as long as it lives.
    class Covered {
    public:
        explicit Covered(Kind kind);
        ~Covered();
        Covered(const Covered&) = delete;
        Covered& operator=(const Covered&) = delete;
    };

private:
    friend class Form;
    void push(Box box);
    // Closes `form`, or the topmost of the toolkit's boxes for nothing; when it was on top, the
    // form it uncovers shows its focus again.
    void remove(const Form* form);

    std::vector<Box> open_;
    Form* window_ = nullptr;
};

} // namespace platform
