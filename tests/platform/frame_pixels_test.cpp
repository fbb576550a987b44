// Whole frames drawn by the reference renderer on the program's own canvas, checked pixel
// by pixel against pictures worked out by hand.
#include "frame_renderer.h"
#include "pixel_canvas.h"

#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace {

using platform::PixelCanvas;

char letterOf(sound::Color c) {
    static const std::map<sound::Color, char> letters = {{sound::kWhite, '.'}, {sound::kBlack, '#'},
                                                         {0x00FF00, 'L'},      {0xFF00FF, 'F'},
                                                         {0x00FFFF, 'Y'},      {0xFFFF00, 'A'}};
    const auto it = letters.find(c);
    return it == letters.end() ? '?' : it->second;
}

std::vector<std::string> picture(const PixelCanvas& c, int x0, int y0, int w, int h) {
    std::vector<std::string> rows;
    for (int y = y0; y < y0 + h; ++y) {
        std::string row;
        for (int x = x0; x < x0 + w; ++x)
            row += letterOf(c.colorAt(x, y));
        rows.push_back(row);
    }
    return rows;
}

TEST(FramePixels, OnePointEdgeOnShowsEachSourceInItsColourAndTheParticleCoversItsLeg) {
    sound::Hagen hagen;
    // Static sources (omega 0, phase +-90) under inverse-root attenuation: each adds
    // (amp / 10) / sqrt(r) at the centre point. Edge-on, that is drawn at full scale.
    hagen[0] = {0, 30, 300, 0, 90, 2};   // +5.48 -> row 305
    hagen[1] = {0, -30, 300, 0, -90, 2}; // -5.48 -> row 295
    hagen[2] = {40, 0, 400, 0, 90, 2};   // +6.32 -> row 306
    hagen[3] = {0, -50, 500, 0, 90, 2};  // +7.07 -> row 307; total 13.40 -> row 313
    sound::FrameInputs in;
    in.n = 0;
    PixelCanvas canvas;
    sound::renderFrame(canvas, hagen, 0, sound::View{0, 0}, in);

    // Columns 296 .. 305; the point is at px 300, yg 300. Components at 298 .. 301 end one
    // row short of their displaced row; the zero mark (297 .. 302) is drawn over their first
    // pixel; the leg at 302 runs down to the particle, whose white inside hides its end.
    const std::vector<std::string> expected = {
        "..........", // 294
        "..........", // 295: fuchsia's end point, not painted
        "...F......", // 296
        "...F......", "...F......", "...F......",
        ".######...", // 300: zero mark
        "..L.YA#...", "..L.YA#...", "..L.YA#...", "..L.YA#...",
        "....YA#...", // 305
        ".....A#...", // 306
        "......#...", "......#...", "......#...",
        ".....##...", // 310: top of the particle
        "....#..#..", // the leg is hidden from here on
        "...#....#.", "...#....#.", "....#..#..", ".....##...",
        "..........", // 316
    };
    EXPECT_EQ(picture(canvas, 296, 294, 10, 23), expected);
}

// From straight above with phi = 0 every point (X, Y) is at pixel (X + 300, Y + 300) and
// displacements do not show, so every point draws the same stamp: the zero mark half
// hidden by the particle drawn after it. Components and legs have length zero.
void expectGridOfStamps(const PixelCanvas& canvas, const std::vector<std::string>& stamp) {
    std::vector<std::string> expected(601, std::string(601, '.'));
    for (int i = -5; i <= 5; ++i)
        for (int j = -5; j <= 5; ++j)
            for (int r = 0; r < 6; ++r)
                for (int c = 0; c < 8; ++c)
                    if (stamp[r][c] != '.')
                        expected[300 + 50 * j - 3 + r][300 + 50 * i - 3 + c] = stamp[r][c];
    EXPECT_EQ(picture(canvas, 0, 0, 601, 601), expected);
}

TEST(FramePixels, GridSeenFromAboveIsTheSameStampAtEveryPoint) {
    sound::Hagen hagen;
    hagen[0] = {20, -35, 2147483647, 30, 0, 2};
    sound::FrameInputs in;
    in.n = 5;
    in.g = 50;
    PixelCanvas canvas;
    // Columns px - 3 .. px + 4, rows yg - 3 .. yg + 2.
    sound::renderFrame(canvas, hagen, 7, sound::View{90, 0}, in);
    expectGridOfStamps(canvas,
                       {"....##..", "...#..#.", "..#....#", "###....#", "...#..#.", "....##.."});

    in.rect = true;
    sound::renderFrame(canvas, hagen, 7, sound::View{90, 0}, in);
    expectGridOfStamps(canvas,
                       {"..######", "..#....#", "..#....#", "###....#", "..#....#", "..######"});
}

TEST(FramePixels, FrameWithEveryMarkOffIsBlankWhite) {
    sound::Hagen hagen;
    hagen[0] = {0, 0, 5000, 20, 0, 2};
    sound::FrameInputs in;
    in.seibun = in.bashi = in.suihei = in.baishitsu = false;
    PixelCanvas canvas;
    canvas.setPenColor(0x0000FF);
    canvas.moveTo(0, 0);
    canvas.lineTo(600, 600); // an old frame's leftovers
    sound::renderFrame(canvas, hagen, 3, sound::View{}, in);
    EXPECT_EQ(picture(canvas, 0, 0, 601, 601),
              std::vector<std::string>(601, std::string(601, '.')));
}

TEST(FramePixels, DisplacementsBillionsOfPixelsAwayPaintToTheCanvasEdgeInTheirDirection) {
    sound::Hagen hagen;
    // Four sources at full 32-bit amplitude two units from the point: about 1.07e9 each,
    // 4.3e9 in all, beyond the 32-bit range. Source 2 pulls the other way.
    hagen[0] = {0, 2, 2147483647, 0, 90, 2};
    hagen[1] = {0, -2, 2147483647, 0, -90, 2};
    hagen[2] = {2, 0, 2147483647, 0, 90, 2};
    hagen[3] = {-2, 0, 2147483647, 0, 90, 2};
    sound::FrameInputs in;
    in.n = 0;
    in.attenuation = sound::Attenuation::InverseDistance;
    PixelCanvas canvas;
    sound::renderFrame(canvas, hagen, 0, sound::View{0, 0}, in);
    for (int y = 0; y < 601; ++y) {
        SCOPED_TRACE(y);
        EXPECT_EQ(letterOf(canvas.colorAt(298, y)), y > 300 ? 'L' : y == 300 ? '#' : '.');
        EXPECT_EQ(letterOf(canvas.colorAt(299, y)), y < 300 ? 'F' : y == 300 ? '#' : '.');
        EXPECT_EQ(letterOf(canvas.colorAt(302, y)), y >= 300 ? '#' : '.'); // the leg
    }
}

} // namespace
