// Faults of the file system under File > Save and File > Open of the real window: a folder
// that is not there, a folder or a read-only file in the way, a disk that fills up, a file
// that goes away or changes after the dialog closed, a file the user may not read, a file
// of 100 MB. Each gives its message, and leaves the files on disk, the set-up in the window
// and the folder (no temporary file) exactly as they were.
#include "scripted_settings_window.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <cstdio>
#include <cstdlib>
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

    bool isRegularFile(const QString& path) const override {
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
    void writeWhole(const QString& path, std::string_view bytes) override {
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
    QString answer; // what the user confirms in the dialog, in the folder
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
    QString path(const QString& name) const { return dir_.filePath(name); }
    std::string native(const QString& name) const { return path(name).toStdString(); }

    void writeFile(const QString& name, const QByteArray& bytes) const {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    // Written a megabyte at a time, so the test itself never holds the whole file.
    void writeBigFile(const QString& name, const QByteArray& head, qint64 size, char fill) const {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(head), head.size());
        const QByteArray chunk(1 << 20, fill);
        for (qint64 left = size - head.size(); left > 0; left -= chunk.size())
            ASSERT_EQ(file.write(chunk.left(int(std::min<qint64>(left, chunk.size())))),
                      std::min<qint64>(left, chunk.size()));
    }

    // Called by a fault that changes the folder while the command runs, right after it did:
    // from then on nothing else may change.
    void faultDone() { afterFault_ = folderContents(); }

    // Lets an ordinary user create files in the folder and read the files in it.
    void openFolderToEveryone() const { ::chmod(native("").c_str(), 0777); }

    HookedDiskStorage* storage = nullptr;

protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        auto hooked = std::make_unique<HookedDiskStorage>();
        storage = hooked.get();
        window_ = std::make_unique<ScriptedSettingsWindow>(std::move(hooked));
        changeTheSetup();
        // A previous Save: the file that a failed Save must not destroy.
        window_->saveDialog->answers.push_back(path("kept.okd"));
        window_->form->SaveS1->trigger();
        ASSERT_EQ(window_->errors->shown, std::vector<std::string>{});
        ASSERT_TRUE(QDir(dir_.path()).mkdir("folder.okd"));
        writeFile("folder.okd/inside.okd", "a file in the folder\r\n");
    }

    // A set-up far from the start-up one, so that a fault that resets anything shows.
    void changeTheSetup() {
        TForm1& w = *window_->form;
        w.thetachanger->setPosition(55);
        w.phichanger->setPosition(-95);
        w.numpoints->setPosition(12);
        w.numzoom->setPosition(41);
        w.velocitychanger->setPosition(8);
        w.fpschanger->setPosition(640);
        w.gens0->click();
        w.ch_bashi->click();
        w.ch_rect->click();
        w.ch_guruguru->click();
        const auto buttons = w.sourceButtons();
        const char* const typed[] = {"  12", "$1F", "-7", "007", "+3"};
        for (std::size_t i = 0; i < buttons.size(); ++i) {
            window_->input->answers.push_back(typed[i % 5]);
            buttons[i]->click();
        }
    }

    // Every name under the folder with what it holds, one per line, bytes outside printable
    // ASCII escaped; a big file by its size and digest.
    std::string folderContents() const {
        std::map<QString, QByteArray> contents;
        QDirIterator it(dir_.path(),
                        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString name = it.next();
            const QString relative = QDir(dir_.path()).relativeFilePath(name);
            QFile file(name);
            if (it.fileInfo().isDir())
                contents[relative] = "<folder>";
            else if (!file.open(QIODevice::ReadOnly))
                contents[relative] = "<unreadable>";
            else if (file.size() <= (1 << 20))
                contents[relative] = file.readAll();
            else {
                QCryptographicHash digest(QCryptographicHash::Sha256);
                digest.addData(&file);
                contents[relative] =
                    QByteArray::number(file.size()) + " bytes " + digest.result().toHex();
            }
        }
        std::string listing;
        for (const auto& [name, bytes] : contents) {
            listing += name.toStdString() + ": ";
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
            window_->form->OpenO1->trigger();
        } else {
            window_->saveDialog->answers.push_back(path(row.answer));
            window_->form->SaveS1->trigger();
        }

        std::vector<std::string> expected;
        if (!row.message.empty()) {
            std::string message = row.message;
            const std::string placeholder = "{folder}";
            if (const auto at = message.find(placeholder); at != std::string::npos)
                message = message.substr(0, at) + dir_.path().toStdString() +
                          message.substr(at + placeholder.size());
            expected.push_back(message);
        }
        EXPECT_EQ(window_->errors->shown, expected);
        EXPECT_EQ(windowState(*window_->form).describe(), before) << "the set-up is unchanged";
        EXPECT_EQ(folderContents(), afterFault_ ? *afterFault_ : filesBefore)
            << "every file as it was, none added";
        // Reading holds at most a few lines of bounded length, whatever the file's size.
        EXPECT_LT(peakMemoryKiB() - memoryBefore, 32 * 1024);
    }

    QTemporaryDir dir_;
    std::unique_ptr<ScriptedSettingsWindow> window_;
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

constexpr qint64 kHundredMB = qint64(100) << 20;

// The error box's texts that quote a line or name a file in the folder.
std::string notAnInteger(const std::string& quoted) {
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
        FaultRow{"SaveWithNameTooLong", Command::Save, QString(300, 'n'), nullptr, Rights::Root,
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
                     QFile::copy(t.path("kept.okd"), t.path("gone.okd"));
                     t.storage->beforeCheck = [&t] {
                         QFile::remove(t.path("gone.okd"));
                         t.faultDone();
                     };
                 },
                 Rights::Root, ""},
        FaultRow{"OpenFileRemovedJustBeforeItIsOpened", Command::Open, "gone.okd",
                 [](FaultFolder& t) {
                     QFile::copy(t.path("kept.okd"), t.path("gone.okd"));
                     t.storage->afterCheck = [&t] {
                         QFile::remove(t.path("gone.okd"));
                         t.faultDone();
                     };
                 },
                 Rights::Root, "ファイルが見つかりません."},
        // The message ends in a bracket, so the error box adds no full stop.
        FaultRow{"OpenFileReplacedByAFolderJustBeforeItIsOpened", Command::Open, "turned.okd",
                 [](FaultFolder& t) {
                     QFile::copy(t.path("kept.okd"), t.path("turned.okd"));
                     t.storage->afterCheck = [&t] {
                         QFile::remove(t.path("turned.okd"));
                         QDir(t.path("")).mkdir("turned.okd");
                         t.faultDone();
                     };
                 },
                 Rights::Root, "I/O エラー (21)"},
        FaultRow{"OpenUnreadableFile", Command::Open, "secret.okd",
                 [](FaultFolder& t) {
                     t.openFolderToEveryone();
                     QFile::copy(t.path("kept.okd"), t.path("secret.okd"));
                     ::chmod(t.native("secret.okd").c_str(), 0);
                 },
                 Rights::OrdinaryUser, "ファイルへのアクセスが拒否されました."},
        FaultRow{"OpenHundredMegabytesOnOneLine", Command::Open, "huge.okd",
                 [](FaultFolder& t) { t.writeBigFile("huge.okd", "", kHundredMB, '1'); },
                 Rights::Root, notAnInteger(std::string(100, '1') + "…")},
        FaultRow{"OpenHundredMegabytesOfZeroBytes", Command::Open, "zeros.okd",
                 [](FaultFolder& t) { t.writeBigFile("zeros.okd", "", kHundredMB, '\0'); },
                 Rights::Root,
                 // The error box cannot show a NUL byte, so each shows as U+FFFD.
                 [] {
                     std::string quoted;
                     for (int i = 0; i < 100; ++i)
                         quoted += "\xEF\xBF\xBD";
                     return notAnInteger(quoted + "…");
                 }()},
        FaultRow{"OpenHundredMegabytesGoingBadAtLine20", Command::Open, "late.okd",
                 [](FaultFolder& t) {
                     QByteArray head;
                     for (int line = 1; line < 20; ++line)
                         head += line <= 17 ? "-1\r\n" : "5\r\n";
                     t.writeBigFile("late.okd", head + "x", kHundredMB, 'x');
                 },
                 Rights::Root, notAnInteger(std::string(100, 'x') + "…")}),
    [](const auto& info) { return info.param.name; });

TEST_F(FaultFolder, HundredMegabytesAfterAValidSetupAreNeverRead) {
    QByteArray head;
    const char* const lines[] = {"10", "20", "30", "40", "50", "60", "-1", "0",  "0",  "0",
                                 "-1", "0",  "-1", "0",  "-1", "0",  "-1", "1",  "2",  "3",
                                 "4",  "5",  "6",  "7",  "8",  "9",  "10", "11", "12", "13",
                                 "14", "15", "16", "17", "18", "19", "20"};
    for (const char* line : lines)
        head += QByteArray(line) + "\r\n";
    writeBigFile("tail.okd", head, kHundredMB, '\xff');
    const long memoryBefore = peakMemoryKiB();
    window_->openDialog->answers.push_back(path("tail.okd"));
    window_->form->OpenO1->trigger();
    EXPECT_EQ(window_->errors->shown, std::vector<std::string>{});
    const WindowState now = windowState(*window_->form);
    EXPECT_EQ(now.sliders, (std::array<int, 6>{10, 20, 30, 40, 50, 60}));
    EXPECT_EQ(now.options, (std::array<bool, 11>{true, false, false, false, true, false, true,
                                                 false, true, false, true}));
    EXPECT_EQ(now.captions[19], QStringLiteral("Φ:20"));
    EXPECT_EQ(now.hagen[3].phase, 20.0);
    EXPECT_LT(peakMemoryKiB() - memoryBefore, 32 * 1024);
}

} // namespace
