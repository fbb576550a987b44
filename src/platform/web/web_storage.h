#pragma once

#include "settings_storage.h"

#include <cstdint>
#include <string>

namespace platform {

// The one file the page offers the program now: the file the user chose in the browser's file
// chooser, dropped on the page or opened the installed page with. A page cannot reach the
// machine's files by name, so the file layer reads this one by its name. Its name and size are
// known at once and its bytes stay with the browser until the file layer reads them, so that a
// file refused by its name, by the moment or by its size never enters the program's memory,
// which never gives back what it once took.
class OfferedFile {
public:
    // The file the page offers now (web_page_offered_name, web_page_offered_size) becomes the
    // one offered, in place of any before.
    void takeOffer();
    const std::string& name() const { return name_; }
    bool offers(const std::string& name) const { return held_ && name_ == name; }
    // Reads the offered file whole, waiting for the browser with no form taking input, and
    // lets go of it, read or not. A file over sound::kSettingsFileLimit raises
    // sound::kSettingsFileTooLarge before anything is read; a failed read
    // "I/O エラー (5)"; too little memory for the bytes std::bad_alloc.
    std::string read();
    // The page lets go of the file too.
    void forget();

private:
    bool held_ = false;
    std::string name_;
    std::uint64_t size_ = 0;
};

// The file layer of the page: reading gives the offered file's bytes, and writing hands the
// bytes to the browser as a download of that name, which the browser saves where the user
// keeps downloads.
class WebSettingsStorage final : public SettingsStorage {
public:
    explicit WebSettingsStorage(OfferedFile& offered) : offered_(offered) {}

    bool isRegularFile(const std::string& path) const override;
    std::unique_ptr<SettingsInput> openForReading(const std::string& path) override;
    void writeWhole(const std::string& path, std::string_view bytes) override;

private:
    OfferedFile& offered_;
};

} // namespace platform
