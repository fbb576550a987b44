#include "qt_buttons.h"

namespace platform {

QtButton::QtButton(Button& button, QWidget* parent) : QtView(button, parent) {
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

QtCheckBox::QtCheckBox(CheckBox& box, QWidget* parent) : QtView(box, parent) {
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

QtRadioButton::QtRadioButton(RadioButton& button, QWidget* parent) : QtView(button, parent) {
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
