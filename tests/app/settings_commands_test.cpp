// Save and Open through the File menu of the real window, with scripted dialogs and boxes
// and real files in a temporary folder.
#include "open_descriptors.h"
#include "program_error.h"
#include "row_text.h"
#include "scripted_window.h"
#include "settings_file.h"
#include "settings_storage.h"
#include "sound.h"
#include "source_fields.h"
#include "startup_settings_lines.h"
#include "temp_folder.h"
#include "tform1.h"
#include "window_state.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <dirent.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {

using namespace std::string_literals;
using sound::StoredSetup;

using testsupport::joinLines;
using testsupport::RowText;
using testsupport::startupLines;
using testsupport::startupWith;

using testsupport::openDescriptorCount;

using Names = std::vector<std::string>;

// A fresh main window with scripted dialogs, boxes and timer, over a temporary folder.
class SettingsCommands : public ::testing::Test {
protected:
    void SetUp() override { makeWindow(); }

    // Replaces the window by a fresh one, as after a new start of the program.
    void makeWindow(std::unique_ptr<platform::SettingsStorage> storage = nullptr) {
        scripted_.reset();
        scripted_ = std::make_unique<ScriptedWindow>(std::move(storage));
        window_ = scripted_->form.get();
        openDialog_ = scripted_->openDialog;
        saveDialog_ = scripted_->saveDialog;
        errorBox_ = scripted_->errors;
        inputBox_ = scripted_->input;
    }

    std::string path(const std::string& name) const { return dir_.path(name); }

    void writeFile(const std::string& name, const std::string& bytes) const {
        dir_.write(name, bytes);
    }
    std::string readFile(const std::string& name) const {
        const std::string bytes = dir_.read(name);
        return bytes == "<unreadable>" ? "<missing>" : bytes;
    }
    Names entries() const { return dir_.entries(); }

    // File > Open, the user confirming `answer` (a name in the folder) or cancelling.
    void open(const std::optional<std::string>& answer) {
        openDialog_->answers.push_back(answer ? std::optional(path(*answer)) : std::nullopt);
        window_->OpenO1.choose();
    }
    void openLines(const std::vector<std::string>& lines) {
        writeFile("set.okd", joinLines(lines, "\r\n"));
        open("set.okd");
    }
    // File > Save, the user confirming `answer` as it stands or cancelling.
    void save(const std::optional<std::string>& answer) {
        saveDialog_->answers.push_back(answer);
        window_->SaveS1.choose();
    }

    std::vector<std::string> errors() const { return errorBox_->shown; }

    testsupport::TempFolder dir_;
    std::unique_ptr<ScriptedWindow> scripted_;
    TForm1* window_ = nullptr;
    platform::HeadlessFileDialog* openDialog_ = nullptr;
    platform::HeadlessFileDialog* saveDialog_ = nullptr;
    platform::HeadlessErrorBox* errorBox_ = nullptr;
    platform::HeadlessInputBox* inputBox_ = nullptr;
};

// --- Save ---

TEST_F(SettingsCommands, SaveRightAfterStartWritesTheStartupFile) {
    save(path("startup"));
    EXPECT_EQ(errors(), std::vector<std::string>{});
    const std::string expected = joinLines(startupLines(), "\r\n");
    ASSERT_EQ(expected.size(), 124u);
    EXPECT_EQ(readFile("startup.okd"), expected);
    EXPECT_EQ(saveDialog_->fileName(), path("startup.okd"));
    ASSERT_EQ(window_->saver.items().size(), 37u);
    EXPECT_EQ(window_->saver.items()[0], "-30");
    EXPECT_FALSE(window_->saver.visible());
    EXPECT_EQ(entries(), Names{"startup.okd"});
}

struct ExtensionRow {
    std::string name;
    std::string typed;
    std::string written;
};

void PrintTo(const ExtensionRow& row, std::ostream* out) {
    *out << row.name;
}

class SaveExtension : public SettingsCommands,
                      public ::testing::WithParamInterface<ExtensionRow> {};

TEST_P(SaveExtension, AppendsDotOkdUnlessTheNameEndsInExactlyThat) {
    // Relative names, so that the rule sees names as short as two characters.
    const std::filesystem::path oldCurrent = std::filesystem::current_path();
    std::filesystem::current_path(dir_.dir());
    save(GetParam().typed);
    std::filesystem::current_path(oldCurrent);
    EXPECT_EQ(errors(), std::vector<std::string>{});
    EXPECT_EQ(saveDialog_->fileName(), GetParam().written);
    EXPECT_EQ(entries(), Names{GetParam().written});
    // The longer name is offered the next time.
    save(std::nullopt);
    EXPECT_EQ(saveDialog_->offered.back(), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(Rows, SaveExtension,
                         ::testing::Values(ExtensionRow{"NoExtension", "set", "set.okd"},
                                           ExtensionRow{"AlreadyDotOkd", "set.okd", "set.okd"},
                                           ExtensionRow{"JustDotOkd", ".okd", ".okd"},
                                           ExtensionRow{"CapitalLetters", "set.OKD", "set.OKD.okd"},
                                           ExtensionRow{"MixedCase", "set.Okd", "set.Okd.okd"},
                                           ExtensionRow{"TwoCharacters", "ab", "ab.okd"},
                                           ExtensionRow{"OkdWithoutDot", "okd", "okd.okd"},
                                           ExtensionRow{"OtherExtension", "set.txt", "set.txt.okd"},
                                           ExtensionRow{"JapaneseName", "波源.okd", "波源.okd"}),
                         [](const auto& info) { return info.param.name; });

TEST_F(SettingsCommands, CancelledSaveWritesNothing) {
    writeFile("set.okd", "old");
    save(path("set.okd"));
    window_->thetachanger.setPosition(10);
    writeFile("set.okd", "old");
    save(std::nullopt);
    EXPECT_EQ(readFile("set.okd"), "old");
    EXPECT_EQ(entries(), Names{"set.okd"});
    EXPECT_EQ(saveDialog_->fileName(), path("set.okd"));
    EXPECT_EQ(errors(), std::vector<std::string>{});
}

TEST_F(SettingsCommands, SaveThatCannotCreateNamesTheFileAndKeepsTheLongerName) {
    save(path("nowhere/set"));
    const std::string name = path("nowhere/set.okd");
    EXPECT_EQ(errors(), std::vector<std::string>{"ファイル " + name + " を作成できません."});
    EXPECT_EQ(saveDialog_->fileName(), path("nowhere/set.okd"));
    EXPECT_EQ(entries(), Names{});
}

TEST_F(SettingsCommands, SaveThatFailsMidwayKeepsTheOldFile) {
    // A file size limit makes the system refuse the bytes past it, as a full disk does.
    const std::string old = "the old set-up\r\n";
    writeFile("set.okd", old);
    rlimit saved;
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit tight = saved;
    tight.rlim_cur = 50;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &tight), 0);
    save(path("set.okd"));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(errors(), std::vector<std::string>{"ストリームへの書き込みエラー."});
    EXPECT_EQ(readFile("set.okd"), old);
    EXPECT_EQ(entries(), Names{"set.okd"}) << "no temporary file is left";
}

// --- Open: the whole set-up ---

TEST_F(SettingsCommands, OpenOfTheStartupFileOnlySetsTheElevation) {
    save(path("startup.okd"));
    const WindowState before = windowState(*window_);
    ASSERT_EQ(before.theta, 30.0) << "the start-up elevation differs from its slider";
    open("startup.okd");
    EXPECT_EQ(errors(), std::vector<std::string>{});
    WindowState expected = before;
    expected.theta = -30.0;
    EXPECT_EQ(windowState(*window_).describe(), expected.describe());
}

// Changes every part of the set-up the way a user does.
void changeEverything(TForm1& window, platform::HeadlessInputBox& inputBox) {
    window.thetachanger.setPosition(40);
    window.phichanger.setPosition(-120);
    window.numpoints.setPosition(33);
    window.numzoom.setPosition(12);
    window.velocitychanger.setPosition(37);
    window.fpschanger.setPosition(450);
    window.gens0.select();
    window.ch_baishitsu.toggle();
    window.ch_seibun.toggle();
    window.ch_2cut.toggle();
    window.ch_guruguru.toggle();
    window.ch_koma.toggle();
    const auto buttons = window.sourceButtons();
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        inputBox.answers.push_back(std::to_string(int(i * 137) - 1000));
        buttons[i]->press();
    }
}

TEST_F(SettingsCommands, ChangedSetupComesBackWholeInAFreshWindow) {
    changeEverything(*window_, *inputBox_);
    const WindowState changed = windowState(*window_);
    save(path("changed"));
    makeWindow();
    ASSERT_NE(windowState(*window_).describe(), changed.describe());
    open("changed.okd");
    EXPECT_EQ(errors(), std::vector<std::string>{});
    EXPECT_EQ(windowState(*window_).describe(), changed.describe());
}

struct LineBreakRow {
    std::string name;
    std::string lineBreak;
    bool finalBreak;
    std::vector<std::string> after37; // lines after the 37th
};

void PrintTo(const LineBreakRow& row, std::ostream* out) {
    *out << row.name;
}

class OpenLineBreaks : public SettingsCommands,
                       public ::testing::WithParamInterface<LineBreakRow> {};

TEST_P(OpenLineBreaks, ReadAlike) {
    changeEverything(*window_, *inputBox_);
    const WindowState changed = windowState(*window_);
    save(path("changed.okd"));
    const std::string written = readFile("changed.okd");
    std::vector<std::string> lines;
    std::istringstream in(written);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line.substr(0, line.size() - 1));
    ASSERT_EQ(lines.size(), 37u);
    lines.insert(lines.end(), GetParam().after37.begin(), GetParam().after37.end());
    writeFile("other.okd", joinLines(lines, GetParam().lineBreak, GetParam().finalBreak));
    makeWindow();
    open("other.okd");
    EXPECT_EQ(errors(), std::vector<std::string>{});
    EXPECT_EQ(windowState(*window_).describe(), changed.describe());
}

INSTANTIATE_TEST_SUITE_P(Rows, OpenLineBreaks,
                         ::testing::Values(LineBreakRow{"CrLf", "\r\n", true, {}},
                                           LineBreakRow{"LfOnly", "\n", true, {}},
                                           LineBreakRow{"NoFinalBreak", "\r\n", false, {}},
                                           LineBreakRow{"LfOnlyNoFinalBreak", "\n", false, {}},
                                           // Lines after the 37th are never read.
                                           LineBreakRow{"FortyLinesWithRubbish",
                                                        "\r\n",
                                                        true,
                                                        {"rubbish", "\xff\xfe", ""}}),
                         [](const auto& info) { return info.param.name; });

// --- Open: one line at a time ---

struct SliderRow {
    std::string name;
    int line;
    std::string text;
    std::optional<int> preset; // the slider's position before Open
    int position;              // the slider's position after
    double global;             // theta, phi or every speed after; unused for lines 3, 4, 6
};

void PrintTo(const SliderRow& row, std::ostream* out) {
    *out << row.name;
}

class OpenSliderLine : public SettingsCommands, public ::testing::WithParamInterface<SliderRow> {
protected:
    platform::TrackBar* slider() const {
        const std::array<platform::TrackBar*, 6> sliders = {
            &window_->thetachanger, &window_->phichanger,      &window_->numpoints,
            &window_->numzoom,      &window_->velocitychanger, &window_->fpschanger};
        return sliders[std::size_t(GetParam().line - 1)];
    }
};

TEST_P(OpenSliderLine, SetsTheValueThenTheSlider) {
    const SliderRow& row = GetParam();
    if (row.preset)
        slider()->setPosition(*row.preset);
    // The other lines as the window stands, so that only this line's effect shows.
    std::vector<std::string> lines = startupWith({{row.line, row.text}});
    lines[0] = std::to_string(window_->thetachanger.position());
    lines[1] = std::to_string(window_->phichanger.position());
    lines[4] = std::to_string(window_->velocitychanger.position());
    lines[std::size_t(row.line - 1)] = row.text;
    openLines(lines);
    EXPECT_EQ(errors(), std::vector<std::string>{});
    EXPECT_EQ(slider()->position(), row.position);
    if (row.line == 1) {
        EXPECT_EQ(sound::theta, row.global);
    } else if (row.line == 2) {
        EXPECT_EQ(sound::phi, row.global);
    } else if (row.line == 5) {
        for (const sound::THagen& source : sound::hagen)
            EXPECT_EQ(source.speed, row.global);
    }
    EXPECT_EQ(window_->Timer1->interval(), 0) << "Open never starts the animation";
}

INSTANTIATE_TEST_SUITE_P(
    Rows, OpenSliderLine,
    ::testing::Values(SliderRow{"ElevationInsideRangeMovesSlider", 1, "45", std::nullopt, 45, 45},
                      SliderRow{"ElevationAboveRangeMovesSliderToItsEnd", 1, "120", std::nullopt,
                                90, 90},
                      SliderRow{"ElevationAboveRangeSliderAlreadyAtEnd", 1, "120", 90, 90, 120},
                      SliderRow{"ElevationBelowRange", 1, "-500", std::nullopt, -90, -90},
                      SliderRow{"ElevationInHexadecimal", 1, "$A", std::nullopt, 10, 10},
                      SliderRow{"AzimuthInsideRange", 2, "-170", std::nullopt, -170, -170},
                      SliderRow{"AzimuthAboveRangeSliderAlreadyAtEnd", 2, "200", 180, 180, 200},
                      SliderRow{"GridDensityBelowRange", 3, "3", std::nullopt, 5, 0},
                      SliderRow{"GridDensityAboveRange", 3, "99", std::nullopt, 50, 0},
                      SliderRow{"GridSpacing", 4, "7", std::nullopt, 7, 0},
                      SliderRow{"SpeedInsideRange", 5, "25", std::nullopt, 25, 2.5},
                      SliderRow{"SpeedZeroIsClampedSliderMoves", 5, "0", std::nullopt, 5, 0.5},
                      SliderRow{"SpeedNegativeIsClampedSliderAlreadyAtEnd", 5, "-7", 5, 5, 0.5},
                      SliderRow{"SpeedHugeIsClampedSliderAlreadyAtEnd", 5, "5000", 50, 50, 5.0},
                      SliderRow{"IntervalAboveRange", 6, "5000", std::nullopt, 1000, 0},
                      SliderRow{"IntervalBelowRange", 6, "1", std::nullopt, 20, 0}),
    [](const auto& info) { return info.param.name; });

TEST_F(SettingsCommands, ElevationLineRightAfterStartSetsTheAngleAlthoughTheSliderStays) {
    // The slider already shows -30 while the angle is 30: the slider does not move, so only
    // the direct assignment can set the angle.
    openLines(startupWith({{1, "-30"}}));
    EXPECT_EQ(window_->thetachanger.position(), -30);
    EXPECT_EQ(sound::theta, -30.0);
}

struct RadioRow {
    std::string name;
    std::string gens1, gens2, gens0;
    std::array<bool, 3> checked; // gens1, gens2, gens0
};

void PrintTo(const RadioRow& row, std::ostream* out) {
    *out << row.name;
}

class OpenRadioLines : public SettingsCommands, public ::testing::WithParamInterface<RadioRow> {};

TEST_P(OpenRadioLines, LastTrueLineStaysChecked) {
    const RadioRow& row = GetParam();
    openLines(startupWith({{7, row.gens1}, {8, row.gens2}, {9, row.gens0}}));
    EXPECT_EQ(errors(), std::vector<std::string>{});
    EXPECT_EQ((std::array<bool, 3>{window_->gens1.checked(), window_->gens2.checked(),
                                   window_->gens0.checked()}),
              row.checked);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, OpenRadioLines,
    ::testing::Values(RadioRow{"OnlyFirst", "-1", "0", "0", {true, false, false}},
                      RadioRow{"OnlyLast", "0", "0", "-1", {false, false, true}},
                      RadioRow{"FirstTwo", "-1", "-1", "0", {false, true, false}},
                      RadioRow{"AllThree", "-1", "-1", "-1", {false, false, true}},
                      RadioRow{"NoneLeavesAllUnchecked", "0", "0", "0", {false, false, false}},
                      RadioRow{"WordsAndNumbers", "tRuE", "0.0", "False", {true, false, false}}),
    [](const auto& info) { return info.param.name; });

TEST_F(SettingsCommands, AfterNoAttenuationTheButtonsStillExcludeEachOther) {
    openLines(startupWith({{7, "0"}, {8, "0"}, {9, "0"}}));
    window_->gens1.select();
    window_->gens0.select();
    EXPECT_FALSE(window_->gens1.checked());
    EXPECT_FALSE(window_->gens2.checked());
    EXPECT_TRUE(window_->gens0.checked());
}

struct OptionRow {
    std::string name;
    std::string text;
    bool checked;
};

void PrintTo(const OptionRow& row, std::ostream* out) {
    *out << row.name;
}

class OpenOptionLine : public SettingsCommands, public ::testing::WithParamInterface<OptionRow> {};

TEST_P(OpenOptionLine, SetsTheCheckBox) {
    window_->ch_baishitsu.setChecked(!GetParam().checked);
    openLines(startupWith({{10, GetParam().text}}));
    EXPECT_EQ(errors(), std::vector<std::string>{});
    EXPECT_EQ(window_->ch_baishitsu.checked(), GetParam().checked);
}

INSTANTIATE_TEST_SUITE_P(Rows, OpenOptionLine,
                         ::testing::Values(OptionRow{"LowerCaseTrue", "true", true},
                                           OptionRow{"CapitalTrue", "TRUE", true},
                                           OptionRow{"One", "1", true},
                                           OptionRow{"Half", "0.5", true},
                                           OptionRow{"Zero", "0", false},
                                           OptionRow{"ZeroBetweenBlanks", " 0 ", false},
                                           OptionRow{"False", "fAlSe", false}),
                         [](const auto& info) { return info.param.name; });

struct CaptionRow {
    std::string name;
    int line;
    std::string text;
    double value;
    std::string caption;
};

void PrintTo(const CaptionRow& row, std::ostream* out) {
    *out << row.name;
}

class OpenSourceLine : public SettingsCommands, public ::testing::WithParamInterface<CaptionRow> {};

TEST_P(OpenSourceLine, SetsTheFieldAndShowsTheLineAsRead) {
    const CaptionRow& row = GetParam();
    openLines(startupWith({{row.line, row.text}}));
    EXPECT_EQ(errors(), std::vector<std::string>{});
    const std::size_t index = std::size_t(row.line - 18);
    EXPECT_EQ(sound::fieldOf(sound::hagen, sound::kSourceFields[index]), row.value);
    EXPECT_EQ(window_->sourceButtons()[index]->caption(), row.caption);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, OpenSourceLine,
    ::testing::Values(CaptionRow{"LeadingBlanksKept", 18, "  12", 12, "X:  12"},
                      CaptionRow{"HexadecimalKept", 18, "$1F", 31, "X:$1F"},
                      CaptionRow{"PlusSignKept", 19, "+7", 7, "Y:+7"},
                      CaptionRow{"LeadingZerosKept", 25, "007", 7, "A:007"},
                      CaptionRow{"AllBitsIsMinusOne", 31, "0xFFFFFFFF", -1, "ω:0xFFFFFFFF"},
                      CaptionRow{"LowestValue", 36, "-2147483648", -2147483648.0, "ω:-2147483648"},
                      CaptionRow{"MarkerValueIsAcceptedFromAFile", 22, "7296183", 7296183,
                                 "Φ:7296183"},
                      CaptionRow{"LastLineMinusZero", 37, "-0", 0, "Φ:-0"}),
    [](const auto& info) { return info.param.name; });

// --- Open: files that fail change nothing ---

struct BadFileRow {
    std::string name;
    RowText bytes;       // the whole file
    std::string message; // as the error box shows it
};

void PrintTo(const BadFileRow& row, std::ostream* out) {
    *out << row.name;
}

// A file that differs from the start-up state in every line before `failing`, so that any
// line applied before the failure would show.
std::vector<std::string> changedLinesFailingAt(int failing, const std::string& text,
                                               bool cut = false) {
    std::vector<std::string> lines = startupWith({{1, "45"},
                                                  {2, "-100"},
                                                  {3, "40"},
                                                  {4, "9"},
                                                  {5, "33"},
                                                  {6, "700"},
                                                  {7, "-1"},
                                                  {8, "0"},
                                                  {10, "0"},
                                                  {14, "-1"}});
    for (int line = 18; line <= 37; ++line)
        lines[std::size_t(line - 1)] = std::to_string(line * 11);
    if (cut)
        lines.resize(std::size_t(failing - 1));
    else
        lines[std::size_t(failing - 1)] = text;
    return lines;
}

std::string changedFileFailingAt(int failing, const std::string& text, bool cut = false) {
    return joinLines(changedLinesFailingAt(failing, text, cut), "\r\n");
}

class OpenBadFile : public SettingsCommands, public ::testing::WithParamInterface<BadFileRow> {};

TEST_P(OpenBadFile, ShowsTheMessageAndChangesNothing) {
    writeFile("bad.okd", GetParam().bytes.str());
    const WindowState before = windowState(*window_);
    const int descriptors = openDescriptorCount();
    open("bad.okd");
    EXPECT_EQ(errors(), std::vector<std::string>{GetParam().message});
    EXPECT_EQ(windowState(*window_).describe(), before.describe());
    EXPECT_EQ(openDescriptorCount(), descriptors) << "the file is closed";
}

// The error box's text for a line that is not a whole number, or not an option: the line
// quoted as the box shows it, and the "." that the box adds.
std::string notAnInteger(const std::string& quoted) {
    std::string text = "'";
    text += quoted;
    text += "' は整数ではありません.";
    return text;
}

std::string notAnOption(const std::string& quoted) {
    std::string text = "'";
    text += quoted;
    text += "' は正しい論理型ではありません.";
    return text;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, OpenBadFile,
    ::testing::Values(
        BadFileRow{"LettersInLine5", changedFileFailingAt(5, "abc"), notAnInteger("abc")},
        BadFileRow{"MissingLine37", changedFileFailingAt(37, "", true), notAnInteger("")},
        BadFileRow{"MissingOptionLine", changedFileFailingAt(12, "", true), notAnOption("")},
        BadFileRow{"YesIsNoOption", changedFileFailingAt(10, "yes"), notAnOption("yes")},
        BadFileRow{"TrailingBlankInSourceLine", changedFileFailingAt(18, "12 "),
                   notAnInteger("12 ")},
        BadFileRow{"EmptyFile", "", notAnInteger("")},
        // More than the file layer ever reads of a file.
        BadFileRow{"TwelveMegabytesOnOneLine", RowText::madeBy([] {
                       return changedFileFailingAt(1, std::string(12 << 20, 'x'));
                   }),
                   notAnInteger(std::string(100, 'x') + "…")},
        // What a line brings along is shown as escapes: nothing of it acts on the box's text.
        BadFileRow{"NulAndControlBytes", changedFileFailingAt(20, "1\0\x01"s),
                   notAnInteger("1\\x00\\x01")},
        BadFileRow{"InvalidUtf8", changedFileFailingAt(2, "\xC3(\xFF"),
                   notAnInteger("\\xc3(\\xff")},
        BadFileRow{"RightToLeftOverride", changedFileFailingAt(19, "\u202E12"),
                   notAnInteger("\\u202e12")},
        BadFileRow{"EscapeSequence", changedFileFailingAt(21, "\x1b[2J7"),
                   notAnInteger("\\x1b[2J7")},
        BadFileRow{"BinaryRubbish",
                   "\x7F"
                   "ELF\0\0\xFF\xFE\r\n\x01"s,
                   notAnInteger("\\x7fELF\\x00\\x00\\xff\\xfe")}),
    [](const auto& info) { return info.param.name; });

TEST_F(SettingsCommands, FolderOrMissingFileUnderTheChosenNameIsIgnoredQuietly) {
    dir_.mkdir("folder.okd");
    const WindowState before = windowState(*window_);
    open("folder.okd");
    open("missing.okd");
    EXPECT_EQ(errors(), std::vector<std::string>{});
    EXPECT_EQ(windowState(*window_).describe(), before.describe());
}

// --- Open: the dialog ---

TEST_F(SettingsCommands, CancelledOpenReadsNothingNotEvenTheLastFile) {
    openLines(startupWith({{1, "45"}}));
    ASSERT_EQ(window_->thetachanger.position(), 45);
    window_->thetachanger.setPosition(10);
    open(std::nullopt);
    EXPECT_EQ(window_->thetachanger.position(), 10);
    EXPECT_EQ(sound::theta, 10.0);
    EXPECT_EQ(openDialog_->fileName(), path("set.okd"));
    EXPECT_EQ(openDialog_->offered.back(), path("set.okd"));
    EXPECT_EQ(errors(), std::vector<std::string>{});
}

TEST_F(SettingsCommands, CancelledOpenBeforeAnyNameDoesNothing) {
    const WindowState before = windowState(*window_);
    open(std::nullopt);
    EXPECT_EQ(openDialog_->offered, std::vector<std::string>{std::string()});
    EXPECT_EQ(windowState(*window_).describe(), before.describe());
    EXPECT_EQ(errors(), std::vector<std::string>{});
}

TEST_F(SettingsCommands, DialogsOfferTheSettingsFilter) {
    for (const platform::FileDialog* dialog :
         {window_->OpenDialog1.get(), window_->SaveDialog1.get()}) {
        ASSERT_EQ(dialog->filter().kinds.size(), 1u);
        EXPECT_EQ(dialog->filter().kinds[0].description, "Ondulix-Kデータ[*.okd]");
        EXPECT_EQ(dialog->filter().kinds[0].patterns, std::vector<std::string>{"*.okd"});
    }
}

// A file layer whose file reads well for a while and then fails, as a failing disk does.
class FailingReadStorage final : public platform::SettingsStorage {
public:
    bool isRegularFile(const std::string&) const override { return true; }
    std::unique_ptr<platform::SettingsInput> openForReading(const std::string&) override {
        return std::make_unique<Input>();
    }
    void writeWhole(const std::string&, std::string_view) override {}

private:
    class Input final : public platform::SettingsInput {
    public:
        // Line 1 changes the view; the read breaks off inside line 2.
        std::istream& stream() override { return stream_; }
        void throwIfReadFailed() const override {
            throw sound::ProgramError(platform::readErrorMessage(EIO));
        }

    private:
        std::istringstream stream_{"45\r\n3"};
    };
};

TEST_F(SettingsCommands, ReadThatFailsMidwayShowsTheIoErrorAndChangesNothing) {
    makeWindow(std::make_unique<FailingReadStorage>());
    const WindowState before = windowState(*window_);
    open("any.okd");
    EXPECT_EQ(errors(), std::vector<std::string>{"I/O エラー (5)"});
    EXPECT_EQ(windowState(*window_).describe(), before.describe());
}

// --- A set-up from a link, told links, dropped files ---

std::string linkOf(const std::vector<std::string>& values) {
    return "okd=" + joinLines(values, ",", false);
}

struct LinkRow {
    std::string name;
    std::vector<std::string> values;
};

void PrintTo(const LinkRow& row, std::ostream* out) {
    *out << row.name;
}

class OpenLink : public SettingsCommands, public ::testing::WithParamInterface<LinkRow> {};

TEST_P(OpenLink, AppliesAsOpenAppliesTheFileOfTheSameValues) {
    openLines(GetParam().values);
    const std::string fromFile = windowState(*window_).describe();
    const std::vector<std::string> fileErrors = errors();
    makeWindow();
    window_->openSetupLink(linkOf(GetParam().values));
    EXPECT_EQ(windowState(*window_).describe(), fromFile);
    EXPECT_EQ(errors(), fileErrors);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, OpenLink,
    ::testing::Values(LinkRow{"ChangedSetup", startupWith({{1, "45"},
                                                           {2, "-100"},
                                                           {3, "40"},
                                                           {5, "33"},
                                                           {6, "700"},
                                                           {9, "-1"},
                                                           {16, "-1"},
                                                           {18, "  $1F"},
                                                           {20, "3000"},
                                                           {21, "9"}})},
                      LinkRow{"StartupValuesSetTheElevation", startupLines()},
                      LinkRow{"BadValueChangesNothing", changedLinesFailingAt(5, "abc")},
                      LinkRow{"BadOptionChangesNothing", changedLinesFailingAt(12, "yes")},
                      LinkRow{"TooFewValuesChangeNothing", changedLinesFailingAt(37, "", true)}),
    [](const auto& info) { return info.param.name; });

TEST_F(SettingsCommands, AnotherPagesAnchorIsNoSetup) {
    const WindowState before = windowState(*window_);
    window_->openSetupLink("section-2");
    EXPECT_EQ(windowState(*window_).describe(), before.describe());
    EXPECT_EQ(errors(), std::vector<std::string>{});
    EXPECT_EQ(scripted_->backend.setupLinksTold, 0);
}

TEST_F(SettingsCommands, EveryChangedSetupIsToldOnceAsSaveWouldWriteIt) {
    const platform::HeadlessBackend& backend = scripted_->backend;
    EXPECT_EQ(backend.setupLinksTold, 0) << "the start-up set-up counts as told";
    window_->numpoints.moveTo(33);
    window_->numpoints.moveTo(33);
    window_->BitBtn1.press();
    EXPECT_TRUE(scripted_->timer->fire());
    EXPECT_EQ(backend.setupLinksTold, 1)
        << "moving to the same place, starting and drawing change nothing";
    window_->BitBtn1.press();
    window_->ch_rect.toggle();
    EXPECT_EQ(backend.setupLinksTold, 2) << "a check box, which has no handler, is a change too";
    save(path("saved.okd"));
    std::vector<std::string> saved;
    std::istringstream in(readFile("saved.okd"));
    for (std::string line; std::getline(in, line);)
        saved.push_back(line.substr(0, line.size() - 1));
    EXPECT_EQ(backend.lastSetupLink, linkOf(saved));
    EXPECT_EQ(backend.lastSetupLink, window_->setupLink());
}

TEST_F(SettingsCommands, TheTurningViewTellsItsLinkOnEveryTick) {
    const platform::HeadlessBackend& backend = scripted_->backend;
    window_->ch_guruguru.toggle();
    window_->BitBtn1.press();
    const int before = backend.setupLinksTold;
    Names told;
    for (int tick = 0; tick < 3; ++tick) {
        scripted_->timer->fire();
        told.push_back(backend.lastSetupLink);
    }
    EXPECT_EQ(backend.setupLinksTold, before + 3);
    EXPECT_NE(told[1], told[2]);
    EXPECT_EQ(told[2], window_->setupLink());
}

TEST_F(SettingsCommands, OpenedLinkIsToldBackInSavesForm) {
    window_->openSetupLink(linkOf(startupWith({{1, "%2445"}})));
    EXPECT_EQ(scripted_->backend.setupLinksTold, 1);
    EXPECT_EQ(scripted_->backend.lastSetupLink, linkOf(startupWith({{1, "69"}})));
}

// What is in the way of a drop when it arrives.
enum class Moment { Stopped, Running, BoxOpen };

struct DropRow {
    std::string name;
    Names dropped; // names in the folder
    Moment moment;
    bool taken;
};

void PrintTo(const DropRow& row, std::ostream* out) {
    *out << row.name;
}

class DropFiles : public SettingsCommands, public ::testing::WithParamInterface<DropRow> {};

TEST_P(DropFiles, AreOpenedAsOpenDoesOnlyWhenOpenCouldBeChosen) {
    const DropRow& row = GetParam();
    const std::string setup = joinLines(startupWith({{1, "45"}}), "\r\n");
    writeFile("set.okd", setup);
    writeFile("SET.OKD", setup);
    writeFile("set.txt", setup);
    dir_.mkdir("folder.okd");
    dir_.mkdir("dir.okd");
    writeFile("dir.okd/set", setup);
    Names paths;
    for (const std::string& name : row.dropped)
        paths.push_back(path(name));

    bool canTake = false;
    const auto drop = [&] {
        canTake = window_->canTakeDrop(paths);
        window_->dropFiles(paths);
    };
    if (row.moment == Moment::Running)
        window_->BitBtn1.press();
    if (row.moment == Moment::BoxOpen) {
        inputBox_->whileOpen = drop;
        window_->bt_1_x.press();
    } else {
        drop();
    }
    EXPECT_EQ(canTake, row.taken);
    EXPECT_EQ(window_->thetachanger.position(), row.taken ? 45 : -30);
    EXPECT_EQ(openDialog_->fileName(), row.taken ? paths.front() : "");
    EXPECT_EQ(errors(), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DropFiles,
    ::testing::Values(DropRow{"OneSettingsFile", {"set.okd"}, Moment::Stopped, true},
                      DropRow{"ExtensionInCapitals", {"SET.OKD"}, Moment::Stopped, true},
                      DropRow{"OtherExtension", {"set.txt"}, Moment::Stopped, false},
                      DropRow{"TwoFiles", {"set.okd", "SET.OKD"}, Moment::Stopped, false},
                      DropRow{"FolderNamedLikeAFile", {"folder.okd"}, Moment::Stopped, false},
                      DropRow{"FileInAFolderNamedLikeOne", {"dir.okd/set"}, Moment::Stopped, false},
                      DropRow{"MissingFile", {"gone.okd"}, Moment::Stopped, false},
                      DropRow{"WhileRunning", {"set.okd"}, Moment::Running, false},
                      DropRow{"WhileABoxIsOpen", {"set.okd"}, Moment::BoxOpen, false}),
    [](const auto& info) { return info.param.name; });

// A link that comes while File > Open could not be chosen (followed in the page's tab) is
// refused as a drop is, and the set-up shown is told again for the address to go back to.
TEST_F(SettingsCommands, LinkIsRefusedWhileOpenCouldNotBeChosen) {
    const std::string link = linkOf(startupWith({{1, "45"}}));
    const platform::HeadlessBackend& backend = scripted_->backend;
    window_->BitBtn1.press();
    window_->openSetupLink(link);
    EXPECT_EQ(backend.setupLinksTold, 1);
    window_->BitBtn1.press();
    inputBox_->whileOpen = [&] { window_->openSetupLink(link); };
    window_->bt_1_x.press();
    EXPECT_EQ(backend.setupLinksTold, 2);
    EXPECT_EQ(backend.lastSetupLink, window_->setupLink());
    EXPECT_EQ(window_->thetachanger.position(), -30);
    EXPECT_EQ(errors(), std::vector<std::string>{});
}

TEST_F(SettingsCommands, DragOfUnknownNamesIsJudgedByTheMomentAndTheCount) {
    EXPECT_TRUE(window_->canTakeDrop(1));
    EXPECT_FALSE(window_->canTakeDrop(2));
    EXPECT_FALSE(window_->canTakeDrop(0));
    window_->BitBtn1.press();
    EXPECT_FALSE(window_->canTakeDrop(1));
}

TEST_F(SettingsCommands, DroppedBadFileShowsOpensMessageAndOpenOffersItsName) {
    writeFile("bad.okd", changedFileFailingAt(5, "abc"));
    const WindowState before = windowState(*window_);
    window_->dropFiles({path("bad.okd")});
    EXPECT_EQ(errors(), std::vector<std::string>{notAnInteger("abc")});
    EXPECT_EQ(windowState(*window_).describe(), before.describe());
    open(std::nullopt);
    EXPECT_EQ(openDialog_->offered.back(), path("bad.okd"));
}

// --- The sample set-ups ---

TEST_F(SettingsCommands, EverySampleOpensAsWritten) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(ONDULIX_EXAMPLES_DIR))
        if (entry.path().extension() == ".okd")
            names.push_back(entry.path().string());
    ASSERT_GE(names.size(), 5u);
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        makeWindow();
        openDialog_->answers.push_back(name);
        window_->OpenO1.choose();
        EXPECT_EQ(errors(), std::vector<std::string>{});
        // What the file says, read on its own, is what the window now shows.
        std::ifstream file(name, std::ios::binary);
        const std::string bytes(std::istreambuf_iterator<char>(file), {});
        std::istringstream in(bytes);
        const auto stored = std::get<StoredSetup>(sound::readSettings(in));
        const WindowState now = windowState(*window_);
        EXPECT_EQ(now.sliders, stored.sliders);
        EXPECT_EQ(now.options, stored.options);
        EXPECT_EQ(now.theta, stored.sliders[StoredSetup::thetachanger]);
        EXPECT_EQ(now.phi, stored.sliders[StoredSetup::phichanger]);
        for (std::size_t i = 0; i < sound::kSourceFields.size(); ++i) {
            const auto& field = sound::kSourceFields[i];
            const std::size_t k = std::size_t(field.source - 1);
            const std::size_t v = i % StoredSetup::kSourceValueCount;
            EXPECT_EQ(sound::fieldOf(sound::hagen, field), stored.sources[k][v]);
            EXPECT_EQ(now.captions[i], std::string(field.prefix) + stored.sourceTexts[k][v]);
        }
        // Saved again, a sample is the same file byte for byte.
        save(path("again.okd"));
        EXPECT_EQ(readFile("again.okd"), bytes);
    }
}

} // namespace
