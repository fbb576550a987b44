// ondulix-k-render run as a user runs it, in a child process with no display: its pictures
// are the frames the program's own window draws, its animations hold the frames of
// consecutive ticks, and every failure is one line on standard error with no file written.
#include "frame_renderer.h"
#include "gif_reading.h"
#include "headless_backend.h"
#include "pixel_canvas.h"
#include "png_reading.h"
#include "render_session.h"
#include "settings_file_limit.h"
#include "sound.h"
#include "startup_settings_lines.h"
#include "tform1.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <utility>
#include <vector>

namespace {

using testsupport::withLines;

using Pixels = std::vector<std::uint32_t>;

const QString kExamples = QStringLiteral(ONDULIX_EXAMPLES_DIR);

struct CommandResult {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// The tests' environment in `locale` whatever the tests' own: English, which most rows are
// written in, or "C", the program's own Japanese.
QProcessEnvironment environmentIn(const QString& locale) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"})
        env.remove(name);
    env.insert("LANG", locale);
    return env;
}

// Runs a program with neither a display nor a chosen Qt platform, as on a server, with files
// limited to `fileSizeLimit` bytes, as on a disk with that much room left, and in `locale`.
CommandResult runProgram(const QString& program, const QStringList& args,
                         rlim_t fileSizeLimit = RLIM_INFINITY, const QString& folder = {},
                         const QString& locale = QStringLiteral("en_US.UTF-8")) {
    QProcess process;
    QProcessEnvironment env = environmentIn(locale);
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        env.remove(name);
    env.insert("RENDER", QStringLiteral(RENDER_COMMAND));
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(folder);
    process.setChildProcessModifier([fileSizeLimit] {
        const rlimit limit{fileSizeLimit, fileSizeLimit};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    });
    process.start(program, args);
    CommandResult result;
    if (!process.waitForFinished(120000)) {
        ADD_FAILURE() << "the command did not finish";
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

CommandResult runCommand(const QStringList& args, rlim_t fileSizeLimit = RLIM_INFINITY,
                         const QString& locale = QStringLiteral("en_US.UTF-8")) {
    return runProgram(QStringLiteral(RENDER_COMMAND), args, fileSizeLimit, {}, locale);
}

// The 37 lines of a file in examples/.
std::vector<std::string> exampleLines(const char* name) {
    QFile file(kExamples + "/" + name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    std::vector<std::string> lines;
    for (const QByteArray& line : file.readAll().split('\n'))
        if (!line.isEmpty())
            lines.push_back(line.trimmed().toStdString());
    EXPECT_EQ(lines.size(), 37u) << name;
    return lines;
}

// Lines are numbered from 1 as in the file.
QString writeSetup(const QTemporaryDir& dir, const QString& name,
                   const std::vector<std::string>& lines) {
    const QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    for (const std::string& line : lines) {
        file.write(line.data(), qint64(line.size()));
        file.write("\r\n");
    }
    return path;
}

Pixels pngPixels(const QString& path) {
    render_test::DecodedPng png = render_test::decodePng(path.toStdString());
    EXPECT_EQ(png.width, sound::kCanvasSize);
    EXPECT_EQ(png.height, sound::kCanvasSize);
    return std::move(png.pixels);
}

Pixels canvasPixels(const platform::PixelCanvas& canvas) {
    return {canvas.bits(), canvas.bits() + std::size_t(canvas.width()) * canvas.height()};
}

// A PNG made by the command; fails the test when the command does.
Pixels renderedPng(const QTemporaryDir& dir, const QString& settings, int clock) {
    const QString out = dir.filePath(QStringLiteral("at_%1.png").arg(clock));
    const CommandResult r = runCommand({settings, "-o", out, "--clock", QString::number(clock)});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    return pngPixels(out);
}

std::size_t differingPixels(const Pixels& a, const Pixels& b) {
    if (a.size() != b.size())
        return std::max(a.size(), b.size());
    std::size_t count = 0;
    for (std::size_t k = 0; k < a.size(); ++k)
        count += a[k] != b[k];
    return count;
}

std::size_t blackPixels(const Pixels& p) {
    return std::size_t(
        std::count(p.begin(), p.end(), platform::PixelCanvas::toPixel(sound::kBlack)));
}

// --- The command's picture is the window's picture ---------------------------------------

struct WindowCase {
    const char* name;
    const char* example;
    int clock;
    int ticks; // of the window's timer until it has drawn the frame on that clock
};

// Test listings show the row's name rather than its bytes.
void PrintTo(const WindowCase& c, std::ostream* os) {
    *os << c.name;
}

class PictureOfTheWindow : public ::testing::TestWithParam<WindowCase> {};

// The program's own path: a fresh window opens the file, the clock is set, and the timer's
// tick handler runs, which turns the view if asked and calls drawall.
TEST_P(PictureOfTheWindow, EveryPixelEqualsTheWindowsDrawall) {
    const WindowCase& c = GetParam();
    const QString settings = kExamples + "/" + c.example;
    QTemporaryDir dir;
    const Pixels picture = renderedPng(dir, settings, c.clock);

    platform::HeadlessBackend backend;
    TForm1 form(backend);
    form.openSettingsFile(settings.toStdString());
    sound::timecount = c.clock;
    for (int t = 0; t < c.ticks; ++t)
        form.Timer1Timer();
    const Pixels window = canvasPixels(form.graph.canvas());

    EXPECT_GT(blackPixels(window), 1000u) << "the window drew no frame";
    EXPECT_EQ(differingPixels(picture, window), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Render, PictureOfTheWindow,
    ::testing::Values(
        WindowCase{"in_phase_at_start", "01-two-sources-in-phase.okd", 0, 1},
        WindowCase{"opposite_phase_later", "02-two-sources-opposite-phase.okd", 1234, 1},
        WindowCase{"beats_before_zero", "03-beats.okd", -777, 1},
        WindowCase{"square_at_the_last_drawn_clock", "04-four-sources-square.okd", 100000, 1},
        WindowCase{"turning_view_turns_before_its_frame", "05-one-source-turning.okd", 17, 1},
        // Past 100000 the tick wraps the clock and draws nothing; the picture
        // is the frame of the next tick, at -100000, with the view turned twice.
        WindowCase{"past_the_wrap_gives_the_next_ticks_frame", "05-one-source-turning.okd", 100001,
                   2},
        WindowCase{"far_past_the_wrap", "01-two-sources-in-phase.okd", 2000000000, 2}),
    [](const auto& info) { return info.param.name; });

// --- The program's start-up state is the base the file is applied on ---------------------

struct StartupCase {
    const char* name;
    std::map<int, std::string> lines; // changed from the start-up file
    sound::View view;
    int n;
};

// Test listings show the row's name rather than its bytes.
void PrintTo(const StartupCase& c, std::ostream* os) {
    *os << c.name;
}

class AppliedOnStartup : public ::testing::TestWithParam<StartupCase> {};

TEST_P(AppliedOnStartup, PictureMatchesTheReferenceFrameOfTheResultingState) {
    const StartupCase& c = GetParam();
    QTemporaryDir dir;
    // One source at the centre, so the frame shows waves as well as the view.
    std::map<int, std::string> lines = {{20, "3000"}, {21, "9"}};
    lines.insert(c.lines.begin(), c.lines.end());
    const QString settings = writeSetup(dir, "setup.okd", testsupport::startupWith(lines));

    sound::Hagen hagen;
    hagen[0].amp = 3000;
    hagen[0].omega = 9;
    sound::FrameInputs inputs;
    inputs.n = c.n;
    platform::PixelCanvas expected;
    sound::renderFrame(expected, hagen, 5, c.view, inputs);

    EXPECT_EQ(differingPixels(renderedPng(dir, settings, 5), canvasPixels(expected)), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Render, AppliedOnStartup,
    ::testing::Values(
        // The elevation starts at 30 while its slider shows -30: the line's -30 is
        // assigned directly although the slider does not move.
        StartupCase{"elevation_line_equal_to_the_sliders_start", {}, {-30, 30}, 20},
        // Clamped by the slider, which moves and so sets the elevation to its end.
        StartupCase{"elevation_beyond_the_slider", {{1, "120"}}, {90, 30}, 20},
        StartupCase{"azimuth_beyond_the_slider", {{2, "-500"}}, {-30, -180}, 20},
        StartupCase{"grid_below_its_slider", {{3, "3"}}, {-30, 30}, 5}),
    [](const auto& info) { return info.param.name; });

// --- The animation holds the frames of consecutive ticks ----------------------------------

TEST(Animation, FrameKIsThePictureAtClockTPlusK) {
    QTemporaryDir dir;
    const QString settings = kExamples + "/01-two-sources-in-phase.okd";
    const QString out = dir.filePath("anim.gif");
    const CommandResult r = runCommand({settings, "-o", out, "--frames", "6", "--clock", "40"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    // Progress is for terminals; a pipe hears nothing from a successful export.
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();

    const render_test::DecodedGif gif = render_test::decodeGif(out.toStdString());
    EXPECT_EQ(gif.loopCount, 0);
    EXPECT_EQ(gif.width, sound::kCanvasSize);
    // The file's interval is 50 ms: 5 hundredths of a second.
    EXPECT_EQ(gif.delays, std::vector<int>(6, 5));
    ASSERT_EQ(gif.frames.size(), 6u);
    for (int k = 0; k < 6; ++k)
        EXPECT_EQ(differingPixels(gif.frames[std::size_t(k)], renderedPng(dir, settings, 40 + k)),
                  0u)
            << "frame " << k;
}

TEST(Animation, TheWrapTickAddsNoFrameButTheFrameCountStays) {
    QTemporaryDir dir;
    const QString settings = kExamples + "/04-four-sources-square.okd";
    const QString out = dir.filePath("wrap.gif");
    const CommandResult r = runCommand({settings, "-o", out, "--frames", "5", "--clock", "99998"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const render_test::DecodedGif gif = render_test::decodeGif(out.toStdString());
    const std::vector<int> clocks = {99998, 99999, 100000, -100000, -99999};
    ASSERT_EQ(gif.frames.size(), clocks.size());
    for (std::size_t k = 0; k < clocks.size(); ++k)
        EXPECT_EQ(differingPixels(gif.frames[k], renderedPng(dir, settings, clocks[k])), 0u)
            << "frame " << k << ", clock " << clocks[k];
}

TEST(Animation, TheTurningViewTurnsByTheTickRuleOnEveryFrame) {
    QTemporaryDir dir;
    const std::vector<std::string> turning = exampleLines("05-one-source-turning.okd");
    const QString settings = writeSetup(dir, "from176.okd", withLines(turning, {{2, "176"}}));
    const QString out = dir.filePath("turn.gif");
    const CommandResult r = runCommand({settings, "-o", out, "--frames", "4", "--clock", "10"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const render_test::DecodedGif gif = render_test::decodeGif(out.toStdString());
    ASSERT_EQ(gif.frames.size(), 4u);

    // Frame k is drawn after k + 1 turns from 176: at 178, 180, -178, -176. A picture turns
    // once, so it matches frame k when made from the azimuth one turn before frame k's.
    const std::vector<std::string> startAzimuth = {"176", "178", "180", "-178"};
    for (std::size_t k = 0; k < 4; ++k) {
        const QString from = writeSetup(dir, QStringLiteral("turn%1.okd").arg(k),
                                        withLines(turning, {{2, startAzimuth[k]}}));
        EXPECT_EQ(differingPixels(gif.frames[k], renderedPng(dir, from, 10 + int(k))), 0u)
            << "frame " << k;
    }
    EXPECT_NE(differingPixels(gif.frames[0], gif.frames[1]), 0u);
}

struct DelayCase {
    const char* name;
    const char* intervalLine;
    int delay;
};

// Test listings show the row's name rather than its bytes.
void PrintTo(const DelayCase& c, std::ostream* os) {
    *os << c.name;
}

class FrameDelay : public ::testing::TestWithParam<DelayCase> {};

TEST_P(FrameDelay, IsTheFilesIntervalAsTheSliderTakesIt) {
    QTemporaryDir dir;
    const QString settings = writeSetup(
        dir, "setup.okd",
        withLines(exampleLines("01-two-sources-in-phase.okd"), {{6, GetParam().intervalLine}}));
    const QString out = dir.filePath("delay.gif");
    const CommandResult r = runCommand({settings, "-o", out, "--frames", "2"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(render_test::decodeGif(out.toStdString()).delays,
              std::vector<int>(2, GetParam().delay));
}

INSTANTIATE_TEST_SUITE_P(Render, FrameDelay,
                         ::testing::Values(DelayCase{"start_up_interval", "200", 20},
                                           DelayCase{"halfway_rounds_to_even", "35", 4},
                                           DelayCase{"below_the_slider_is_its_least", "3", 2},
                                           DelayCase{"beyond_the_slider_is_its_most", "5000", 100}),
                         [](const auto& info) { return info.param.name; });

struct RoundingCase {
    int interval;
    int delay;
};

TEST(GifDelay, RoundsMillisecondsToHundredthsHalvesToEven) {
    const std::vector<RoundingCase> cases = {{20, 2},    {24, 2},    {25, 2},   {26, 3},
                                             {35, 4},    {45, 4},    {200, 20}, {994, 99},
                                             {995, 100}, {1000, 100}};
    for (const RoundingCase& c : cases)
        EXPECT_EQ(render::gifDelay(c.interval), c.delay) << c.interval << " ms";
}

// --- The link that opens the set-up in the page -------------------------------------------

struct LinkCase {
    const char* name;
    const char* example;
    QString pageUrl;
    QString page; // the address without its fragment
};

// Test listings show the row's name rather than its bytes.
void PrintTo(const LinkCase& c, std::ostream* os) {
    *os << c.name;
}

class PageLink : public ::testing::TestWithParam<LinkCase> {};

// The link holds the set-up as Save would write it from the window that opened the file, and
// a fresh window that opens the link draws the file's first frame.
TEST_P(PageLink, OpensTheFilesSetupAndWritesNoPicture) {
    const LinkCase& c = GetParam();
    const QString settings = kExamples + "/" + c.example;
    QTemporaryDir dir;
    const CommandResult r = runProgram(QStringLiteral(RENDER_COMMAND),
                                       {settings, "--link", c.pageUrl}, RLIM_INFINITY, dir.path());
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
    EXPECT_TRUE(QDir(dir.path()).isEmpty());

    render::RenderSession saved;
    saved.open(settings.toStdString());
    const std::string fragment = saved.window().setupLink();
    EXPECT_EQ(r.out.toStdString(), (c.page + "#").toStdString() + fragment + "\n");

    platform::HeadlessBackend backend;
    TForm1 form(backend);
    form.openSetupLink(fragment);
    ASSERT_EQ(backend.errorBox->shown, std::vector<std::string>{});
    form.Timer1Timer();
    EXPECT_EQ(differingPixels(canvasPixels(form.graph.canvas()), renderedPng(dir, settings, 0)),
              0u);
}

INSTANTIATE_TEST_SUITE_P(Render, PageLink,
                         ::testing::Values(LinkCase{"beats_on_a_web_server", "03-beats.okd",
                                                    "https://example.org/ondulix-k.html",
                                                    "https://example.org/ondulix-k.html"},
                                           LinkCase{"fragment_replaced",
                                                    "05-one-source-turning.okd",
                                                    "file:///srv/class/ondulix-k.html#okd=1,2#3",
                                                    "file:///srv/class/ondulix-k.html"},
                                           LinkCase{"language_kept", "03-beats.okd",
                                                    "https://example.org/k.html?lang=en#okd=1",
                                                    "https://example.org/k.html?lang=en"}),
                         [](const auto& info) { return info.param.name; });

// --- Failures: one line, status 1, no file --------------------------------------------------

struct FailureCase {
    const char* name;
    // Makes the arguments inside a fresh folder; the output is always "out.png" or "out.gif"
    // in that folder unless the row says otherwise.
    std::function<QStringList(const QTemporaryDir&)> args;
    std::string message; // a part of the line
    rlim_t fileSizeLimit = RLIM_INFINITY;
    const char* locale = "en_US.UTF-8";
};

// Test listings show the row's name rather than its bytes.
void PrintTo(const FailureCase& c, std::ostream* os) {
    *os << c.name;
}

class CommandFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(CommandFailure, PrintsOneLineExitsWithOneAndWritesNothing) {
    QTemporaryDir dir;
    const QStringList args = GetParam().args(dir);
    const QStringList before =
        QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    std::map<QString, QByteArray> contents;
    for (const QString& name : before)
        if (QFile file(dir.filePath(name)); file.open(QIODevice::ReadOnly))
            contents[name] = file.readAll();

    const CommandResult r = runCommand(args, GetParam().fileSizeLimit, GetParam().locale);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
    const std::string err = r.err.toStdString();
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    // Whatever a file brings along, nothing in the line is for the terminal to act on.
    EXPECT_EQ(std::count_if(err.begin(), err.end() - 1,
                            [](char c) { return (c >= 0 && c < 0x20) || c == 0x7F; }),
              0)
        << err;
    EXPECT_EQ(err.rfind("ondulix-k-render: ", 0), 0u) << err;
    EXPECT_NE(err.find(GetParam().message), std::string::npos) << err;

    // Nothing new, and every file that was there is as it was.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              before);
    for (const auto& [name, bytes] : contents) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        EXPECT_EQ(file.readAll(), bytes) << name.toStdString();
    }
}

QString example01() {
    return kExamples + "/01-two-sources-in-phase.okd";
}

QString olderFile(const QTemporaryDir& dir, const QString& name) {
    const QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("an older picture");
    return path;
}

INSTANTIATE_TEST_SUITE_P(
    Render, CommandFailure,
    ::testing::Values(
        FailureCase{"missing_settings_file",
                    [](const QTemporaryDir& d) {
                        return QStringList{d.filePath("none.okd"), "-o", d.filePath("out.png")};
                    },
                    "none.okd: ファイルが見つかりません", RLIM_INFINITY, "C"},
        FailureCase{"line_that_does_not_convert",
                    [](const QTemporaryDir& d) {
                        const QString s = writeSetup(
                            d, "bad.okd",
                            withLines(exampleLines("01-two-sources-in-phase.okd"), {{5, "abc"}}));
                        return QStringList{s, "-o", d.filePath("out.gif"), "--frames", "3"};
                    },
                    "bad.okd:5: 'abc' は整数ではありません", RLIM_INFINITY, "C"},
        FailureCase{"line_that_does_not_convert_in_english",
                    [](const QTemporaryDir& d) {
                        const QString s = writeSetup(
                            d, "bad.okd",
                            withLines(exampleLines("01-two-sources-in-phase.okd"), {{5, "abc"}}));
                        return QStringList{s, "-o", d.filePath("out.png")};
                    },
                    "bad.okd:5: 'abc' is not a whole number"},
        FailureCase{"file_that_ends_early",
                    [](const QTemporaryDir& d) {
                        std::vector<std::string> lines =
                            exampleLines("01-two-sources-in-phase.okd");
                        lines.pop_back();
                        const QString s = writeSetup(d, "short.okd", lines);
                        return QStringList{s, "-o", d.filePath("out.png")};
                    },
                    "short.okd:37: '' は整数ではありません", RLIM_INFINITY, "C"},
        FailureCase{"line_that_would_drive_the_terminal",
                    [](const QTemporaryDir& d) {
                        const QString s = writeSetup(
                            d, "bad.okd",
                            withLines(exampleLines("01-two-sources-in-phase.okd"),
                                      {{20, "\x1b]0;title\x07\x1b[31m\r\xE2\x80\xAE\\x"}}));
                        return QStringList{s, "-o", d.filePath("out.png")};
                    },
                    "bad.okd:20: '\\x1b]0;title\\x07\\x1b[31m\\r\\u202e\\\\x' は整数ではありません",
                    RLIM_INFINITY, "C"},
        FailureCase{"line_with_nul_and_bytes_that_are_not_utf8",
                    [](const QTemporaryDir& d) {
                        const QString s =
                            writeSetup(d, "bad.okd",
                                       withLines(exampleLines("01-two-sources-in-phase.okd"),
                                                 {{20, std::string("1\xFF\0", 3)}}));
                        return QStringList{s, "-o", d.filePath("out.png")};
                    },
                    "bad.okd:20: '1\\xff\\x00' は整数ではありません", RLIM_INFINITY, "C"},
        FailureCase{"bad_line_keeps_an_older_picture",
                    [](const QTemporaryDir& d) {
                        const QString s = writeSetup(
                            d, "bad.okd",
                            withLines(exampleLines("01-two-sources-in-phase.okd"), {{10, "yes"}}));
                        return QStringList{s, "-o", olderFile(d, "out.png")};
                    },
                    "'yes' は正しい論理型ではありません", RLIM_INFINITY, "C"},
        FailureCase{"link_of_a_bad_file",
                    [](const QTemporaryDir& d) {
                        const QString s = writeSetup(
                            d, "bad.okd",
                            withLines(exampleLines("01-two-sources-in-phase.okd"), {{5, "abc"}}));
                        return QStringList{s, "--link", "https://example.org/ondulix-k.html"};
                    },
                    "bad.okd:5: 'abc' は整数ではありません", RLIM_INFINITY, "C"},
        FailureCase{"settings_name_is_a_folder",
                    [](const QTemporaryDir& d) {
                        QDir(d.path()).mkdir("setups");
                        return QStringList{d.filePath("setups"), "-o", d.filePath("out.png")};
                    },
                    "setups: ファイルではなくフォルダです", RLIM_INFINITY, "C"},
        FailureCase{"unknown_option",
                    [](const QTemporaryDir& d) {
                        return QStringList{example01(), "-o", d.filePath("out.png"), "--fast"};
                    },
                    "unknown option '--fast'"},
        FailureCase{"picture_into_a_missing_folder",
                    [](const QTemporaryDir& d) {
                        return QStringList{example01(), "-o", d.filePath("none/out.png")};
                    },
                    "cannot write"},
        FailureCase{
            "animation_into_a_missing_folder",
            [](const QTemporaryDir& d) {
                return QStringList{example01(), "-o", d.filePath("none/out.gif"), "--frames", "3"};
            },
            "cannot write"},
        FailureCase{
            "animation_onto_a_folder",
            [](const QTemporaryDir& d) {
                QDir(d.path()).mkdir("out.gif");
                return QStringList{example01(), "-o", d.filePath("out.gif"), "--frames", "3"};
            },
            "cannot write"},
        // A file size limit refuses writes as a full disk does: one line with the system's
        // reason, the older picture kept.
        FailureCase{"picture_onto_a_full_disk",
                    [](const QTemporaryDir& d) {
                        return QStringList{example01(), "-o", olderFile(d, "out.png")};
                    },
                    "out.png': File too large", 4096},
        FailureCase{
            "animation_onto_a_full_disk",
            [](const QTemporaryDir& d) {
                return QStringList{example01(), "-o", d.filePath("out.gif"), "--frames", "3"};
            },
            "File too large", 4096},
        FailureCase{"output_onto_the_settings_file",
                    [](const QTemporaryDir& d) {
                        const QString s = d.filePath("odd.png");
                        QFile::copy(example01(), s);
                        return QStringList{s, "-o", s};
                    },
                    "is the settings file itself"}),
    [](const auto& info) { return info.param.name; });

// --- Settings from pipes and names in bytes, as a shell passes them --------------------------

struct ShellCase {
    const char* name;
    // Run by /bin/sh in a folder that holds "set.okd" (the first example); "$RENDER" is the
    // command, and the picture must end up as "out.png".
    const char* script;
};

// Test listings show the row's name rather than its bytes.
void PrintTo(const ShellCase& c, std::ostream* os) {
    *os << c.name;
}

class ShellUse : public ::testing::TestWithParam<ShellCase> {};

TEST_P(ShellUse, GivesThePictureOfTheFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(QFile::copy(example01(), dir.filePath("set.okd")));
    const CommandResult r =
        runProgram("/bin/sh", {"-c", GetParam().script}, RLIM_INFINITY, dir.path());
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
    EXPECT_EQ(differingPixels(pngPixels(dir.filePath("out.png")), renderedPng(dir, example01(), 0)),
              0u);
}

INSTANTIATE_TEST_SUITE_P(
    Render, ShellUse,
    ::testing::Values(
        // The second half arrives long after the command first finds the pipe empty.
        ShellCase{"slow_pipe_as_dash", "{ head -c 40 set.okd; sleep 0.5; tail -c +41 set.okd; } | "
                                       "\"$RENDER\" - -o out.png"},
        ShellCase{"slow_pipe_as_dev_stdin",
                  "{ head -c 40 set.okd; sleep 0.5; tail -c +41 set.okd; } | "
                  "\"$RENDER\" /dev/stdin -o out.png"},
        ShellCase{"file_as_standard_input", "\"$RENDER\" - -o out.png < set.okd"},
        // Latin-1 names: the bytes are taken as they are, for reading and for writing.
        ShellCase{"names_that_are_not_utf8",
                  "in=$(printf 'set\\351.okd'); out=$(printf 'out\\351.png'); "
                  "mv set.okd \"$in\" && \"$RENDER\" \"$in\" -o \"$out\" && mv \"$out\" out.png && "
                  "mv \"$in\" set.okd"}),
    [](const auto& info) { return info.param.name; });

TEST(Command, HelpPrintsTheUsageAndSucceeds) {
    const CommandResult r = runCommand({"--help"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.startsWith("Usage: ondulix-k-render SETTINGS.okd -o OUT.png [--clock T]\n"))
        << r.out.toStdString();
    EXPECT_TRUE(r.err.isEmpty());
    // In the program's own language under the C locale.
    EXPECT_TRUE(
        runCommand({"--help"}, RLIM_INFINITY, "C")
            .out.startsWith("使い方: ondulix-k-render SETTINGS.okd -o OUT.png [--clock T]\n"));
}

// --- Interrupted wherever it waits --------------------------------------------------------

struct InterruptCase {
    const char* name;
    int signal;
    // Makes the arguments inside a fresh folder that holds an older "out.png" and "out.gif".
    std::function<QStringList(const QTemporaryDir&)> args;
    // What the command is waiting in when the signal comes: a kernel wait channel's name, or
    // "" for an output file held open.
    const char* waitsIn;
};

// Test listings show the row's name rather than its bytes.
void PrintTo(const InterruptCase& c, std::ostream* os) {
    *os << c.name;
}

class Interrupted : public ::testing::TestWithParam<InterruptCase> {};

TEST_P(Interrupted, EndsAtOnceWithTheShellsStatusAndLeavesTheFolderAsItWas) {
    const InterruptCase& c = GetParam();
    QTemporaryDir dir;
    olderFile(dir, "out.png");
    olderFile(dir, "out.gif");
    ASSERT_EQ(::mkfifo(dir.filePath("pipe.okd").toLocal8Bit().constData(), 0600), 0);
    const QStringList before =
        QDir(dir.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System);

    // Standard input is a pipe that stays open and sends nothing.
    QProcess process;
    process.setProcessEnvironment(environmentIn(QStringLiteral("C")));
    process.start(QStringLiteral(RENDER_COMMAND), c.args(dir));
    ASSERT_TRUE(process.waitForStarted());
    const QString proc = QStringLiteral("/proc/%1/").arg(process.processId());
    auto waiting = [&] {
        if (*c.waitsIn != '\0') {
            QFile wchan(proc + "wchan");
            return wchan.open(QIODevice::ReadOnly) && wchan.readAll().contains(c.waitsIn);
        }
        for (const QFileInfo& fd : QDir(proc + "fd").entryInfoList(QDir::System | QDir::Files))
            if (fd.symLinkTarget().startsWith(dir.path()) && !fd.symLinkTarget().endsWith(".okd"))
                return true;
        return false;
    };
    for (int wait = 0; wait < 600 && !waiting(); ++wait)
        QThread::msleep(20);
    ASSERT_TRUE(waiting()) << "the command never came to its wait";
    ::kill(pid_t(process.processId()), c.signal);

    // A hang shows as a command still running long after the signal.
    EXPECT_TRUE(process.waitForFinished(3000)) << "still running after the signal";
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished();
    }
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 128 + c.signal);
    EXPECT_EQ(process.readAllStandardError().startsWith("ondulix-k-render: 中断しました"), true);
    EXPECT_EQ(QDir(dir.path())
                  .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System),
              before);
    for (const char* name : {"out.png", "out.gif"}) {
        QFile older(dir.filePath(name));
        ASSERT_TRUE(older.open(QIODevice::ReadOnly));
        EXPECT_EQ(older.readAll(), QByteArray("an older picture")) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Render, Interrupted,
    ::testing::Values(
        InterruptCase{"terminated_opening_a_fifo_nobody_writes_to", SIGTERM,
                      [](const QTemporaryDir& d) {
                          return QStringList{d.filePath("pipe.okd"), "-o", d.filePath("out.png")};
                      },
                      "wait_for_partner"},
        InterruptCase{"interrupted_opening_a_fifo_nobody_writes_to", SIGINT,
                      [](const QTemporaryDir& d) {
                          return QStringList{d.filePath("pipe.okd"), "--link", "https://a.example"};
                      },
                      "wait_for_partner"},
        InterruptCase{"terminated_reading_standard_input_that_sends_nothing", SIGTERM,
                      [](const QTemporaryDir& d) {
                          return QStringList{"-", "-o", d.filePath("out.png")};
                      },
                      "pipe_read"},
        InterruptCase{
            "interrupted_writing_frames", SIGINT,
            [](const QTemporaryDir& d) {
                return QStringList{example01(), "-o", d.filePath("out.gif"), "--frames", "1000000"};
            },
            ""}),
    [](const auto& info) { return info.param.name; });

// --- One size limit, regular file or pipe ---------------------------------------------------

// A valid set-up followed by a gigabyte of holes (no room on the disk): read as far as the
// reader goes it would open, so only a check of the size before reading refuses it.
TEST(SizeLimit, RefusesALargeRegularFileBeforeReadingIt) {
    QTemporaryDir dir;
    const QString settings = dir.filePath("giga.okd");
    ASSERT_TRUE(QFile::copy(example01(), settings));
    ASSERT_TRUE(QFile::resize(settings, qint64(1) << 30));
    const CommandResult r =
        runCommand({settings, "-o", dir.filePath("out.png")}, RLIM_INFINITY, QStringLiteral("C"));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err.toStdString(), "ondulix-k-render: " + settings.toStdString() + ": " +
                                       sound::kSettingsFileTooLarge + "\n");
    EXPECT_FALSE(QFile::exists(dir.filePath("out.png")));
}

// One line of NUL bytes, one more than the limit: the reader would otherwise take it whole and
// call it no integer.
TEST(SizeLimit, RefusesAPipeOnceItHasSentMoreThanTheLimit) {
    QTemporaryDir dir;
    const CommandResult r =
        runProgram("/bin/sh",
                   {"-c", QStringLiteral("head -c %1 /dev/zero | \"$RENDER\" - -o out.png")
                              .arg(sound::kSettingsFileLimit + 1)},
                   RLIM_INFINITY, dir.path(), QStringLiteral("C"));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err.toStdString(),
              std::string("ondulix-k-render: <stdin>: ") + sound::kSettingsFileTooLarge + "\n");
    EXPECT_FALSE(QFile::exists(dir.filePath("out.png")));
}

} // namespace
