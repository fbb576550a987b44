#include "open_descriptors.h"
#include "program_error.h"
#include "settings_storage.h"
#include "temp_folder.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <exception>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using platform::DiskSettingsStorage;

// --- The system's error codes as the program's messages ---

struct ErrnoRow {
    std::string name;
    int errnum;
    std::string message;
};

void PrintTo(const ErrnoRow& row, std::ostream* out) {
    *out << row.name;
}

class OpenErrorMessage : public ::testing::TestWithParam<ErrnoRow> {};

TEST_P(OpenErrorMessage, NamesTheFault) {
    EXPECT_EQ(platform::openErrorMessage(GetParam().errnum), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, OpenErrorMessage,
    ::testing::Values(ErrnoRow{"Missing", ENOENT, "ファイルが見つかりません"},
                      ErrnoRow{"NameTooLong", ENAMETOOLONG, "不正なファイル名です"},
                      ErrnoRow{"InvalidName", EINVAL, "不正なファイル名です"},
                      ErrnoRow{"FileUsedAsFolder", ENOTDIR, "不正なファイル名です"},
                      ErrnoRow{"SymlinkLoop", ELOOP, "不正なファイル名です"},
                      ErrnoRow{"ProcessOutOfFiles", EMFILE, "オープンしたファイルが多すぎます"},
                      ErrnoRow{"SystemOutOfFiles", ENFILE, "オープンしたファイルが多すぎます"},
                      ErrnoRow{"AccessDenied", EACCES, "ファイルへのアクセスが拒否されました"},
                      ErrnoRow{"NotPermitted", EPERM, "ファイルへのアクセスが拒否されました"},
                      ErrnoRow{"DeviceFailure", EIO, "I/O エラー (5)"},
                      ErrnoRow{"Busy", EBUSY, "I/O エラー (16)"}),
    [](const auto& info) { return info.param.name; });

TEST(ReadErrorMessage, IsAlwaysTheNumberedIoError) {
    EXPECT_EQ(platform::readErrorMessage(EIO), "I/O エラー (5)");
    EXPECT_EQ(platform::readErrorMessage(EISDIR), "I/O エラー (21)");
    EXPECT_EQ(platform::readErrorMessage(EACCES), "I/O エラー (13)");
}

// --- Helpers on a temporary folder ---

// A temporary folder that an ordinary user may be let into.
class Folder : public testsupport::TempFolder {
public:
    std::string native(const std::string& name) const { return path(name); }
    // Lets an ordinary user create and remove files here.
    void openToEveryone() const { ::chmod(dir().c_str(), 0777); }
};

using Names = std::vector<std::string>;

std::string messageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const sound::ProgramError& error) {
        return error.what();
    }
    return "<no error>";
}

std::string readAll(platform::SettingsInput& input) {
    std::istream& in = input.stream();
    return std::string(std::istreambuf_iterator<char>(in), {});
}

using testsupport::openDescriptorCount;

// Runs `check` with the rights of an ordinary user. Root may read and write any file, so when
// the tests run as root the check runs in a child process that gives up root first.
void asOrdinaryUser(const std::function<void()>& check) {
    if (::geteuid() != 0) {
        check();
        return;
    }
    EXPECT_EXIT(
        {
            constexpr uid_t kNobody = 65534;
            if (::setresgid(kNobody, kNobody, kNobody) != 0 ||
                ::setresuid(kNobody, kNobody, kNobody) != 0)
                std::_Exit(2);
            check();
            std::_Exit(::testing::Test::HasFailure() ? 1 : 0);
        },
        ::testing::ExitedWithCode(0), "");
}

// --- Which names Open takes at all ---

TEST(DiskSettingsStorage, OnlyARegularFileCountsAsExisting) {
    Folder folder;
    folder.write("set.okd", "1\r\n");
    folder.mkdir("folder.okd");
    ::symlink(folder.native("set.okd").c_str(), folder.native("link.okd").c_str());
    ::symlink(folder.native("gone.okd").c_str(), folder.native("dangling.okd").c_str());
    ::mkfifo(folder.native("pipe.okd").c_str(), 0600);
    DiskSettingsStorage storage;

    EXPECT_TRUE(storage.isRegularFile(folder.path("set.okd")));
    EXPECT_TRUE(storage.isRegularFile(folder.path("link.okd"))) << "a link to a file";
    EXPECT_FALSE(storage.isRegularFile(folder.path("folder.okd")));
    EXPECT_FALSE(storage.isRegularFile(folder.path("missing.okd")));
    EXPECT_FALSE(storage.isRegularFile(folder.path("dangling.okd")));
    EXPECT_FALSE(storage.isRegularFile(folder.path("pipe.okd")));
    EXPECT_FALSE(storage.isRegularFile(std::string()));
    EXPECT_FALSE(storage.isRegularFile(folder.path("set.okd") + std::string(1, '\0') + "x"));
}

// --- Opening and reading ---

TEST(DiskSettingsStorage, ReadsTheBytesAsTheyAreAndClosesTheFile) {
    Folder folder;
    const std::string bytes("-30\r\n30\n\0\xff\r\nend", 16);
    folder.write("set.okd", bytes);
    DiskSettingsStorage storage;
    const int before = openDescriptorCount();
    {
        auto input = storage.openForReading(folder.path("set.okd"));
        EXPECT_EQ(readAll(*input), bytes);
        EXPECT_EQ(openDescriptorCount(), before + 1);
        EXPECT_EQ(messageOf([&] { input->throwIfReadFailed(); }), "<no error>");
    }
    EXPECT_EQ(openDescriptorCount(), before);
}

TEST(DiskSettingsStorage, HoldsFilesAndPipesToOneLimitAndRefusesAFolder) {
    constexpr std::size_t kLimit = 100 * 1024 + 7;
    Folder folder;
    folder.write("limit.okd", std::string(kLimit, 'x'));
    folder.write("over.okd", std::string(kLimit + 1, 'x'));
    folder.mkdir("folder.okd");
    ASSERT_EQ(::mkfifo(folder.native("pipe.okd").c_str(), 0600), 0);
    DiskSettingsStorage storage(kLimit, DiskSettingsStorage::Names::FromCommandLine);
    const std::string tooLarge = sound::kSettingsFileTooLarge;

    // A regular file is refused when it is opened, before any byte of it is read.
    EXPECT_EQ(readAll(*storage.openForReading(folder.native("limit.okd"))).size(), kLimit);
    EXPECT_EQ(messageOf([&] { storage.openForReading(folder.native("over.okd")); }), tooLarge);
    EXPECT_EQ(messageOf([&] { storage.openForReading(folder.native("folder.okd")); }),
              "ファイルではなくフォルダです");

    // A pipe may never end. Up to the limit it reads as it is; past it the read fails, so
    // that no line cut short by the limit is ever converted.
    for (const std::size_t written : {kLimit, kLimit + 1}) {
        std::thread writer([&] {
            const int fd = ::open(folder.native("pipe.okd").c_str(), O_WRONLY);
            const std::string bytes(written, 'x');
            EXPECT_EQ(::write(fd, bytes.data(), bytes.size()), ssize_t(written));
            ::close(fd);
        });
        auto pipe = storage.openForReading(folder.native("pipe.okd"));
        EXPECT_EQ(readAll(*pipe).size(), kLimit);
        EXPECT_EQ(messageOf([&] { pipe->throwIfReadFailed(); }),
                  written == kLimit ? "<no error>" : tooLarge);
        writer.join();
    }
}

TEST(DiskSettingsStorage, FailedOpenNamesTheFault) {
    Folder folder;
    folder.write("file", "x");
    ::symlink(folder.native("loop1").c_str(), folder.native("loop2").c_str());
    ::symlink(folder.native("loop2").c_str(), folder.native("loop1").c_str());
    DiskSettingsStorage storage;
    auto openMessage = [&](const std::string& path) {
        return messageOf([&] { storage.openForReading(path); });
    };
    EXPECT_EQ(openMessage(folder.native("missing.okd")), "ファイルが見つかりません");
    EXPECT_EQ(openMessage(folder.native(std::string(300, 'n'))), "不正なファイル名です");
    EXPECT_EQ(openMessage(folder.native("file/set.okd")), "不正なファイル名です");
    EXPECT_EQ(openMessage(folder.native("loop1")), "不正なファイル名です");
    EXPECT_EQ(openMessage(folder.native("file") + std::string(1, '\0') + "x"),
              "不正なファイル名です");
}

TEST(DiskSettingsStorage, OpenWithNoDescriptorLeftSaysTooManyFiles) {
    Folder folder;
    folder.write("set.okd", "1");
    DiskSettingsStorage storage;
    rlimit saved;
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &saved), 0);
    // The lowest free descriptor becomes the limit, so the next open finds none.
    const int lowestFree = ::dup(0);
    ASSERT_GE(lowestFree, 0);
    ::close(lowestFree);
    // UndefinedBehaviorSanitizer checks the type of an error under construction by reading the
    // object through a pipe unless it has met that type before, and no pipe can be made while
    // no descriptor is left: an error made now lets it know the type.
    const sound::ProgramError knownType("");
    rlimit tight = saved;
    tight.rlim_cur = rlim_t(lowestFree);
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &tight), 0);
    std::exception_ptr failure;
    try {
        storage.openForReading(folder.native("set.okd"));
    } catch (...) {
        failure = std::current_exception();
    }
    ::setrlimit(RLIMIT_NOFILE, &saved);
    // The error is looked at only now: UndefinedBehaviorSanitizer checks a call on the error
    // through a pipe, which it cannot create while no descriptor is left.
    EXPECT_EQ(messageOf([&] {
                  if (failure)
                      std::rethrow_exception(failure);
              }),
              "オープンしたファイルが多すぎます");
}

TEST(DiskSettingsStorage, UnreadableFileSaysAccessDenied) {
    Folder folder;
    folder.write("secret.okd", "1");
    ::chmod(folder.native("secret.okd").c_str(), 0);
    asOrdinaryUser([&] {
        DiskSettingsStorage storage;
        EXPECT_EQ(messageOf([&] { storage.openForReading(folder.native("secret.okd")); }),
                  "ファイルへのアクセスが拒否されました");
    });
}

TEST(DiskSettingsStorage, ReadThatFailsIsReportedWithItsCode) {
    // The process's own memory opens as a file, but reading it from address 0, which is never
    // mapped, fails.
    DiskSettingsStorage storage;
    auto input = storage.openForReading("/proc/self/mem");
    EXPECT_EQ(readAll(*input), "");
    EXPECT_EQ(messageOf([&] { input->throwIfReadFailed(); }), "I/O エラー (5)");
}

// --- Writing ---

const std::string kOld("old set-up\r\n");
const std::string kNew = "-30\r\n30\r\n20\r\n";

TEST(DiskSettingsStorage, WritesExactlyTheBytesAndReplacesTheOldFile) {
    Folder folder;
    folder.write("set.okd", std::string(5000, 'o'));
    DiskSettingsStorage storage;
    storage.writeWhole(folder.path("set.okd"), kNew);
    EXPECT_EQ(folder.read("set.okd"), kNew) << "shorter text: nothing of the old";
    storage.writeWhole(folder.path("new.okd"), std::string("a\0b", 3));
    EXPECT_EQ(folder.read("new.okd"), std::string("a\0b", 3));
    EXPECT_EQ(folder.entries(), (Names{"new.okd", "set.okd"})) << "no temporary file";
}

struct CreateFailureRow {
    std::string name;
    std::string target; // in the test's folder
};

void PrintTo(const CreateFailureRow& row, std::ostream* out) {
    *out << row.name;
}

class WriteThatCannotCreate : public ::testing::TestWithParam<CreateFailureRow> {};

TEST_P(WriteThatCannotCreate, NamesTheFileAndChangesNothing) {
    Folder folder;
    folder.write("set.okd", kOld);
    folder.mkdir("folder.okd");
    const std::string target = folder.path(GetParam().target);
    DiskSettingsStorage storage;
    EXPECT_EQ(messageOf([&] { storage.writeWhole(target, kNew); }),
              "ファイル " + target + " を作成できません");
    EXPECT_EQ(folder.read("set.okd"), kOld);
    EXPECT_TRUE(std::filesystem::is_directory(folder.path("folder.okd")));
    EXPECT_EQ(folder.entries(), (Names{"folder.okd", "set.okd"}));
}

INSTANTIATE_TEST_SUITE_P(Rows, WriteThatCannotCreate,
                         ::testing::Values(CreateFailureRow{"FolderMissing", "nowhere/set.okd"},
                                           CreateFailureRow{"FileUsedAsFolder", "set.okd/x.okd"},
                                           CreateFailureRow{"FolderInTheWay", "folder.okd"},
                                           CreateFailureRow{"NameTooLong",
                                                            std::string(300, 'n') + ".okd"}),
                         [](const auto& info) { return info.param.name; });

TEST(DiskSettingsStorage, ReadOnlyFileIsNotReplaced) {
    // Replacing a file by renaming needs only the folder's permission; the file's own
    // read-only mark must still stop the write.
    Folder folder;
    folder.openToEveryone();
    folder.write("locked.okd", kOld);
    ::chmod(folder.native("locked.okd").c_str(), 0444);
    asOrdinaryUser([&] {
        DiskSettingsStorage storage;
        EXPECT_EQ(messageOf([&] { storage.writeWhole(folder.path("locked.okd"), kNew); }),
                  "ファイル " + folder.native("locked.okd") + " を作成できません");
        EXPECT_EQ(folder.read("locked.okd"), kOld);
        EXPECT_EQ(folder.entries(), Names{"locked.okd"});
    });
}

TEST(DiskSettingsStorage, FolderWithoutWriteRightCannotTakeTheFile) {
    Folder folder;
    folder.write("set.okd", kOld);
    ::chmod(folder.native("").c_str(), 0755);
    ::chmod(folder.native("set.okd").c_str(), 0666);
    asOrdinaryUser([&] {
        DiskSettingsStorage storage;
        EXPECT_EQ(messageOf([&] { storage.writeWhole(folder.path("set.okd"), kNew); }),
                  "ファイル " + folder.native("set.okd") + " を作成できません");
        EXPECT_EQ(folder.read("set.okd"), kOld);
        EXPECT_EQ(folder.entries(), Names{"set.okd"});
    });
}

TEST(DiskSettingsStorage, WriteThatFailsMidwayKeepsTheOldFile) {
    // A file size limit makes the system refuse bytes past it, as a full disk does.
    Folder folder;
    folder.write("set.okd", kOld);
    DiskSettingsStorage storage;
    const std::string text(10000, '7');
    rlimit saved;
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit tight = saved;
    tight.rlim_cur = 100;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &tight), 0);
    const std::string message =
        messageOf([&] { storage.writeWhole(folder.path("set.okd"), text); });
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(message, "ストリームへの書き込みエラー");
    EXPECT_EQ(folder.read("set.okd"), kOld);
    EXPECT_EQ(folder.entries(), Names{"set.okd"});
}

} // namespace
