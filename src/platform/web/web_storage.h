#pragma once

#include "settings_storage.h"

#include <optional>
#include <string>

namespace platform {

// The file the user last picked in the browser's file chooser: its name and its bytes. A page
// cannot reach the machine's files by name, so the open dialog keeps what was picked here and
// the file layer reads it from here. One file only: picking another replaces it.
class PickedFile {
public:
    void keep(std::string name, std::string bytes);
    // The bytes kept under that name; nothing when no file of that name was picked.
    const std::string* bytes(const std::string& name) const;

private:
    std::optional<std::string> name_;
    std::string bytes_;
};

// The file layer of the page: reading gives the picked file's bytes, and writing hands the
// bytes to the browser as a download of that name, which the browser saves where the user
// keeps downloads.
class WebSettingsStorage final : public SettingsStorage {
public:
    explicit WebSettingsStorage(const PickedFile& picked) : picked_(picked) {}

    bool isRegularFile(const std::string& path) const override;
    std::unique_ptr<SettingsInput> openForReading(const std::string& path) override;
    void writeWhole(const std::string& path, std::string_view bytes) override;

private:
    const PickedFile& picked_;
};

} // namespace platform
