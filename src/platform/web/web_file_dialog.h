#pragma once

#include "file_dialog.h"
#include "web_storage.h"

namespace platform {

// File > Open in the page: the browser's file chooser, offering the filter's extensions. The
// chosen file becomes the offered file, unread, and its name is the dialog's answer.
class WebOpenDialog final : public FileDialog {
public:
    explicit WebOpenDialog(OfferedFile& offered) : offered_(offered) {}

protected:
    bool run(std::string& chosen) override;

private:
    OfferedFile& offered_;
};

} // namespace platform
