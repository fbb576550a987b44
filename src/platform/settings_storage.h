#pragma once

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
    // The most a settings file is read, whatever its size: far more than 37 lines can hold
    // at the longest line the reader keeps, so no valid or quotable content is ever cut off,
    // while a huge file cannot hold the program up.
    static constexpr std::size_t kDefaultReadLimit = std::size_t(8) << 20;

    explicit DiskSettingsStorage(std::size_t readLimit = kDefaultReadLimit)
        : readLimit_(readLimit) {}

    bool isRegularFile(const std::string& path) const override;
    std::unique_ptr<SettingsInput> openForReading(const std::string& path) override;
    void writeWhole(const std::string& path, std::string_view bytes) override;

private:
    std::size_t readLimit_;
};

} // namespace platform
