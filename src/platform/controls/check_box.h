#pragma once

#include "control.h"

namespace platform {

// A check box. No handler of the program is attached to one: the program reads `checked`
// when it needs it.
class CheckBox final : public Control {
public:
    CheckBox(Form& form, std::string_view name) : Control(form, ControlKind::CheckBox, name) {}

    bool checked() const { return checked_; }
    void setChecked(bool checked);

    // The user clicked it, or pressed Space on it.
    void toggle();
    bool keyDown(const KeyStroke& stroke) override;

private:
    bool checked_ = false;
};

// A radio button: checking one unchecks every other radio button on the same parent, so one
// of a group at most is checked; unchecking one touches no other, so a group may end with
// none checked.
class RadioButton final : public Control {
public:
    RadioButton(Form& form, std::string_view name)
        : Control(form, ControlKind::RadioButton, name) {}

    bool checked() const { return checked_; }
    void setChecked(bool checked);

    // The user clicked it, or pressed Space on it: it becomes the checked one of its group.
    void select();
    bool keyDown(const KeyStroke& stroke) override;

private:
    bool checked_ = false;
};

} // namespace platform
