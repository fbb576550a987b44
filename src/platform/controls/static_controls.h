#pragma once

#include "control.h"

namespace platform {

// Controls that only show something: a caption, or a frame around other controls.

class Label final : public Control {
public:
    Label(Form& form, std::string_view name) : Control(form, ControlKind::Label, name) {}
};

class GroupBox final : public Control {
public:
    GroupBox(Form& form, std::string_view name) : Control(form, ControlKind::GroupBox, name) {}
};

class Panel final : public Control {
public:
    Panel(Form& form, std::string_view name) : Control(form, ControlKind::Panel, name) {}
};

} // namespace platform
