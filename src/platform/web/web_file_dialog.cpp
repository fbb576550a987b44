#include "web_file_dialog.h"

#include "modal_boxes.h"
#include "web_page.h"
#include "web_wait.h"

namespace platform {

bool WebOpenDialog::run(std::string& chosen) {
    std::string accept;
    for (const std::string& extension : filter().extensions())
        accept += (accept.empty() ? "" : ",") + extension;
    web_page_pick_file(accept.c_str());
    waitUntil([] { return web_page_picked_state() != 0 || ModalBoxes::program().chooserLeft(); });
    if (web_page_picked_state() == 0)
        web_page_end_pick();
    if (web_page_picked_state() != 1)
        return false;
    offered_.takeOffer();
    chosen = offered_.name();
    return true;
}

} // namespace platform
