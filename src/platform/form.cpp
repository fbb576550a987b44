#include "form.h"

#include "control.h"

namespace platform {

Form::~Form() {
    if (view_ != nullptr)
        view_->formGone();
}

Control* Form::find(std::string_view name) const {
    for (Control* control : controls_)
        if (control->name() == name)
            return control;
    return nullptr;
}

void Form::userClose() {
    if (onClose)
        onClose();
}

void Form::add(Control& control) {
    controls_.push_back(&control);
}

} // namespace platform
