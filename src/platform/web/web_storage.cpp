#include "web_storage.h"

#include "program_error.h"
#include "web_page.h"

#include <cerrno>
#include <climits>
#include <sstream>

namespace platform {

namespace {

// The picked bytes are in memory, so a read cannot fail once the file is open.
class PickedInput final : public SettingsInput {
public:
    explicit PickedInput(const std::string& bytes) : stream_(bytes) {}

    std::istream& stream() override { return stream_; }
    void throwIfReadFailed() const override {}

private:
    std::istringstream stream_;
};

} // namespace

void PickedFile::keep(std::string name, std::string bytes) {
    files_[std::move(name)] = std::move(bytes);
}

const std::string* PickedFile::bytes(const std::string& name) const {
    const auto found = files_.find(name);
    return found != files_.end() ? &found->second : nullptr;
}

bool WebSettingsStorage::isRegularFile(const std::string& path) const {
    return picked_.bytes(path) != nullptr;
}

std::unique_ptr<SettingsInput> WebSettingsStorage::openForReading(const std::string& path) {
    const std::string* bytes = picked_.bytes(path);
    if (bytes == nullptr)
        throw sound::ProgramError(openErrorMessage(ENOENT));
    return std::make_unique<PickedInput>(*bytes);
}

void WebSettingsStorage::writeWhole(const std::string& path, std::string_view bytes) {
    // The browser takes the bytes as one Blob, so the download is whole or not made at all.
    if (bytes.size() > std::size_t(INT_MAX))
        throw sound::ProgramError("ストリームへの書き込みエラー");
    web_page_download(path.c_str(), bytes.data(), int(bytes.size()));
}

} // namespace platform
