#pragma once

#include "file_dialog.h"
#include "web_storage.h"

namespace platform {

// File > Open in the page: the browser's file chooser, offering the filter's patterns. The
// chosen file is read whole and kept in `picked` under its name, which the dialog answers.
class WebOpenDialog final : public FileDialog {
public:
    explicit WebOpenDialog(PickedFile& picked) : picked_(picked) {}

protected:
    bool run(std::string& chosen) override;

private:
    PickedFile& picked_;
};

// File > Save in the page: a page cannot choose a place on the machine, so the page's own box
// asks for the file's name, offering the last one; the file then goes where the browser keeps
// downloads.
class WebSaveDialog final : public FileDialog {
protected:
    bool run(std::string& chosen) override;
};

// The file chooser's `accept` for a filter of description and pattern pairs joined by "|":
// ".okd" for "*.okd"; patterns that name no extension are left out.
std::string acceptedExtensions(const std::string& filter);

// The filter's descriptions, joined by ", ".
std::string filterDescriptions(const std::string& filter);

} // namespace platform
