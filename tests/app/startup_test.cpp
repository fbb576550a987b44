// What the user sees right after start: captions, checks, slider settings, a white drawing
// area, a stopped animation and the keyboard focus on Start/Stop; and what the command line
// starts.
#include "application.h"
#include "program_start.h"
#include "scripted_window.h"
#include "sound.h"
#include "startup_settings_lines.h"
#include "temp_folder.h"
#include "tform1_layout.h"
#include "track_bar.h"
#include "translation.h"
#include "window_icon.h"
#include "window_state.h"

#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace {

// Each control starts as its row of the layout says: the window and its table must not drift
// apart, and every backend draws the window from the table.
TEST(Startup, EveryControlStartsAsItsLayoutRowSays) {
    ScriptedWindow w;
    for (const platform::ControlLayout& row : kTForm1Layout.controls) {
        const std::string name(row.name);
        const platform::Control* control = w->find(name);
        ASSERT_NE(control, nullptr) << name;
        EXPECT_EQ(control->caption(), sound::tr(row.caption)) << name;
        EXPECT_EQ(control->visible(), row.visible) << name;
        EXPECT_EQ(control->tabIndex(), row.tabIndex) << name;
        const platform::Rect place = control->place();
        EXPECT_EQ(
            std::vector<int>({place.left, place.top, place.width, place.height}),
            std::vector<int>({row.place.left, row.place.top, row.place.width, row.place.height}))
            << name;
        if (const auto* bar = dynamic_cast<const platform::TrackBar*>(control)) {
            EXPECT_EQ(std::vector<int>({bar->min(), bar->max(), bar->position(), bar->lineStep(),
                                        bar->pageStep(), bar->tickInterval()}),
                      std::vector<int>({row.min, row.max, row.position, row.lineStep, row.pageStep,
                                        row.tickInterval}))
                << name;
            EXPECT_EQ(bar->orientation(), row.orientation) << name;
        }
    }
}

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

// The window's icon is the design itself, in plain colours inside a white frame, and a larger
// icon is the same picture: wherever the design is one colour around a pixel, the larger icon
// shows that colour in the middle of the pixel's place.
TEST(Startup, WindowIconIsTheDesignInPlainColoursAndScalesAsOnePicture) {
    ScriptedWindow w;
    constexpr int n = kWindowIconDesignSize;
    ASSERT_EQ(w->iconSize(), n);
    const std::vector<std::uint32_t>& design = w->icon();
    ASSERT_EQ(design.size(), std::size_t(n * n));
    const auto at = [&](int x, int y) { return design[std::size_t(y * n + x)]; };
    for (const std::uint32_t p : design)
        EXPECT_TRUE(p == 0x000080 || p == 0x00ff00 || p == 0xff00ff || p == 0xffffff) << p;
    for (int i = 0; i < n; ++i)
        EXPECT_TRUE(at(i, 0) == 0xffffff && at(0, i) == 0xffffff && at(i, n - 1) == 0xffffff &&
                    at(n - 1, i) == 0xffffff)
            << i;
    const std::set<std::uint32_t> colours(design.begin(), design.end());
    EXPECT_EQ(colours.size(), 4u);

    constexpr int scale = 8;
    const std::vector<std::uint32_t> large = paintWindowIcon(n * scale);
    ASSERT_EQ(large.size(), std::size_t(n * n * scale * scale));
    int compared = 0;
    for (int y = 1; y + 1 < n; ++y)
        for (int x = 1; x + 1 < n; ++x) {
            bool plain = true;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    plain = plain && at(x + dx, y + dy) == at(x, y);
            if (!plain)
                continue;
            ++compared;
            const int middle = scale / 2;
            EXPECT_EQ(large[std::size_t((y * scale + middle) * n * scale + x * scale + middle)],
                      at(x, y))
                << x << ", " << y;
        }
    EXPECT_GT(compared, n * n / 16);
}

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
