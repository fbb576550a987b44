#include "file_dialog.h"

#include "modal_boxes.h"

namespace platform {

bool FileDialog::execute() {
    ModalBoxes::Covered cover(ModalBoxes::Kind::FileChooser);
    std::string chosen = fileName_;
    if (!run(chosen))
        return false;
    fileName_ = chosen;
    return true;
}

} // namespace platform
