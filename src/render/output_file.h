#pragma once

#include "interrupt_exit.h"
#include "replacing_file.h"

#include <cstddef>
#include <optional>
#include <string>

namespace render {

// The command's output: a platform::ReplacingFile (the old file stays until every byte is on
// the disk, and no temporary file is left behind) whose failures are thrown as RenderError, one
// line that names the file as given and the system's reason. An interrupt (exitOnInterrupt)
// removes the temporary file and says that the output was not written, until the file has its
// name.
class OutputFile {
public:
    explicit OutputFile(const std::string& path);

    // Appends the bytes. False when the system refused some of them; the first refusal's
    // error code is kept in writeError(). Never throws, so that a C library may call it.
    bool write(const void* bytes, std::size_t count) noexcept { return file_->write(bytes, count); }
    int writeError() const { return file_->writeError(); }

    // Gives the file its name. Nothing may be written afterwards.
    void commit();

    // "cannot write 'NAME'" followed by `detail` and ": " and the reason, for every failure
    // of this file.
    std::string failure(const std::string& detail, const std::string& reason) const;

private:
    std::string path_; // as given
    // Gone after the file, so that an interrupt never finds a temporary file unregistered.
    std::optional<RemovedOnInterrupt> removal_;
    std::optional<platform::ReplacingFile> file_;
};

} // namespace render
