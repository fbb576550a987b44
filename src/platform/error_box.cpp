#include "error_box.h"

#include "modal_depth.h"

namespace platform {

void ErrorBox::show(const std::string& text) {
    ModalDepth::Scope open;
    run(text);
}

} // namespace platform
