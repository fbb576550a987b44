#include "check_box.h"

#include "form.h"

namespace platform {

void CheckBox::setChecked(bool checked) {
    if (checked == checked_)
        return;
    checked_ = checked;
    changed();
}

void CheckBox::toggle() {
    if (takesInput())
        setChecked(!checked_);
}

void RadioButton::setChecked(bool checked) {
    if (checked == checked_)
        return;
    checked_ = checked;
    changed();
    if (!checked)
        return;
    for (Control* other : form().controls())
        if (other != this && other->kind() == ControlKind::RadioButton &&
            other->parent() == parent())
            static_cast<RadioButton*>(other)->setChecked(false);
}

void RadioButton::select() {
    if (takesInput())
        setChecked(true);
}

} // namespace platform
