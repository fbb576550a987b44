#include "pixel_canvas.h"

#include <gtest/gtest.h>
#include <string>

namespace {

using platform::PixelCanvas;

// The canvas as rows of characters: '.' white, '#' black, 'o' anything else.
std::string drawing(const PixelCanvas& c, int x0, int y0, int w, int h) {
    std::string s;
    for (int y = y0; y < y0 + h; ++y) {
        for (int x = x0; x < x0 + w; ++x) {
            const auto color = c.colorAt(x, y);
            s += color == sound::kWhite ? '.' : color == sound::kBlack ? '#' : 'o';
        }
        s += '\n';
    }
    return s;
}

TEST(PixelCanvas, StoresColoursSoQtShowsThemRight) {
    // 0x00BBGGRR in, 0xFFRRGGBB (QImage RGB32) stored.
    EXPECT_EQ(PixelCanvas::toPixel(0x0000FF), 0xFFFF0000u); // red
    EXPECT_EQ(PixelCanvas::toPixel(0x00FF00), 0xFF00FF00u); // lime
    EXPECT_EQ(PixelCanvas::toPixel(0xFF0000), 0xFF0000FFu); // blue
    PixelCanvas c(4, 4);
    c.setPenColor(0x123456);
    c.moveTo(0, 0);
    c.lineTo(2, 0);
    EXPECT_EQ(c.colorAt(1, 0), 0x123456u);
}

TEST(PixelCanvas, EllipseIsTheRoundSixBySixShape) {
    PixelCanvas c(8, 8);
    c.ellipse(1, 1, 7, 7);
    EXPECT_EQ(drawing(c, 0, 0, 8, 8), "........\n"
                                      "...##...\n"
                                      "..#..#..\n"
                                      ".#....#.\n"
                                      ".#....#.\n"
                                      "..#..#..\n"
                                      "...##...\n"
                                      "........\n");
}

TEST(PixelCanvas, RectangleLeavesRightAndBottomEdgesUnpainted) {
    PixelCanvas c(8, 8);
    c.setBrushColor(0x00FF00);
    c.rectangle(1, 1, 5, 4);
    EXPECT_EQ(drawing(c, 0, 0, 6, 5), "......\n"
                                      ".####.\n"
                                      ".#oo#.\n"
                                      ".####.\n"
                                      "......\n");
}

TEST(PixelCanvas, LinesLeaveTheirEndPointUnpainted) {
    PixelCanvas c(6, 6);
    c.moveTo(1, 1);
    c.lineTo(4, 1); // horizontal, rightwards
    c.lineTo(4, 4); // vertical, from the end of the first: (4, 1) is painted now
    c.lineTo(1, 4); // leftwards: (4, 4) painted, (1, 4) not
    EXPECT_EQ(drawing(c, 0, 0, 6, 6), "......\n"
                                      ".####.\n"
                                      "....#.\n"
                                      "....#.\n"
                                      "..###.\n"
                                      "......\n");
}

TEST(PixelCanvas, FarOffLinesPaintTheirVisiblePartInTheRightDirection) {
    PixelCanvas c(10, 10);
    // A leg from row 5 to ten billion rows below: paints rows 5 to 9.
    c.moveTo(3, 5);
    c.lineTo(3, 10'000'000'000LL);
    // Upwards beyond -2^32: paints rows 0 to 5 of column 6 (the start point included).
    c.moveTo(6, 5);
    c.lineTo(6, -4'294'967'296LL - 7);
    for (int y = 0; y < 10; ++y) {
        EXPECT_EQ(c.colorAt(3, y), y >= 5 ? sound::kBlack : sound::kWhite) << y;
        EXPECT_EQ(c.colorAt(6, y), y <= 5 ? sound::kBlack : sound::kWhite) << y;
    }
    // A slanted line to a far point: the pixels near its start are those of the
    // same slope, 1 down for every 2 across (a tie rounds downwards on screen).
    PixelCanvas d(10, 10);
    d.moveTo(0, 0);
    d.lineTo(20'000'000'000LL, 10'000'000'000LL);
    EXPECT_EQ(drawing(d, 0, 0, 6, 4), "#.....\n"
                                      ".##...\n"
                                      "...##.\n"
                                      ".....#\n");
}

} // namespace
