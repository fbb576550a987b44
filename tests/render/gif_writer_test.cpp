// The GIF writer: frames drawn on the program's canvas come back from giflib pixel for
// pixel, with their delays and the endless loop, and no failure leaves a file behind.
#include "frame_palette.h"
#include "frame_renderer.h"
#include "gif_reading.h"
#include "gif_writer.h"
#include "pixel_canvas.h"
#include "render_error.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gif_lib.h>
#include <gtest/gtest.h>

namespace {

using platform::PixelCanvas;
using render::GifWriter;
using render::kFramePalette;
using render_test::decodeGif;

std::vector<std::uint32_t> pixelsOf(const PixelCanvas& c) {
    return {c.bits(), c.bits() + std::size_t(c.width()) * c.height()};
}

// A small picture with every colour of the palette; `shift` moves the marks so that no
// two frames are alike.
PixelCanvas smallFrame(int shift) {
    PixelCanvas c(40, 30);
    for (int k = 0; k < 4; ++k) {
        c.setPenColor(sound::kSourceColors[k]);
        c.moveTo(3 + 2 * k + shift, 2);
        c.lineTo(3 + 2 * k + shift, 25 - shift);
    }
    c.setPenColor(sound::kBlack);
    c.ellipse(15 + shift, 8, 21 + shift, 14);
    c.rectangle(28 - shift, 18, 34 - shift, 24);
    return c;
}

TEST(GifWriter, SmallFramesComeBackWithTheirDelaysAndLoopForever) {
    QTemporaryDir dir;
    const QString path = dir.filePath("small.gif");
    // The third frame repeats the second: it still has its own delay.
    const std::vector<PixelCanvas> frames = {smallFrame(0), smallFrame(1), smallFrame(1),
                                             smallFrame(3)};
    const std::vector<int> delays = {2, 7, 30, 100};
    {
        GifWriter writer(path.toStdString(), 40, 30, kFramePalette);
        for (std::size_t k = 0; k < frames.size(); ++k)
            writer.addFrame(frames[k], delays[k]);
        writer.finish();
    }
    const render_test::DecodedGif gif = decodeGif(path.toStdString());
    EXPECT_EQ(gif.version, "89a");
    EXPECT_EQ(gif.width, 40);
    EXPECT_EQ(gif.height, 30);
    EXPECT_EQ(gif.loopCount, 0);
    EXPECT_EQ(gif.delays, delays);
    EXPECT_EQ(gif.disposals, std::vector<int>(4, DISPOSE_DO_NOT));
    ASSERT_EQ(gif.frames.size(), frames.size());
    for (std::size_t k = 0; k < frames.size(); ++k)
        EXPECT_EQ(gif.frames[k], pixelsOf(frames[k])) << "frame " << k;
}

TEST(GifWriter, WholeRenderedFramesComeBackPixelForPixel) {
    sound::Hagen hagen;
    hagen[0] = {-120, -60, 2500, 17, 0, 2};
    hagen[1] = {100, 40, 2000, 23, 90, 2};
    hagen[2] = {-30, 150, 1500, 29, 45, 2};
    hagen[3] = {80, -140, 1800, 31, 135, 2};
    QTemporaryDir dir;
    const QString path = dir.filePath("frames.gif");
    std::vector<PixelCanvas> frames(2);
    {
        GifWriter writer(path.toStdString(), sound::kCanvasSize, sound::kCanvasSize, kFramePalette);
        for (int k = 0; k < 2; ++k) {
            sound::renderFrame(frames[k], hagen, 40 + k, sound::View{}, sound::FrameInputs{});
            writer.addFrame(frames[k], 20);
        }
        writer.finish();
    }
    ASSERT_NE(pixelsOf(frames[0]), pixelsOf(frames[1]));
    const render_test::DecodedGif gif = decodeGif(path.toStdString());
    ASSERT_EQ(gif.frames.size(), 2u);
    EXPECT_EQ(gif.frames[0], pixelsOf(frames[0]));
    EXPECT_EQ(gif.frames[1], pixelsOf(frames[1]));
}

// With all 256 entries of a colour table in use no entry is left to mean "as before", so
// the changed part of each frame is written in its own colours.
TEST(GifWriter, FullColourTableStillGivesExactFrames) {
    std::vector<sound::Color> palette;
    for (unsigned k = 0; k < 256; ++k)
        palette.push_back(k * 0x010101u ^ 0x3F0000u);
    std::vector<PixelCanvas> frames;
    for (int f = 0; f < 3; ++f) {
        PixelCanvas c(16, 16);
        c.setBrushColor(palette[0]);
        c.fillRect(0, 0, 16, 16);
        for (int y = 0; y < 16; ++y) {
            c.setPenColor(palette[(16 * y + 5 * f) % 256]);
            c.moveTo(f, y);
            c.lineTo(16, y);
        }
        frames.push_back(c);
    }
    QTemporaryDir dir;
    const QString path = dir.filePath("full.gif");
    {
        GifWriter writer(path.toStdString(), 16, 16, palette);
        for (const PixelCanvas& c : frames)
            writer.addFrame(c, 4);
        writer.finish();
    }
    const render_test::DecodedGif gif = decodeGif(path.toStdString());
    ASSERT_EQ(gif.frames.size(), frames.size());
    for (std::size_t k = 0; k < frames.size(); ++k)
        EXPECT_EQ(gif.frames[k], pixelsOf(frames[k])) << "frame " << k;
}

// Later frames are written as the changed part, with unchanged pixels either transparent
// or in their own colours, whichever packs better: a standing picture with a few moving
// marks, and a picture that moves as a whole, must each come back exactly.
TEST(GifWriter, StandingAndMovingPicturesComeBackExactly) {
    auto stripes = [](int shift, int markRow) {
        PixelCanvas c(60, 40);
        c.setPenColor(sound::kBlack);
        for (int x = shift % 3; x < 60; x += 3) {
            c.moveTo(x, 0);
            c.lineTo(x, 40);
        }
        // Two short marks in opposite corners: the changed box spans most of the stripes.
        c.setPenColor(sound::kSourceColors[1]);
        c.moveTo(1, markRow);
        c.lineTo(6, markRow);
        c.moveTo(53, 39 - markRow);
        c.lineTo(58, 39 - markRow);
        return c;
    };
    const std::vector<PixelCanvas> frames = {stripes(0, 5), stripes(0, 6), stripes(0, 7),
                                             stripes(1, 7), stripes(2, 7)};
    QTemporaryDir dir;
    const QString path = dir.filePath("stripes.gif");
    {
        GifWriter writer(path.toStdString(), 60, 40, kFramePalette);
        for (const PixelCanvas& c : frames)
            writer.addFrame(c, 3);
        writer.finish();
    }
    const render_test::DecodedGif gif = decodeGif(path.toStdString());
    ASSERT_EQ(gif.frames.size(), frames.size());
    for (std::size_t k = 0; k < frames.size(); ++k)
        EXPECT_EQ(gif.frames[k], pixelsOf(frames[k])) << "frame " << k;
    // The mark moving over standing stripes leaves the stripes transparent; stripes moving
    // as a whole are written in their colours.
    EXPECT_EQ(gif.transparent, (std::vector<bool>{false, true, true, false, false}));
}

TEST(GifWriter, TheFileAppearsOnlyWhenFinishedAndNoTemporaryFileStays) {
    QTemporaryDir dir;
    const QString path = dir.filePath("late.gif");
    GifWriter writer(path.toStdString(), 40, 30, kFramePalette);
    writer.addFrame(smallFrame(0), 5);
    EXPECT_FALSE(QFile::exists(path));
    writer.finish();
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"late.gif"});
    EXPECT_THROW(writer.addFrame(smallFrame(0), 5), render::RenderError);
}

// Every way an export can fail, each tried with an older file under the target's name.
struct ExportFault {
    const char* name;
    std::function<void(const QString& path)> exportTo;
};

// Test listings show the row's name rather than its bytes.
void PrintTo(const ExportFault& c, std::ostream* os) {
    *os << c.name;
}

class GifFailure : public ::testing::TestWithParam<ExportFault> {};

TEST_P(GifFailure, LeavesTheOlderFileAsItWasAndNoOtherFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("old.gif");
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("older picture");
    }
    EXPECT_THROW(GetParam().exportTo(path), render::RenderError);
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("older picture"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"old.gif"});
}

INSTANTIATE_TEST_SUITE_P(
    Render, GifFailure,
    ::testing::Values(ExportFault{"colour_outside_the_palette",
                                  [](const QString& path) {
                                      GifWriter writer(path.toStdString(), 40, 30, kFramePalette);
                                      writer.addFrame(smallFrame(0), 5);
                                      PixelCanvas red = smallFrame(1);
                                      red.setPenColor(0x0000FF);
                                      red.moveTo(0, 0);
                                      red.lineTo(0, 5);
                                      writer.addFrame(red, 5);
                                      writer.finish();
                                  }},
                      ExportFault{"frame_of_another_size",
                                  [](const QString& path) {
                                      GifWriter writer(path.toStdString(), 40, 30, kFramePalette);
                                      writer.addFrame(PixelCanvas(41, 30), 5);
                                      writer.finish();
                                  }},
                      ExportFault{"delay_beyond_the_format",
                                  [](const QString& path) {
                                      GifWriter writer(path.toStdString(), 40, 30, kFramePalette);
                                      writer.addFrame(smallFrame(0), 65536);
                                  }},
                      ExportFault{"abandoned_before_finishing",
                                  [](const QString& path) {
                                      GifWriter writer(path.toStdString(), 40, 30, kFramePalette);
                                      writer.addFrame(smallFrame(0), 5);
                                      throw render::RenderError("interrupted");
                                  }}),
    [](const auto& info) { return info.param.name; });

struct GifTarget {
    const char* name;
    const char* target; // inside a fresh folder
};

// Test listings show the row's name rather than its bytes.
void PrintTo(const GifTarget& c, std::ostream* os) {
    *os << c.name;
}

class GifUnwritableTarget : public ::testing::TestWithParam<GifTarget> {};

TEST_P(GifUnwritableTarget, IsRefusedAtOnceNamingTheFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
    const QString path = dir.filePath(GetParam().target);
    try {
        GifWriter writer(path.toStdString(), 40, 30, kFramePalette);
        FAIL() << "opened " << path.toStdString();
    } catch (const render::RenderError& e) {
        EXPECT_NE(std::string(e.what()).find(path.toStdString()), std::string::npos) << e.what();
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{});
    EXPECT_TRUE(QFileInfo(dir.filePath("folder")).isDir());
}

INSTANTIATE_TEST_SUITE_P(Render, GifUnwritableTarget,
                         ::testing::Values(GifTarget{"folder_that_does_not_exist", "none/x.gif"},
                                           GifTarget{"name_of_a_folder", "folder"}),
                         [](const auto& info) { return info.param.name; });

} // namespace
