// What the user sees right after start: captions, checks, slider settings, a white drawing
// area, a stopped animation and the keyboard focus on Start/Stop; and what the command line
// starts.
#include "application.h"
#include "program_start.h"
#include "scripted_window.h"
#include "sound.h"
#include "startup_settings_lines.h"
#include "temp_folder.h"
#include "window_state.h"

#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace {

struct CaptionCase {
    const char* control;
    const char* caption;
};

class StartupCaptions : public ::testing::TestWithParam<CaptionCase> {};

TEST_P(StartupCaptions, ReadAsDesigned) {
    ScriptedWindow w;
    const platform::Control* control = w->find(GetParam().control);
    ASSERT_NE(control, nullptr) << GetParam().control;
    EXPECT_EQ(control->caption(), GetParam().caption);
}

INSTANTIATE_TEST_SUITE_P(
    Controls, StartupCaptions,
    ::testing::Values(
        CaptionCase{"BitBtn1", "スタート/ストップ"}, CaptionCase{"GroupBox1", "波源1"},
        CaptionCase{"GroupBox2", "波源2"}, CaptionCase{"GroupBox3", "波源3"},
        CaptionCase{"GroupBox4", "波源4"}, CaptionCase{"gr_gensui", "減衰のしかた"},
        CaptionCase{"gr_byouga", "描画のしかた"}, CaptionCase{"GroupBox5", "描画するもの"},
        CaptionCase{"opt", "オプション"}, CaptionCase{"bt_1_x", "X:0"},
        CaptionCase{"bt_1_y", "Y:0"}, CaptionCase{"bt_1_a", "A:0"}, CaptionCase{"bt_1_o", "ω:0"},
        CaptionCase{"bt_1_p", "Φ:0"}, CaptionCase{"bt_2_o", "ω:0"}, CaptionCase{"bt_3_a", "A:0"},
        CaptionCase{"bt_4_p", "Φ:0"}, CaptionCase{"gens1", "距離に反比例"},
        CaptionCase{"gens2", "距離の√に反比例"}, CaptionCase{"gens0", "決して減衰しない"},
        CaptionCase{"ch_baishitsu", "媒質"}, CaptionCase{"ch_bashi", "媒質の足"},
        CaptionCase{"ch_suihei", "変位0の水平線"}, CaptionCase{"ch_seibun", "変位の成分"},
        CaptionCase{"ch_2cut", "波源2つにして高速化"}, CaptionCase{"ch_guruguru", "視点ぐるぐる"},
        CaptionCase{"ch_rect", "媒質を四角くする"}, CaptionCase{"ch_koma", "コマ送り"},
        CaptionCase{"Label1", "点数"}, CaptionCase{"Label2", "点隔"}, CaptionCase{"Label3", "波速"},
        CaptionCase{"Label4", "処理"}, CaptionCase{"Label5", "少"}, CaptionCase{"Label6", "狭"},
        CaptionCase{"Label7", "遅"}, CaptionCase{"Label8", "忙"}, CaptionCase{"Label9", "多"},
        CaptionCase{"Label10", "広"}, CaptionCase{"Label11", "速"}, CaptionCase{"Label12", "暇"}),
    [](const auto& info) { return std::string(info.param.control); });

TEST(Startup, EveryButtonOfEverySourceReadsItsPrefixAndZero) {
    ScriptedWindow w;
    const char* prefixes[] = {"X:0", "Y:0", "A:0", "ω:0", "Φ:0"};
    const auto buttons = w->sourceButtons();
    for (std::size_t i = 0; i < buttons.size(); ++i)
        EXPECT_EQ(buttons[i]->caption(), prefixes[i % 5]) << i;
}

TEST(Startup, OnlyTheSquareRootAttenuationAndTheFourDrawingBoxesAreChecked) {
    ScriptedWindow w;
    EXPECT_FALSE(w->gens1.checked());
    EXPECT_TRUE(w->gens2.checked());
    EXPECT_FALSE(w->gens0.checked());
    for (const auto* box : {&w->ch_baishitsu, &w->ch_bashi, &w->ch_suihei, &w->ch_seibun})
        EXPECT_TRUE(box->checked()) << box->name();
    for (const auto* box : {&w->ch_2cut, &w->ch_guruguru, &w->ch_rect, &w->ch_koma})
        EXPECT_FALSE(box->checked()) << box->name();
}

struct SliderCase {
    const char* name;
    int min, max, position, line, page;
};

class StartupSliders : public ::testing::TestWithParam<SliderCase> {};

TEST_P(StartupSliders, HaveTheirRangeAndSteps) {
    const SliderCase& c = GetParam();
    ScriptedWindow w;
    const auto* bar = dynamic_cast<const platform::TrackBar*>(w->find(c.name));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->min(), c.min);
    EXPECT_EQ(bar->max(), c.max);
    EXPECT_EQ(bar->position(), c.position);
    EXPECT_EQ(bar->lineStep(), c.line);
    EXPECT_EQ(bar->pageStep(), c.page);
}

INSTANTIATE_TEST_SUITE_P(Controls, StartupSliders,
                         ::testing::Values(SliderCase{"phichanger", -180, 180, 30, 5, 15},
                                           SliderCase{"thetachanger", -90, 90, -30, 5, 15},
                                           SliderCase{"numpoints", 5, 50, 20, 1, 2},
                                           SliderCase{"numzoom", 5, 50, 20, 1, 2},
                                           SliderCase{"velocitychanger", 5, 50, 20, 1, 2},
                                           SliderCase{"fpschanger", 20, 1000, 200, 0, 20}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Startup, DrawingAreaIsWhiteAndTheAnimationStopped) {
    ScriptedWindow w;
    const auto pixels = w.pixels();
    ASSERT_EQ(pixels.size(), 601u * 601u);
    for (std::uint32_t p : pixels)
        ASSERT_EQ(p, platform::PixelCanvas::toPixel(sound::kWhite));
    EXPECT_EQ(w->Timer1->interval(), 0);
    EXPECT_FALSE(w.timer->ticking);
    EXPECT_TRUE(w->FileF1.enabled());
}

TEST(Startup, ElevationIs30WhileItsSliderShowsMinus30) {
    // Leave something behind from an earlier run of the window to see that creation resets it.
    sound::theta = sound::phi = 77;
    sound::timecount = 500;
    sound::hagen[2].amp = 9;
    sound::hagen[3].speed = 4.5;
    ScriptedWindow w;
    EXPECT_EQ(sound::theta, 30.0);
    EXPECT_EQ(w->thetachanger.position(), -30);
    EXPECT_EQ(sound::phi, 30.0);
    EXPECT_EQ(w->phichanger.position(), 30);
    EXPECT_EQ(sound::timecount, 0.0);
    for (const sound::THagen& s : sound::hagen) {
        EXPECT_EQ(s.x, 0.0);
        EXPECT_EQ(s.y, 0.0);
        EXPECT_EQ(s.amp, 0.0);
        EXPECT_EQ(s.omega, 0.0);
        EXPECT_EQ(s.phase, 0.0);
        EXPECT_EQ(s.speed, 2.0);
    }
}

TEST(Startup, FocusIsOnStartStopAndTheHiddenListIsEmpty) {
    ScriptedWindow w;
    EXPECT_EQ(w->focused(), &w->BitBtn1);
    EXPECT_FALSE(w->saver.visible());
    EXPECT_TRUE(w->saver.items().empty());
}

// --- The command line ----------------------------------------------------------------------

// The toolkit as the start-up tests run it: the headless backend, and an event loop that shows
// the window, goes round once (a timer that runs ticks) and returns, leaving the window to the
// test.
struct HeadlessToolkit {
    int starts = 0;
    platform::HeadlessBackend backend;
    std::unique_ptr<platform::Form> window;
    std::size_t errorsBeforeShown = 0;
};

class HeadlessApplication final : public platform::Application {
public:
    explicit HeadlessApplication(HeadlessToolkit& toolkit) : toolkit_(toolkit) {}

    platform::Backend& backend() override { return toolkit_.backend; }
    int run(std::unique_ptr<platform::Form> mainWindow, std::function<void()> whenShown) override {
        toolkit_.window = std::move(mainWindow);
        toolkit_.errorsBeforeShown = toolkit_.backend.errorBox->shown.size();
        if (whenShown)
            whenShown();
        return 0;
    }

private:
    HeadlessToolkit& toolkit_;
};

// What a program writes to a stream, kept in memory.
class CapturedText {
public:
    CapturedText() : file_(::open_memstream(&buffer_, &size_)) {}
    ~CapturedText() {
        std::fclose(file_);
        std::free(buffer_);
    }
    CapturedText(const CapturedText&) = delete;
    CapturedText& operator=(const CapturedText&) = delete;

    std::FILE* file() const { return file_; }
    std::string text() const {
        std::fflush(file_);
        return {buffer_, size_};
    }

private:
    char* buffer_ = nullptr;
    std::size_t size_ = 0;
    std::FILE* file_;
};

struct CommandLineCase {
    const char* name;
    std::vector<std::string> args; // "{dir}/" stands for a folder that holds bad.okd
    int status;
    std::string out;                 // how standard output starts
    std::string err;                 // the whole of standard error
    bool started;                    // whether the toolkit started
    std::vector<std::string> errors; // in the error box
    std::string setup; // the file whose set-up the window shows; "" for the start-up one
};

// Test listings show the row's name rather than its bytes.
void PrintTo(const CommandLineCase& c, std::ostream* os) {
    *os << c.name;
}

class CommandLine : public ::testing::TestWithParam<CommandLineCase> {
protected:
    std::string inFolder(const std::string& arg) const {
        return arg.starts_with("{dir}/") ? dir_.path(arg.substr(6)) : arg;
    }

    testsupport::TempFolder dir_;
};

TEST_P(CommandLine, StartsTheProgramAsAsked) {
    const CommandLineCase& c = GetParam();
    dir_.write("bad.okd",
               testsupport::joinLines(testsupport::startupWith({{1, "45"}, {5, "abc"}}), "\r\n"));
    // What the window should show: a fresh window that opened the file, or did nothing.
    WindowState expected;
    {
        ScriptedWindow reference;
        if (!c.setup.empty()) {
            reference.openDialog->answers.push_back(inFolder(c.setup));
            reference->OpenO1.choose();
        }
        expected = windowState(*reference.form);
    }

    std::vector<std::string> args = {"ondulix-k"};
    for (const std::string& arg : c.args)
        args.push_back(inFolder(arg));
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    HeadlessToolkit toolkit;
    CapturedText out;
    CapturedText err;
    const int status = sd::runProgram(
        int(argv.size()), argv.data(),
        [&toolkit](int, char*[], const std::string&) {
            ++toolkit.starts;
            return std::make_unique<HeadlessApplication>(toolkit);
        },
        out.file(), err.file());

    EXPECT_EQ(status, c.status);
    EXPECT_EQ(out.text().substr(0, c.out.size()), c.out);
    EXPECT_EQ(err.text(), c.err);
    EXPECT_EQ(toolkit.starts, c.started ? 1 : 0);
    if (!c.started)
        return;
    ASSERT_NE(toolkit.window, nullptr);
    const auto& window = static_cast<const TForm1&>(*toolkit.window);
    EXPECT_EQ(toolkit.errorsBeforeShown, 0u) << "the file waits until the window is shown";
    EXPECT_EQ(toolkit.backend.errorBox->shown, c.errors);
    EXPECT_EQ(windowState(window).describe(), expected.describe());
    // The dialog offers the name next time, but "-", which names no file, is not kept.
    if (!c.args.empty()) {
        EXPECT_EQ(window.OpenDialog1->fileName(),
                  c.args.front() == "-" ? "" : inFolder(c.args.front()));
    }
}

const std::string kBeats = ONDULIX_EXAMPLES_DIR "/03-beats.okd";

INSTANTIATE_TEST_SUITE_P(
    Startup, CommandLine,
    ::testing::Values(
        CommandLineCase{"no_argument", {}, 0, "", "", true, {}, ""},
        CommandLineCase{"good_file", {kBeats}, 0, "", "", true, {}, kBeats},
        CommandLineCase{
            "bad_file", {"{dir}/bad.okd"}, 0, "", "", true, {"'abc' は整数ではありません."}, ""},
        // The dialog passes over a typed name of a missing file; a name given on purpose is
        // reported.
        CommandLineCase{
            "missing_file", {"{dir}/none.okd"}, 0, "", "", true, {"ファイルが見つかりません."}, ""},
        CommandLineCase{
            "two_files",
            {"a.okd", "b.okd"},
            2,
            "",
            "ondulix-k: 設定ファイルが2つ以上あります: 'a.okd' と 'b.okd' (--help を参照)\n",
            false,
            {},
            ""},
        CommandLineCase{"unknown_option",
                        {"--fast"},
                        2,
                        "",
                        "ondulix-k: 不明なオプションです: '--fast' (--help を参照)\n",
                        false,
                        {},
                        ""},
        // A terminal sees no ESC or BEL from the line, which could set its title.
        CommandLineCase{"option_that_would_drive_the_terminal",
                        {"-\x1b]0;T\x07"},
                        2,
                        "",
                        "ondulix-k: 不明なオプションです: '-\\x1b]0;T\\x07' (--help を参照)\n",
                        false,
                        {},
                        ""},
        CommandLineCase{
            "folder", {"{dir}/."}, 0, "", "", true, {"ファイルではなくフォルダです."}, ""},
        CommandLineCase{"dash", {"-"}, 0, "", "", true, {"標準入力からは読み込めません."}, ""},
        CommandLineCase{
            "help", {"--help"}, 0, "使い方: ondulix-k [SETTINGS.okd]\n", "", false, {}, ""},
        CommandLineCase{"version", {"--version"}, 0, "ondulix-k (Ondulix-K) ", "", false, {}, ""}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
