#include "settings_storage.h"

#include "program_error.h"
#include "replacing_file.h"
#include "translation.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <poll.h>
#include <streambuf>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// Reads a file descriptor through a fixed buffer, up to a byte limit. A failed read ends
// the stream and is kept for the caller to report; so is a limit that cuts the stream short.
class LimitedFdBuffer final : public std::streambuf {
public:
    LimitedFdBuffer(int fd, std::size_t limit, bool wait)
        : fd_(fd), remaining_(limit), wait_(wait) {}

    int error() const { return error_; }
    // Whether the stream went on past the limit; the read then ended there.
    bool overLimit() const { return overLimit_; }

protected:
    int_type underflow() override {
        if (gptr() < egptr())
            return traits_type::to_int_type(*gptr());
        if (error_ != 0 || overLimit_)
            return traits_type::eof();
        // At the limit one more byte is asked for, only to learn whether the stream went on.
        const std::size_t want = std::clamp<std::size_t>(remaining_, 1, buffer_.size());
        const ssize_t got = readSome(want);
        if (got < 0) {
            error_ = errno;
            return traits_type::eof();
        }
        if (got == 0)
            return traits_type::eof();
        if (remaining_ == 0) {
            overLimit_ = true;
            return traits_type::eof();
        }
        remaining_ -= std::size_t(got);
        setg(buffer_.data(), buffer_.data(), buffer_.data() + got);
        return traits_type::to_int_type(*gptr());
    }

private:
    // One read, repeated when a signal interrupts it, and when a descriptor that was handed
    // over non-blocking (standard input can be) has nothing yet but waiting is allowed.
    ssize_t readSome(std::size_t want) {
        for (;;) {
            const ssize_t got = ::read(fd_, buffer_.data(), want);
            if (got >= 0)
                return got;
            if (wait_ && (errno == EAGAIN || errno == EWOULDBLOCK)) {
                pollfd ready{fd_, POLLIN, 0};
                ::poll(&ready, 1, -1);
            } else if (errno != EINTR) {
                return got;
            }
        }
    }

    int fd_;
    std::size_t remaining_;
    bool wait_;
    int error_ = 0;
    bool overLimit_ = false;
    std::array<char, 64 * 1024> buffer_;
};

class FdInput final : public SettingsInput {
public:
    FdInput(int fd, std::size_t limit, bool wait)
        : fd_(fd), buffer_(fd, limit, wait), stream_(&buffer_) {}
    ~FdInput() override { ::close(fd_); }
    FdInput(const FdInput&) = delete;
    FdInput& operator=(const FdInput&) = delete;

    std::istream& stream() override { return stream_; }

    void throwIfReadFailed() const override {
        if (buffer_.overLimit())
            throw sound::ProgramError(sound::tr(sound::kSettingsFileTooLarge));
        if (buffer_.error() != 0)
            throw sound::ProgramError(readErrorMessage(buffer_.error()));
    }

private:
    int fd_;
    LimitedFdBuffer buffer_;
    std::istream stream_;
};

constexpr const char* kFolder = sound::N_("ファイルではなくフォルダです");

std::string ioError(int errnum) {
    return sound::tr("I/O エラー (%s)", {std::to_string(errnum)});
}

} // namespace

std::string openErrorMessage(int errnum) {
    switch (errnum) {
    case ENOENT:
        return sound::tr("ファイルが見つかりません");
    // A path the system cannot take as a name, or one that runs through something that is
    // not a folder.
    case ENAMETOOLONG:
    case EINVAL:
    case ENOTDIR:
    case ELOOP:
    case EILSEQ:
        return sound::tr("不正なファイル名です");
    case EMFILE:
    case ENFILE:
        return sound::tr("オープンしたファイルが多すぎます");
    case EACCES:
    case EPERM:
        return sound::tr("ファイルへのアクセスが拒否されました");
    default:
        return ioError(errnum);
    }
}

std::string readErrorMessage(int errnum) {
    return ioError(errnum);
}

bool DiskSettingsStorage::isRegularFile(const std::string& path) const {
    if (path.empty() || path.find('\0') != std::string::npos)
        return false;
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::unique_ptr<SettingsInput> DiskSettingsStorage::openForReading(const std::string& path) {
    if (path.find('\0') != std::string::npos)
        throw sound::ProgramError(openErrorMessage(EINVAL));
    const bool commandLine = names_ == Names::FromCommandLine;
    int fd;
    if (commandLine && path == "-") {
        fd = ::fcntl(STDIN_FILENO, F_DUPFD_CLOEXEC, 0);
    } else {
        // From the dialog non-blocking, so that a pipe put in the file's place after the check
        // cannot hold the window up; for a regular file the flag changes nothing.
        const int flags = O_RDONLY | O_CLOEXEC | O_NOCTTY | (commandLine ? 0 : O_NONBLOCK);
        fd = ::open(path.c_str(), flags);
    }
    if (fd < 0)
        throw sound::ProgramError(openErrorMessage(errno));
    // The checks come before the descriptor has an owner, so it is closed here when they fail.
    struct stat info;
    if (::fstat(fd, &info) == 0) {
        const char* refusal = nullptr;
        if (S_ISDIR(info.st_mode))
            refusal = kFolder;
        else if (S_ISREG(info.st_mode) && std::uint64_t(info.st_size) > readLimit_)
            refusal = sound::kSettingsFileTooLarge;
        if (refusal != nullptr) {
            ::close(fd);
            throw sound::ProgramError(sound::tr(refusal));
        }
    }
    // A regular file that grows while it is read is held to the same limit as a pipe.
    return std::make_unique<FdInput>(fd, readLimit_, commandLine);
}

void DiskSettingsStorage::writeWhole(const std::string& path, std::string_view bytes) {
    try {
        ReplacingFile file(path);
        file.write(bytes.data(), bytes.size());
        file.commit();
    } catch (const ReplacingFileError& e) {
        if (e.step() == ReplacingFileError::Step::Write)
            throw sound::ProgramError(sound::tr("ストリームへの書き込みエラー"));
        throw sound::ProgramError(sound::tr("ファイル %s を作成できません", {path}));
    }
}

} // namespace platform
