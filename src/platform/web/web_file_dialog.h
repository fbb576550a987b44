#pragma once

#include "file_dialog.h"
#include "web_storage.h"

namespace platform {

class Backend;

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

// File > Save in the page: a page cannot choose a place on the machine, so an input box asks
// for the file's name, offering the last one; the file then goes where the browser keeps
// downloads.
class WebSaveDialog final : public FileDialog {
public:
    explicit WebSaveDialog(Backend& backend) : backend_(backend) {}

protected:
    bool run(std::string& chosen) override;

private:
    Backend& backend_;
};

} // namespace platform
