#include "file_dialog.h"

#include "form.h"
#include "modal_depth.h"

namespace platform {

bool FileDialog::execute() {
    ModalDepth::Scope open;
    ForeignModal cover;
    std::string chosen = fileName_;
    if (!run(chosen))
        return false;
    fileName_ = chosen;
    return true;
}

} // namespace platform
