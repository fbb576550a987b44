#pragma once

#include <cstddef>
#include <string>

namespace render {

// A file written under a temporary name beside its target, which takes the target's name only
// when commit() has put every byte on the disk: until then an older file of that name stays as
// it was, and a failure or an interruption leaves no file behind. A link is followed, so the
// file it leads to is replaced; an existing file keeps its permissions. Names are the bytes the
// system takes, UTF-8 or not. Errors are thrown as RenderError, one line that names the file
// and gives the system's reason.
class OutputFile {
public:
    explicit OutputFile(const std::string& path);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Appends the bytes. False when the system refused some of them; the first refusal's
    // error code is kept in writeError(). Never throws, so that a C library may call it.
    bool write(const void* bytes, std::size_t count) noexcept;
    int writeError() const { return writeError_; }

    // Gives the file its name. Nothing may be written afterwards.
    void commit();

    // "cannot write 'NAME'" followed by `detail` and ": " and the reason, for every failure
    // of this file.
    std::string failure(const std::string& detail, const std::string& reason) const;

private:
    // Closes and removes the temporary file; throws the failure with the reason for the code.
    [[noreturn]] void fail(int errnum);
    void discard() noexcept;

    std::string path_;      // as given
    std::string target_;    // the file replaced: the one a link leads to
    std::string temporary_; // empty once it has the target's name or is gone
    int fd_ = -1;
    int writeError_ = 0;
};

} // namespace render
