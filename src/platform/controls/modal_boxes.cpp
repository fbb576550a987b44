#include "modal_boxes.h"

#include "form.h"

#include <algorithm>

namespace platform {

ModalBoxes& ModalBoxes::program() {
    static ModalBoxes boxes;
    return boxes;
}

Form* ModalBoxes::inputTarget(Form& window) const {
    return open_.empty() ? &window : open_.back().form;
}

bool ModalBoxes::takesInput(const Form& form) const {
    return open_.empty() || open_.back().form == &form;
}

bool ModalBoxes::userReturned() {
    if (open_.empty() || open_.back().kind != Kind::FileChooser)
        return false;
    open_.back().left = true;
    return true;
}

void ModalBoxes::push(Box box) {
    open_.push_back(box);
    if (onChange)
        onChange();
}

void ModalBoxes::remove(const Form* form) {
    // The toolkit's boxes close in the reverse order they opened.
    const auto at = std::find_if(open_.rbegin(), open_.rend(),
                                 [form](const Box& box) { return box.form == form; });
    if (at == open_.rend())
        return;
    const bool wasOnTop = at == open_.rbegin();
    open_.erase(std::next(at).base());
    if (onChange)
        onChange();
    // The form uncovered takes the keys again where it left them, whichever edition shows it.
    Form* uncovered = open_.empty() ? window_ : open_.back().form;
    if (wasOnTop && uncovered != nullptr)
        uncovered->showFocus();
}

ModalBoxes::Covered::Covered(Kind kind) {
    program().push({kind, nullptr});
}

ModalBoxes::Covered::~Covered() {
    program().remove(nullptr);
}

} // namespace platform
