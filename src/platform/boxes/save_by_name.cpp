#include "save_by_name.h"

#include "input_box.h"
#include "translation.h"

namespace platform {

bool SaveByNameDialog::run(std::string& chosen) {
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
