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
    if (!takesInput())
        return;
    setChecked(!checked_);
    form().userChanged();
}

bool CheckBox::keyDown(const KeyStroke& stroke) {
    if (stroke.key != Key::Space || !stroke.plain())
        return false;
    // Held down, the key would make the box flicker on and off.
    if (!stroke.repeat)
        toggle();
    return true;
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
    if (!takesInput())
        return;
    setChecked(true);
    form().userChanged();
}

bool RadioButton::keyDown(const KeyStroke& stroke) {
    if (stroke.key != Key::Space || !stroke.plain())
        return false;
    select();
    return true;
}

} // namespace platform
