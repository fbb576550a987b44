#pragma once

#include "settings_file_limit.h"

#include <cstddef>
#include <istream>
#include <memory>
#include <string>
#include <string_view>

namespace platform {

// The program's message for a system error code from opening a file: "ファイルが見つかりません",
// "不正なファイル名です", "オープンしたファイルが多すぎます",
// "ファイルへのアクセスが拒否されました", or "I/O エラー (%d)" with the code for anything else.
std::string openErrorMessage(int errnum);

// "I/O エラー (%d)" with the code: a read that failed after the file was opened.
std::string readErrorMessage(int errnum);

// A settings file open for reading; it is closed when this is destroyed.
class SettingsInput {
public:
    virtual ~SettingsInput() = default;

    virtual std::istream& stream() = 0;

    // A failed read looks like the end of the file to the stream, so whoever read it asks
    // here afterwards: raises sound::ProgramError when a read failed.
    virtual void throwIfReadFailed() const = 0;
};

// Everything Open and Save need of the file system. A path is the file's name as the system
// takes it, bytes that need not be UTF-8. Each failure is raised as a sound::ProgramError
// carrying the message the user sees.
class SettingsStorage {
public:
    virtual ~SettingsStorage() = default;

    // True when a regular file of that name exists; a directory does not count.
    virtual bool isRegularFile(const std::string& path) const = 0;

    // The path is the file's name as the system takes it: bytes that need not be UTF-8.
    virtual std::unique_ptr<SettingsInput> openForReading(const std::string& path) = 0;

    // Replaces the file by the bytes as one whole: until every byte is written and flushed the
    // old file stays as it was, and a failed write leaves no temporary file behind.
    // "ファイル %s を作成できません" when the file cannot be created,
    // "ストリームへの書き込みエラー" when writing fails.
    virtual void writeWhole(const std::string& path, std::string_view bytes) = 0;
};

// The real file system.
class DiskSettingsStorage final : public SettingsStorage {
public:
    // Where the names come from. A name from the window's dialog is opened without ever
    // waiting, so that a pipe put in a file's place cannot hold the window up: it gives at
    // once what it holds. A name from a command line follows the habits of command-line
    // tools: "-" is standard input, and a pipe is read to its end however slowly it is
    // written.
    enum class Names { FromDialog, FromCommandLine };

    // Every settings file is held to `readLimit` bytes (sound::kSettingsFileLimit unless a
    // test asks for less). A regular file larger than that is refused when it is opened, before
    // any of it is read; a pipe or a device, whose size is not known, is refused as soon as
    // more has arrived, so that no line cut short by the limit is ever converted. Both give
    // sound::kSettingsFileTooLarge. A folder is refused when it is opened, with
    // "ファイルではなくフォルダです".
    explicit DiskSettingsStorage(std::size_t readLimit = sound::kSettingsFileLimit,
                                 Names names = Names::FromDialog)
        : readLimit_(readLimit), names_(names) {}

    bool isRegularFile(const std::string& path) const override;
    std::unique_ptr<SettingsInput> openForReading(const std::string& path) override;
    void writeWhole(const std::string& path, std::string_view bytes) override;

private:
    std::size_t readLimit_;
    Names names_;
};

} // namespace platform
