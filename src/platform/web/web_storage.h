#pragma once

#include "settings_storage.h"

#include <map>
#include <string>

namespace platform {

// The files the user picked in the browser's file chooser or dropped on the page: their names
// and bytes. A page cannot reach the machine's files by name, so the open dialog and the drop
// keep what they were given here and the file layer reads it from here. A file given again
// under the same name replaces the one before.
class PickedFile {
public:
    void keep(std::string name, std::string bytes);
    // The bytes kept under that name; nothing when no file of that name was given.
    const std::string* bytes(const std::string& name) const;

private:
    std::map<std::string, std::string> files_;
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
