// Faults of the file system under File > Save and File > Open of the real window: a folder
// that is not there, a folder or a read-only file in the way, a disk that fills up, a file
// that goes away or changes after the dialog closed, a file the user may not read, a file
// of 100 MB. Each gives its message, and leaves the files on disk, the set-up in the window
// and the folder (no temporary file) exactly as they were.
#include "scripted_window.h"
#include "settings_file_limit.h"
#include "temp_folder.h"
#include "window_state.h"

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// The real disk, with hooks through which a test acts between the program's steps as another
// program or a failing disk would.
class HookedDiskStorage final : public platform::SettingsStorage {
public:
    std::function<void()> beforeCheck; // after the dialog closed, before Open looks
    std::function<void()> afterCheck;  // between Open's look and its opening of the file
    // Runs the write it is given, inside whatever conditions the test sets up around it.
    std::function<void(const std::function<void()>&)> aroundWrite;

    bool isRegularFile(const std::string& path) const override {
        if (beforeCheck)
            beforeCheck();
        const bool regular = disk_.isRegularFile(path);
        if (afterCheck)
            afterCheck();
        return regular;
    }
    std::unique_ptr<platform::SettingsInput> openForReading(const std::string& path) override {
        return disk_.openForReading(path);
    }
    void writeWhole(const std::string& path, std::string_view bytes) override {
        const auto write = [&] { disk_.writeWhole(path, bytes); };
        if (aroundWrite)
            aroundWrite(write);
        else
            write();
    }

private:
    platform::DiskSettingsStorage disk_;
};

// While it lives, the system refuses to let any file grow past `bytes`, as a full disk
// does: a write stops short and the next one fails.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit tight = saved_;
        tight.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &tight);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*oldHandler_)(int) = SIG_DFL;
};

// A digest of a big file's bytes (64-bit FNV-1a), enough to tell that it changed.
std::string digestOf(std::istream& in) {
    std::uint64_t hash = 14695981039346656037ull;
    char chunk[1 << 16];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0)
        for (std::streamsize i = 0; i < in.gcount(); ++i)
            hash = (hash ^ static_cast<unsigned char>(chunk[i])) * 1099511628211ull;
    return std::to_string(hash);
}

// The most memory the process has held at once so far, in KiB.
long peakMemoryKiB() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

enum class Command { Open, Save };
enum class Rights { Root, OrdinaryUser };

class FaultFolder;

struct FaultRow {
    std::string name;
    Command command;
    std::string answer; // what the user confirms in the dialog, in the folder
    std::function<void(FaultFolder&)> prepare; // puts the fault in place
    Rights rights;
    std::string message; // in the error box, "{folder}" standing for the folder; "" for none
};

void PrintTo(const FaultRow& row, std::ostream* out) {
    *out << row.name;
}

// A window with a changed set-up, saved once to kept.okd, beside a folder folder.okd.
class FaultFolder : public ::testing::Test {
public:
    std::string path(const std::string& name) const { return dir_.path(name); }
    std::string native(const std::string& name) const { return path(name); }

    void writeFile(const std::string& name, const std::string& bytes) const {
        dir_.write(name, bytes);
    }
    void copyFile(const std::string& from, const std::string& to) const {
        std::filesystem::copy_file(path(from), path(to));
    }

    // Written a megabyte at a time, so the test itself never holds the whole file.
    void writeBigFile(const std::string& name, const std::string& head, std::int64_t size,
                      char fill) const {
        std::ofstream file(path(name), std::ios::binary);
        file << head;
        const std::string chunk(1 << 20, fill);
        for (std::int64_t left = size - std::int64_t(head.size()); left > 0;
             left -= std::int64_t(chunk.size()))
            file.write(chunk.data(), std::min<std::int64_t>(left, std::int64_t(chunk.size())));
        ASSERT_TRUE(file.good());
    }

    // Called by a fault that changes the folder while the command runs, right after it did:
    // from then on nothing else may change.
    void faultDone() { afterFault_ = folderContents(); }

    // Lets an ordinary user create files in the folder and read the files in it.
    void openFolderToEveryone() const { ::chmod(native("").c_str(), 0777); }

    HookedDiskStorage* storage = nullptr;

protected:
    void SetUp() override {
        auto hooked = std::make_unique<HookedDiskStorage>();
        storage = hooked.get();
        window_ = std::make_unique<ScriptedWindow>(std::move(hooked));
        changeTheSetup();
        // A previous Save: the file that a failed Save must not destroy.
        window_->saveDialog->answers.push_back(path("kept.okd"));
        window_->form->SaveS1.choose();
        ASSERT_EQ(window_->errors->shown, std::vector<std::string>{});
        dir_.mkdir("folder.okd");
        writeFile("folder.okd/inside.okd", "a file in the folder\r\n");
    }

    // A set-up far from the start-up one, so that a fault that resets anything shows.
    void changeTheSetup() {
        TForm1& w = *window_->form;
        w.thetachanger.setPosition(55);
        w.phichanger.setPosition(-95);
        w.numpoints.setPosition(12);
        w.numzoom.setPosition(41);
        w.velocitychanger.setPosition(8);
        w.fpschanger.setPosition(640);
        w.gens0.select();
        w.ch_bashi.toggle();
        w.ch_rect.toggle();
        w.ch_guruguru.toggle();
        const auto buttons = w.sourceButtons();
        const char* const typed[] = {"  12", "$1F", "-7", "007", "+3"};
        for (std::size_t i = 0; i < buttons.size(); ++i) {
            window_->input->answers.push_back(typed[i % 5]);
            buttons[i]->press();
        }
    }

    // Every name under the folder with what it holds, one per line, bytes outside printable
    // ASCII escaped; a big file by its size and digest.
    std::string folderContents() const {
        std::map<std::string, std::string> contents;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(dir_.dir())) {
            const std::string relative =
                std::filesystem::relative(entry.path(), dir_.dir()).string();
            std::ifstream file(entry.path(), std::ios::binary);
            if (entry.is_directory())
                contents[relative] = "<folder>";
            else if (!file)
                contents[relative] = "<unreadable>";
            else if (entry.file_size() <= (1 << 20))
                contents[relative] = std::string(std::istreambuf_iterator<char>(file), {});
            else
                contents[relative] = std::to_string(entry.file_size()) + " bytes " + digestOf(file);
        }
        std::string listing;
        for (const auto& [name, bytes] : contents) {
            listing += name + ": ";
            for (const char c : bytes) {
                if (c >= ' ' && c <= '~') {
                    listing += c;
                } else {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\x%02X", unsigned(c) & 0xFFu);
                    listing += escaped;
                }
            }
            listing += '\n';
        }
        return listing;
    }

    // Carries out the row's command and checks everything the user relies on afterwards.
    void runAndCheck(const FaultRow& row) {
        const std::string before = windowState(*window_->form).describe();
        const auto filesBefore = folderContents();
        const long memoryBefore = peakMemoryKiB();

        if (row.command == Command::Open) {
            window_->openDialog->answers.push_back(path(row.answer));
            window_->form->OpenO1.choose();
        } else {
            window_->saveDialog->answers.push_back(path(row.answer));
            window_->form->SaveS1.choose();
        }

        std::vector<std::string> expected;
        if (!row.message.empty()) {
            std::string message = row.message;
            const std::string placeholder = "{folder}";
            if (const auto at = message.find(placeholder); at != std::string::npos)
                message =
                    message.substr(0, at) + dir_.dir() + message.substr(at + placeholder.size());
            expected.push_back(message);
        }
        EXPECT_EQ(window_->errors->shown, expected);
        EXPECT_EQ(windowState(*window_->form).describe(), before) << "the set-up is unchanged";
        EXPECT_EQ(folderContents(), afterFault_ ? *afterFault_ : filesBefore)
            << "every file as it was, none added";
        // Reading holds at most a few lines of bounded length, whatever the file's size.
        EXPECT_LT(peakMemoryKiB() - memoryBefore, 32 * 1024);
    }

    testsupport::TempFolder dir_;
    std::unique_ptr<ScriptedWindow> window_;
    std::optional<std::string> afterFault_;
};

class FileFaults : public FaultFolder, public ::testing::WithParamInterface<FaultRow> {};

TEST_P(FileFaults, GiveTheirMessageAndChangeNothing) {
    const FaultRow& row = GetParam();
    if (row.prepare)
        row.prepare(*this);
    if (row.rights == Rights::Root || ::geteuid() != 0) {
        runAndCheck(row);
        return;
    }
    // Root may read and write any file, so the command runs in a child process that gives
    // up root first and reports by its exit code.
    const auto filesBefore = folderContents();
    EXPECT_EXIT(
        {
            constexpr uid_t kNobody = 65534;
            if (::setresgid(kNobody, kNobody, kNobody) != 0 ||
                ::setresuid(kNobody, kNobody, kNobody) != 0)
                std::_Exit(2);
            // Failures are printed on standard output; the parent shows standard error.
            ::dup2(STDERR_FILENO, STDOUT_FILENO);
            runAndCheck(row);
            std::_Exit(::testing::Test::HasFailure() ? 1 : 0);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(folderContents(), filesBefore);
}

// The largest file the program reads: its lines still stream through in constant memory.
constexpr std::int64_t kLargestFile = std::int64_t(sound::kSettingsFileLimit);

// The error box's texts that quote a line or name a file in the folder.
std::string notAnIntegerMessage(const std::string& quoted) {
    std::string text = "'";
    text += quoted;
    text += "' は整数ではありません.";
    return text;
}
std::string cannotCreate(const std::string& name) {
    std::string text = "ファイル {folder}/";
    text += name;
    text += " を作成できません.";
    return text;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FileFaults,
    ::testing::Values(
        FaultRow{"SaveIntoMissingFolder", Command::Save, "nowhere/set.okd", nullptr, Rights::Root,
                 cannotCreate("nowhere/set.okd")},
        // The name gets ".okd" first, and that is a folder.
        FaultRow{"SaveOntoFolder", Command::Save, "folder", nullptr, Rights::Root,
                 cannotCreate("folder.okd")},
        FaultRow{"SaveWithNameTooLong", Command::Save, std::string(300, 'n'), nullptr, Rights::Root,
                 cannotCreate(std::string(300, 'n') + ".okd")},
        FaultRow{"SaveOntoReadOnlyFile", Command::Save, "kept.okd",
                 [](FaultFolder& t) {
                     // The folder lets anyone replace files: only the file's own mark
                     // stands in the way.
                     t.openFolderToEveryone();
                     ::chmod(t.native("kept.okd").c_str(), 0444);
                 },
                 Rights::OrdinaryUser, cannotCreate("kept.okd")},
        FaultRow{"SaveIntoFolderWithoutWriteRight", Command::Save, "kept.okd",
                 [](FaultFolder& t) {
                     ::chmod(t.native("").c_str(), 0755);
                     ::chmod(t.native("kept.okd").c_str(), 0666);
                 },
                 Rights::OrdinaryUser, cannotCreate("kept.okd")},
        FaultRow{"SaveWhileTheDiskFillsUp", Command::Save, "kept.okd",
                 [](FaultFolder& t) {
                     // 50 of the 124 or so bytes fit.
                     t.storage->aroundWrite = [](const std::function<void()>& write) {
                         FileSizeLimit full(50);
                         write();
                     };
                 },
                 Rights::Root, "ストリームへの書き込みエラー."},
        FaultRow{"SaveOfANewFileWhileTheDiskIsFull", Command::Save, "new",
                 [](FaultFolder& t) {
                     t.storage->aroundWrite = [](const std::function<void()>& write) {
                         FileSizeLimit full(0);
                         write();
                     };
                 },
                 Rights::Root, "ストリームへの書き込みエラー."},
        // A folder is not a settings file: Open ends without a word.
        FaultRow{"OpenFolder", Command::Open, "folder.okd", nullptr, Rights::Root, ""},
        FaultRow{"OpenFileRemovedAfterTheDialogClosed", Command::Open, "gone.okd",
                 [](FaultFolder& t) {
                     t.copyFile("kept.okd", "gone.okd");
                     t.storage->beforeCheck = [&t] {
                         std::filesystem::remove(t.path("gone.okd"));
                         t.faultDone();
                     };
                 },
                 Rights::Root, ""},
        FaultRow{"OpenFileRemovedJustBeforeItIsOpened", Command::Open, "gone.okd",
                 [](FaultFolder& t) {
                     t.copyFile("kept.okd", "gone.okd");
                     t.storage->afterCheck = [&t] {
                         std::filesystem::remove(t.path("gone.okd"));
                         t.faultDone();
                     };
                 },
                 Rights::Root, "ファイルが見つかりません."},
        // The message ends in a bracket, so the error box adds no full stop.
        FaultRow{"OpenFileReplacedByAFolderJustBeforeItIsOpened", Command::Open, "turned.okd",
                 [](FaultFolder& t) {
                     t.copyFile("kept.okd", "turned.okd");
                     t.storage->afterCheck = [&t] {
                         std::filesystem::remove(t.path("turned.okd"));
                         std::filesystem::create_directory(t.path("turned.okd"));
                         t.faultDone();
                     };
                 },
                 Rights::Root, "ファイルではなくフォルダです."},
        FaultRow{"OpenUnreadableFile", Command::Open, "secret.okd",
                 [](FaultFolder& t) {
                     t.openFolderToEveryone();
                     t.copyFile("kept.okd", "secret.okd");
                     ::chmod(t.native("secret.okd").c_str(), 0);
                 },
                 Rights::OrdinaryUser, "ファイルへのアクセスが拒否されました."},
        FaultRow{"OpenLargestFileOnOneLine", Command::Open, "huge.okd",
                 [](FaultFolder& t) { t.writeBigFile("huge.okd", "", kLargestFile, '1'); },
                 Rights::Root, notAnIntegerMessage(std::string(100, '1') + "…")},
        FaultRow{"OpenLargestFileOfZeroBytes", Command::Open, "zeros.okd",
                 [](FaultFolder& t) { t.writeBigFile("zeros.okd", "", kLargestFile, '\0'); },
                 Rights::Root,
                 // The error box shows each NUL byte as an escape.
                 [] {
                     std::string quoted;
                     for (int i = 0; i < 100; ++i)
                         quoted += "\\x00";
                     return notAnIntegerMessage(quoted + "…");
                 }()},
        FaultRow{"OpenLargestFileGoingBadAtLine20", Command::Open, "late.okd",
                 [](FaultFolder& t) {
                     std::string head;
                     for (int line = 1; line < 20; ++line)
                         head += line <= 17 ? "-1\r\n" : "5\r\n";
                     t.writeBigFile("late.okd", head + "x", kLargestFile, 'x');
                 },
                 Rights::Root, notAnIntegerMessage(std::string(100, 'x') + "…")},
        // A valid set-up, but one byte too many; the message ends in a bracket.
        FaultRow{"OpenFileOverTheLimit", Command::Open, "over.okd",
                 [](FaultFolder& t) {
                     t.copyFile("kept.okd", "over.okd");
                     std::filesystem::resize_file(t.path("over.okd"), kLargestFile + 1);
                 },
                 Rights::Root, sound::kSettingsFileTooLarge}),
    [](const auto& info) { return info.param.name; });

TEST_F(FaultFolder, LargestFileAfterAValidSetupIsNeverRead) {
    std::string head;
    const char* const lines[] = {"10", "20", "30", "40", "50", "60", "-1", "0",  "0",  "0",
                                 "-1", "0",  "-1", "0",  "-1", "0",  "-1", "1",  "2",  "3",
                                 "4",  "5",  "6",  "7",  "8",  "9",  "10", "11", "12", "13",
                                 "14", "15", "16", "17", "18", "19", "20"};
    for (const char* line : lines)
        head += std::string(line) + "\r\n";
    writeBigFile("tail.okd", head, kLargestFile, '\xff');
    const long memoryBefore = peakMemoryKiB();
    window_->openDialog->answers.push_back(path("tail.okd"));
    window_->form->OpenO1.choose();
    EXPECT_EQ(window_->errors->shown, std::vector<std::string>{});
    const WindowState now = windowState(*window_->form);
    EXPECT_EQ(now.sliders, (std::array<int, 6>{10, 20, 30, 40, 50, 60}));
    EXPECT_EQ(now.options, (std::array<bool, 11>{true, false, false, false, true, false, true,
                                                 false, true, false, true}));
    EXPECT_EQ(now.captions[19], "Φ:20");
    EXPECT_EQ(now.hagen[3].phase, 20.0);
    EXPECT_LT(peakMemoryKiB() - memoryBefore, 8 * 1024);
}

} // namespace
