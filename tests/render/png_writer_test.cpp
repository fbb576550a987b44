// The PNG writer: a rendered frame comes back from the file pixel for pixel, and a failure
// leaves no file behind.
#include "frame_renderer.h"
#include "pixel_canvas.h"
#include "png_reading.h"
#include "png_writer.h"
#include "render_error.h"
#include "temp_folder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using Names = std::vector<std::string>;

TEST(PngWriter, RenderedFrameComesBackPixelForPixelAsAnRgbPicture) {
    sound::Hagen hagen;
    hagen[0] = {-80, 0, 2500, 9, 0, 2};
    hagen[1] = {80, 0, 2500, 9, 180, 2};
    platform::PixelCanvas frame;
    sound::renderFrame(frame, hagen, 12, sound::View{}, sound::FrameInputs{});

    testsupport::TempFolder dir;
    render::writePng(frame, dir.path("frame.png"));
    const render_test::DecodedPng back = render_test::decodePng(dir.path("frame.png"));
    EXPECT_TRUE(back.colour);
    EXPECT_FALSE(back.alpha);
    ASSERT_EQ(back.width, frame.width());
    ASSERT_EQ(back.height, frame.height());
    int differing = 0;
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x)
            differing += back.pixels[std::size_t(y) * back.width + x] != frame.pixel(x, y);
    EXPECT_EQ(differing, 0);
    EXPECT_EQ(dir.entries(), Names{"frame.png"});
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
    testsupport::TempFolder dir;
    dir.mkdir("folder");
    const std::string path = dir.path(GetParam().target);
    try {
        render::writePng(platform::PixelCanvas(10, 10), path);
        FAIL() << "wrote " << path;
    } catch (const render::RenderError& e) {
        EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
    }
    EXPECT_EQ(dir.entries(), Names{"folder"});
    EXPECT_TRUE(std::filesystem::is_directory(dir.path("folder")));
}

INSTANTIATE_TEST_SUITE_P(Render, PngUnwritableTarget,
                         ::testing::Values(TargetCase{"folder_that_does_not_exist", "none/x.png"},
                                           TargetCase{"name_of_a_folder", "folder"}),
                         [](const auto& info) { return info.param.name; });

} // namespace
