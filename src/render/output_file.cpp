#include "output_file.h"

#include "render_error.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace render {

OutputFile::OutputFile(const std::string& path) : path_(path), target_(path) {
    if (path.empty() || path.find('\0') != std::string::npos)
        fail(EINVAL);
    mode_t mode;
    struct stat info;
    if (::stat(path.c_str(), &info) == 0) {
        // The temporary file would be made beside a folder and only fail at the very end, after
        // all the work; and a file the user may not write must stay as it is, although
        // replacing it needs only the folder's permission.
        if (S_ISDIR(info.st_mode))
            fail(EISDIR);
        const int existing = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
        if (existing < 0)
            fail(errno);
        ::close(existing);
        if (char* resolved = ::realpath(path.c_str(), nullptr)) {
            target_ = resolved;
            std::free(resolved);
        }
        mode = info.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }

    std::string name = target_ + ".XXXXXX";
    fd_ = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd_ < 0)
        fail(errno);
    temporary_ = name;
    if (::fchmod(fd_, mode) != 0)
        fail(errno);
}

OutputFile::~OutputFile() {
    discard();
}

void OutputFile::discard() noexcept {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    if (!temporary_.empty())
        ::unlink(temporary_.c_str());
    temporary_.clear();
}

bool OutputFile::write(const void* bytes, std::size_t count) noexcept {
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

void OutputFile::commit() {
    if (writeError_ != 0)
        fail(writeError_);
    // A full disk may only show when the bytes reach it, so they are made to before the name
    // is given.
    if (::fsync(fd_) != 0)
        fail(errno);
    const int closed = ::close(fd_);
    fd_ = -1;
    if (closed != 0)
        fail(errno);
    if (::rename(temporary_.c_str(), target_.c_str()) != 0)
        fail(errno);
    temporary_.clear();
}

std::string OutputFile::failure(const std::string& detail, const std::string& reason) const {
    return "cannot write '" + path_ + "'" + detail + ": " + reason;
}

void OutputFile::fail(int errnum) {
    // The constructor throws through here too, and then no destructor runs.
    discard();
    throw RenderError(failure("", std::strerror(errnum)));
}

} // namespace render
