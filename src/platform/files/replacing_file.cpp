#include "replacing_file.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

ReplacingFileError::ReplacingFileError(Step step, int errnum)
    : std::runtime_error(std::strerror(errnum)), step_(step), errnum_(errnum) {}

ReplacingFile::ReplacingFile(const std::string& path) : target_(path) {
    using Step = ReplacingFileError::Step;
    if (path.empty() || path.find('\0') != std::string::npos)
        fail(Step::Create, EINVAL);
    mode_t mode;
    struct stat info;
    if (::stat(path.c_str(), &info) == 0) {
        // The temporary file would be made beside a folder and only fail at the very end,
        // after all the work; and the file's own read-only mark must stop the write.
        if (S_ISDIR(info.st_mode))
            fail(Step::Create, EISDIR);
        const int existing = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
        if (existing < 0)
            fail(Step::Create, errno);
        ::close(existing);
        if (char* resolved = ::realpath(path.c_str(), nullptr)) {
            target_ = resolved;
            std::free(resolved);
        }
        mode = info.st_mode & 07777;
    } else {
        // A new file gets the usual permissions of a new file.
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }

    std::string name = target_ + ".XXXXXX";
    fd_ = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd_ < 0)
        fail(Step::Create, errno);
    temporary_ = name;
    if (::fchmod(fd_, mode) != 0)
        fail(Step::Create, errno);
}

ReplacingFile::~ReplacingFile() {
    discard();
}

void ReplacingFile::discard() noexcept {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    if (!temporary_.empty())
        ::unlink(temporary_.c_str());
    temporary_.clear();
}

bool ReplacingFile::write(const void* bytes, std::size_t count) noexcept {
    const char* next = static_cast<const char*>(bytes);
    while (count > 0 && writeError_ == 0) {
        const ssize_t put = ::write(fd_, next, count);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0) {
            writeError_ = put < 0 ? errno : EIO;
            break;
        }
        next += put;
        count -= std::size_t(put);
    }
    return writeError_ == 0;
}

void ReplacingFile::sync() {
    using Step = ReplacingFileError::Step;
    if (fd_ < 0)
        return;
    if (writeError_ != 0)
        fail(Step::Write, writeError_);
    // A full disk may only show when the bytes reach it, so they are made to before the name
    // is given.
    if (::fsync(fd_) != 0)
        fail(Step::Write, errno);
    const int closed = ::close(fd_);
    fd_ = -1;
    if (closed != 0)
        fail(Step::Write, errno);
}

void ReplacingFile::commit() {
    sync();
    if (::rename(temporary_.c_str(), target_.c_str()) != 0)
        fail(ReplacingFileError::Step::Name, errno);
    temporary_.clear();
}

void ReplacingFile::fail(ReplacingFileError::Step step, int errnum) {
    // The constructor throws through here too, and then no destructor runs.
    discard();
    throw ReplacingFileError(step, errnum);
}

} // namespace platform
