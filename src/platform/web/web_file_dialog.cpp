#include "web_file_dialog.h"

#include "input_box.h"
#include "translation.h"
#include "web_page.h"
#include "web_wait.h"

namespace platform {

bool WebOpenDialog::run(std::string& chosen) {
    std::string accept;
    for (const std::string& extension : filter().extensions())
        accept += (accept.empty() ? "" : ",") + extension;
    web_page_pick_file(accept.c_str());
    waitUntil([] { return web_page_picked_state() != 0; });
    if (web_page_picked_state() != 1)
        return false;
    offered_.takeOffer();
    chosen = offered_.name();
    return true;
}

bool WebSaveDialog::run(std::string& chosen) {
    std::string kinds;
    for (const FileFilter::Kind& kind : filter().kinds)
        kinds += (kinds.empty() ? "" : ", ") + kind.description;
    const std::optional<std::string> name =
        askForText(backend_, {.caption = sound::tr("名前を付けて保存"),
                              .prompt = sound::tr("ファイル名:"),
                              .text = fileName(),
                              .note = sound::tr("ファイルの種類: %s", {kinds}),
                              .maxLength = 0,
                              .needsText = true});
    if (!name)
        return false;
    chosen = *name;
    return true;
}

} // namespace platform
