#include "qt_buttons.h"

#include "qt_keys.h"
#include "qt_view_state.h"

namespace platform {

QtButton::QtButton(Button& button, QWidget* parent) : QPushButton(parent), ViewOf(button) {
    connect(this, &QPushButton::clicked, this, [this] {
        if (control() != nullptr)
            control()->press();
    });
    attachToControl();
}

void QtButton::refresh() {
    setText(captionOf(*control()));
    showCommonState(*this, *control());
}

void QtButton::keyPressEvent(QKeyEvent* event) {
    if (!Button::pressedBy(toKey(*event))) {
        QPushButton::keyPressEvent(event);
        return;
    }
    // Shown pressed for a moment, then clicked, as a click with the mouse is; a key held
    // down presses once.
    if (!event->isAutoRepeat())
        animateClick();
    event->accept();
}

void QtButton::keyReleaseEvent(QKeyEvent* event) {
    // The press came with the key going down; Qt would click a second time on its release.
    if (Button::pressedBy(toKey(*event))) {
        event->accept();
        return;
    }
    QPushButton::keyReleaseEvent(event);
}

QtCheckBox::QtCheckBox(CheckBox& box, QWidget* parent) : QCheckBox(parent), ViewOf(box) {
    connect(this, &QCheckBox::clicked, this, [this] {
        if (control() != nullptr)
            control()->toggle();
    });
    attachToControl();
}

void QtCheckBox::refresh() {
    setText(captionOf(*control()));
    setChecked(control()->checked());
    showCommonState(*this, *control());
}

QtRadioButton::QtRadioButton(RadioButton& button, QWidget* parent)
    : QRadioButton(parent), ViewOf(button) {
    setAutoExclusive(false);
    connect(this, &QRadioButton::clicked, this, [this] {
        if (control() != nullptr)
            control()->select();
    });
    attachToControl();
}

void QtRadioButton::refresh() {
    setText(captionOf(*control()));
    setChecked(control()->checked());
    showCommonState(*this, *control());
}

} // namespace platform
