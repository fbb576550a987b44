#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>

namespace platform {

// Why a ReplacingFile failed: the step, and the system's error code.
class ReplacingFileError : public std::runtime_error {
public:
    // Create: the file cannot be made under that name (a missing folder, a folder in the
    // way, no right to write it or its folder). Write: bytes did not reach the disk (a full
    // disk). Name: every byte is on the disk, but the file could not take the target's name.
    enum class Step { Create, Write, Name };

    ReplacingFileError(Step step, int errnum);

    Step step() const { return step_; }
    int errnum() const { return errnum_; }

private:
    Step step_;
    int errnum_;
};

// A file written under a temporary name beside its target, which takes the target's name only
// when commit() has put every byte on the disk: until then an older file of that name stays as
// it was, and a failure or an interruption leaves no file behind. A link is followed, so the
// file it leads to is replaced; an existing file keeps its permissions, and one the user may
// not write stays as it is although replacing it needs only the folder's permission. Names
// are the bytes the system takes, UTF-8 or not. Failures are thrown as ReplacingFileError.
class ReplacingFile {
public:
    explicit ReplacingFile(const std::string& path);
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // Appends the bytes. False when the system refused some of them; the first refusal's
    // error code is kept in writeError(). Never throws, so that a C library may call it.
    bool write(const void* bytes, std::size_t count) noexcept;
    int writeError() const { return writeError_; }

    // Puts every byte on the disk and closes the file: the slow part of commit(), for a caller
    // that must give the name in a step of its own. Nothing may be written afterwards.
    void sync();

    // Gives the file its name, after sync() if it has not run. Nothing may be written
    // afterwards.
    void commit();

    // The name the bytes are written under until commit(); empty once it has the target's
    // name or is gone.
    const std::string& temporaryPath() const { return temporary_; }

private:
    // Closes and removes the temporary file, then throws.
    [[noreturn]] void fail(ReplacingFileError::Step step, int errnum);
    void discard() noexcept;

    std::string target_;    // the file replaced: the one a link leads to
    std::string temporary_; // empty once it has the target's name or is gone
    int fd_ = -1;
    int writeError_ = 0;
};

} // namespace platform
