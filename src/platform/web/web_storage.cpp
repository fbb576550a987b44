#include "web_storage.h"

#include "modal_boxes.h"
#include "program_error.h"
#include "settings_file_limit.h"
#include "translation.h"
#include "web_page.h"
#include "web_wait.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <istream>
#include <new>
#include <streambuf>

namespace platform {

namespace {

// The offered file's bytes are in memory, so a read cannot fail once the file is open. They
// are read where they lie: a copy of a file near the limit would raise for good what the
// program's memory holds.
class OfferedInput final : public SettingsInput {
public:
    explicit OfferedInput(std::string bytes) : bytes_(std::move(bytes)) {}

    std::istream& stream() override { return stream_; }
    void throwIfReadFailed() const override {}

private:
    struct Buffer final : std::streambuf {
        explicit Buffer(std::string& bytes) {
            setg(bytes.data(), bytes.data(), bytes.data() + bytes.size());
        }
    };

    std::string bytes_;
    Buffer buffer_{bytes_};
    std::istream stream_{&buffer_};
};

// How the page's read of the offered file ended (web_page.h).
enum ReadState { kReading = 0, kRead = 1, kReadFailed = 2, kNoMemory = 3 };

} // namespace

void OfferedFile::takeOffer() {
    char* name = web_page_offered_name();
    name_ = name != nullptr ? name : "";
    std::free(name);
    // A size in a double is exact far beyond any file.
    size_ = std::uint64_t(web_page_offered_size());
    held_ = true;
}

std::string OfferedFile::read() {
    struct LetGo {
        OfferedFile& file;
        ~LetGo() { file.forget(); }
    } letGo{*this};
    if (size_ > sound::kSettingsFileLimit)
        throw sound::ProgramError(sound::tr(sound::kSettingsFileTooLarge));
    std::string bytes(std::size_t(size_), '\0');
    {
        // The window waits for the bytes as for a dialog of the browser's, so that nothing
        // else can open meanwhile.
        ModalBoxes::Covered reading(ModalBoxes::Kind::Reading);
        web_page_read_offered(bytes.data(), int(bytes.size()));
        waitUntil([] { return web_page_read_state() != kReading; });
    }
    switch (web_page_read_state()) {
    case kRead:
        bytes.resize(std::size_t(web_page_read_count()));
        return bytes;
    case kNoMemory:
        throw std::bad_alloc();
    default:
        throw sound::ProgramError(readErrorMessage(EIO));
    }
}

void OfferedFile::forget() {
    held_ = false;
    name_.clear();
    size_ = 0;
    web_page_forget_offered();
}

bool WebSettingsStorage::isRegularFile(const std::string& path) const {
    return offered_.offers(path);
}

std::unique_ptr<SettingsInput> WebSettingsStorage::openForReading(const std::string& path) {
    if (!offered_.offers(path))
        throw sound::ProgramError(openErrorMessage(ENOENT));
    return std::make_unique<OfferedInput>(offered_.read());
}

void WebSettingsStorage::writeWhole(const std::string& path, std::string_view bytes) {
    // The browser takes the bytes as one Blob, so the download is whole or not made at all.
    if (bytes.size() > std::size_t(INT_MAX))
        throw sound::ProgramError(sound::tr("ストリームへの書き込みエラー"));
    web_page_download(path.c_str(), bytes.data(), int(bytes.size()));
}

} // namespace platform
