#pragma once

#include "file_filter.h"

#include <string>

namespace platform {

// A file open or save dialog as the File menu uses it: the kinds of file it offers, and a file
// name that lives as long as the dialog does, as the bytes the system takes for it. Running it
// returns whether the user confirmed a name; only then does the name change, so a cancelled
// dialog keeps the name confirmed the time before. An open dialog takes the name of a file
// that does not exist, a save dialog does not ask before a file is replaced, and neither adds
// an extension. While it is open, no window of the program takes input.
class FileDialog {
public:
    enum class Mode { Open, Save };

    virtual ~FileDialog() = default;

    const FileFilter& filter() const { return filter_; }
    // Description and pattern pairs joined by "|" (UTF-8), see FileFilter.
    void setFilter(const std::string& filter) { filter_ = FileFilter::parse(filter); }
    const std::string& fileName() const { return fileName_; }
    void setFileName(const std::string& name) { fileName_ = name; }

    // Shows the dialog modally, offering the current file name.
    bool execute();

protected:
    // Shows the dialog; true and the chosen name in `chosen` when the user confirmed one.
    virtual bool run(std::string& chosen) = 0;

private:
    FileFilter filter_;
    std::string fileName_;
};

} // namespace platform
