// The PNG writer: a rendered frame comes back from the file pixel for pixel, and a failure
// leaves no file behind.
#include "frame_renderer.h"
#include "pixel_canvas.h"
#include "png_writer.h"
#include "render_error.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(PngWriter, RenderedFrameComesBackPixelForPixel) {
    sound::Hagen hagen;
    hagen[0] = {-80, 0, 2500, 9, 0, 2};
    hagen[1] = {80, 0, 2500, 9, 180, 2};
    platform::PixelCanvas frame;
    sound::renderFrame(frame, hagen, 12, sound::View{}, sound::FrameInputs{});

    QTemporaryDir dir;
    const QString path = dir.filePath("frame.png");
    render::writePng(frame, path.toStdString());
    QImage back(path);
    ASSERT_FALSE(back.isNull());
    back = back.convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(back.width(), frame.width());
    ASSERT_EQ(back.height(), frame.height());
    int differing = 0;
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x)
            differing += back.pixel(x, y) != frame.pixel(x, y);
    EXPECT_EQ(differing, 0);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"frame.png"});
}

struct TargetCase {
    const char* name;
    const char* target; // inside a fresh folder
};

// Test listings show the row's name rather than its bytes.
void PrintTo(const TargetCase& c, std::ostream* os) {
    *os << c.name;
}

class PngUnwritableTarget : public ::testing::TestWithParam<TargetCase> {};

TEST_P(PngUnwritableTarget, IsRefusedNamingTheFileAndLeavesNoFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
    const QString path = dir.filePath(GetParam().target);
    try {
        render::writePng(platform::PixelCanvas(10, 10), path.toStdString());
        FAIL() << "wrote " << path.toStdString();
    } catch (const render::RenderError& e) {
        EXPECT_NE(std::string(e.what()).find(path.toStdString()), std::string::npos) << e.what();
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{});
    EXPECT_TRUE(QFileInfo(dir.filePath("folder")).isDir());
}

INSTANTIATE_TEST_SUITE_P(Render, PngUnwritableTarget,
                         ::testing::Values(TargetCase{"folder_that_does_not_exist", "none/x.png"},
                                           TargetCase{"name_of_a_folder", "folder"}),
                         [](const auto& info) { return info.param.name; });

} // namespace
