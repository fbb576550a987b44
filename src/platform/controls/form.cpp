#include "form.h"

#include "button.h"
#include "menu.h"

#include <algorithm>
#include <utility>

namespace platform {

namespace {

bool isFrame(const Control& control) {
    return control.kind() == ControlKind::Panel || control.kind() == ControlKind::GroupBox;
}

} // namespace

Form::~Form() {
    if (open_)
        closeModal();
    if (ModalBoxes& boxes = ModalBoxes::program(); boxes.window() == this)
        boxes.setWindow(nullptr);
    if (view_ != nullptr)
        view_->formGone();
}

Control* Form::find(std::string_view name) const {
    for (Control* control : controls_)
        if (control->name() == name)
            return control;
    return nullptr;
}

std::vector<Control*> Form::childrenOf(const Control* parent) const {
    std::vector<Control*> children;
    for (Control* control : controls_)
        if (control->parent() == parent)
            children.push_back(control);
    return children;
}

MenuBar* Form::menuBar() const {
    for (Control* control : controls_)
        if (control->kind() == ControlKind::MenuBar)
            return static_cast<MenuBar*>(control);
    return nullptr;
}

std::vector<Control*> Form::childrenInTabOrder(const Control* parent) const {
    std::vector<Control*> children = childrenOf(parent);
    // -1, outside the order, counts as the largest index.
    std::stable_sort(children.begin(), children.end(), [](const Control* a, const Control* b) {
        return unsigned(a->tabIndex()) < unsigned(b->tabIndex());
    });
    return children;
}

std::vector<Control*> Form::tabOrder() const {
    std::vector<Control*> order;
    auto visit = [this, &order](const Control* parent, auto& self) -> void {
        std::vector<Control*> children = childrenInTabOrder(parent);
        std::erase_if(children, [](const Control* c) { return c->tabIndex() < 0; });
        for (Control* child : children) {
            if (!isFrame(*child))
                order.push_back(child);
            self(child, self);
        }
    };
    visit(nullptr, visit);
    return order;
}

void Form::focusNext(bool backwards) {
    const std::vector<Control*> order = tabOrder();
    if (order.empty())
        return;
    const auto count = std::ptrdiff_t(order.size());
    const auto at = std::find(order.begin(), order.end(), focused_);
    // From nowhere, Tab starts at the first control and Shift+Tab at the last.
    std::ptrdiff_t from = at != order.end() ? at - order.begin() : (backwards ? count : -1);
    for (std::ptrdiff_t step = 1; step <= count; ++step) {
        const std::ptrdiff_t i = ((from + (backwards ? -step : step)) % count + count) % count;
        if (order[std::size_t(i)]->takesFocusByTab()) {
            order[std::size_t(i)]->setFocus();
            return;
        }
    }
}

bool Form::keyPress(const KeyStroke& stroke) {
    if (!takesInput())
        return false;
    // Nested when a handler the key runs hands the form another key.
    struct InHand {
        const KeyStroke*& held;
        const KeyStroke* before;
        ~InHand() { held = before; }
    } inHand{keyInHand_, std::exchange(keyInHand_, &stroke)};
    // An open menu, or the menu bar waiting for a letter, takes the keys first.
    if (MenuBar* bar = menuBar(); bar != nullptr && bar->keyPress(stroke))
        return true;
    if (stroke.key == Key::Tab && !stroke.alt && !stroke.control) {
        focusNext(stroke.shift);
        return true;
    }
    // A control that went out of sight or out of use keeps no keys.
    Control* focus = focused_;
    if (focus != nullptr && (!focus->shown() || !focus->takesInput()))
        focus = nullptr;
    const bool onButton = focus != nullptr && focus->kind() == ControlKind::Button;
    if (stroke.key == Key::Enter && stroke.plain() && !onButton && defaultButton_ != nullptr) {
        if (!stroke.repeat)
            defaultButton_->press();
        return true;
    }
    if (stroke.key == Key::Escape && stroke.plain() && cancelButton_ != nullptr) {
        if (!stroke.repeat)
            cancelButton_->press();
        return true;
    }
    return focus != nullptr && focus->keyDown(stroke);
}

bool Form::keyRelease(const KeyStroke& stroke) {
    if (!takesInput())
        return false;
    MenuBar* bar = menuBar();
    return bar != nullptr && bar->keyRelease(stroke);
}

void Form::userClose() {
    if (cancelButton_ != nullptr)
        cancelButton_->press();
    else if (onClose)
        onClose();
}

void Form::userChanged() {
    if (onUserChange)
        onUserChange();
}

void Form::openModal(ModalBoxes::Kind kind) {
    if (open_)
        return;
    open_ = true;
    ModalBoxes::program().push({kind, this});
}

void Form::closeModal() {
    if (!open_)
        return;
    open_ = false;
    // The box goes from the screen before the window under it takes the focus back.
    if (view_ != nullptr)
        view_->formClosed();
    ModalBoxes::program().remove(this);
}

bool Form::takesInput() const {
    return ModalBoxes::program().takesInput(*this);
}

void Form::showFocus() {
    if (focused_ != nullptr)
        focused_->setFocus();
}

void Form::add(Control& control) {
    controls_.push_back(&control);
}

} // namespace platform
