#include "pixel_canvas.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

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

TEST(PixelCanvas, StoresEachPixelAsTheBytesRedGreenBlueAlphaThatBothBackendsShow) {
    PixelCanvas c(3, 1);
    c.setPenColor(0x563412); // 0x00BBGGRR: red 0x12, green 0x34, blue 0x56
    c.moveTo(1, 0);
    c.lineTo(3, 0);
    const auto* bytes = reinterpret_cast<const unsigned char*>(c.bits());
    const std::vector<unsigned char> stored(bytes, bytes + 12);
    EXPECT_EQ(stored, (std::vector<unsigned char>{0xFF, 0xFF, 0xFF, 0xFF, 0x12, 0x34, 0x56, 0xFF,
                                                  0x12, 0x34, 0x56, 0xFF}));
    EXPECT_EQ(c.colorAt(1, 0), 0x563412u);
    EXPECT_EQ(PixelCanvas::toColor(PixelCanvas::toPixel(0xABCDEF)), 0xABCDEFu);
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

// --- The special cases against the general rules --------------------------------------------

constexpr sound::Color kGround = 0x202020;
constexpr sound::Color kPen = 0x0000FF;
constexpr sound::Color kBrush = 0x00FF00;

// Clears the canvas to the ground colour and sets the test's pen and brush.
void clear(PixelCanvas& c) {
    c.setBrushColor(kGround);
    c.fillRect(0, 0, c.width(), c.height());
    c.setPenColor(kPen);
    c.setBrushColor(kBrush);
}

// The canvas as rows of 'p' (pen), 'b' (brush) and '.' (ground).
std::string inks(const PixelCanvas& c) {
    std::string s;
    for (int y = 0; y < c.height(); ++y) {
        for (int x = 0; x < c.width(); ++x) {
            const auto color = c.colorAt(x, y);
            s += color == kPen ? 'p' : color == kBrush ? 'b' : color == kGround ? '.' : '?';
        }
        s += '\n';
    }
    return s;
}

// What a rule paints on a ground of that size, in the same letters. A run outside the area
// shows as '!' in the first row.
template <class Rule> std::string ruled(int width, int height, const Rule& rule) {
    std::vector<std::string> rows(std::size_t(height), std::string(std::size_t(width), '.'));
    rule(
        width, height,
        [&](std::int64_t y, std::int64_t first, std::int64_t last, platform::pixel_rules::Ink ink) {
            if (y < 0 || y >= height || first < 0 || last >= width || first > last) {
                rows[0] += '!';
                return;
            }
            for (std::int64_t x = first; x <= last; ++x)
                rows[std::size_t(y)][std::size_t(x)] =
                    ink == platform::pixel_rules::Ink::Pen ? 'p' : 'b';
        });
    std::string s;
    for (const std::string& row : rows)
        s += row + '\n';
    return s;
}

// Ends on, next to and far beyond the edges of a 5 x 4 canvas.
constexpr std::int64_t kLineEnds[] = {-10'000'000'000LL, -2, -1, 0, 1, 3, 4, 5, 6,
                                      10'000'000'000LL};

TEST(PixelCanvasSpecialCases, VerticalAndHorizontalLinesPaintWhatTheLineRulePaints) {
    constexpr int kWidth = 5;
    constexpr int kHeight = 4;
    PixelCanvas c(kWidth, kHeight);
    for (const bool vertical : {true, false}) {
        for (std::int64_t across = -1; across <= 5; ++across) {
            for (const std::int64_t from : kLineEnds) {
                for (const std::int64_t to : kLineEnds) {
                    const std::int64_t x0 = vertical ? across : from;
                    const std::int64_t y0 = vertical ? from : across;
                    const std::int64_t x1 = vertical ? across : to;
                    const std::int64_t y1 = vertical ? to : across;
                    clear(c);
                    c.moveTo(x0, y0);
                    c.lineTo(x1, y1);
                    ASSERT_EQ(inks(c), ruled(kWidth, kHeight,
                                             [&](int w, int h, const auto& paint) {
                                                 platform::pixel_rules::line(x0, y0, x1, y1, w, h,
                                                                             paint);
                                             }))
                        << "(" << x0 << ", " << y0 << ") to (" << x1 << ", " << y1 << ")";
                }
            }
        }
    }
}

// Every box up to one past the largest pattern, at every place where it touches a 7 x 6
// canvas, its corners given either way round. One canvas draws them all, so its patterns meet
// every change of size and shape.
TEST(PixelCanvasSpecialCases, SmallShapesPaintWhatTheShapeRulesPaint) {
    constexpr int kWidth = 7;
    constexpr int kHeight = 6;
    PixelCanvas c(kWidth, kHeight);
    for (const bool ellipse : {true, false}) {
        for (std::int64_t w = 1; w <= 9; ++w) {
            for (std::int64_t h = 1; h <= 9; ++h) {
                for (std::int64_t left = -w; left <= kWidth; ++left) {
                    for (std::int64_t top = -h; top <= kHeight; ++top) {
                        const bool reversed = (left + top) % 2 != 0;
                        clear(c);
                        if (ellipse && reversed)
                            c.ellipse(left + w, top + h, left, top);
                        else if (ellipse)
                            c.ellipse(left, top, left + w, top + h);
                        else if (reversed)
                            c.rectangle(left + w, top, left, top + h);
                        else
                            c.rectangle(left, top, left + w, top + h);
                        const auto rule = [&](int cw, int ch, const auto& paint) {
                            if (ellipse)
                                platform::pixel_rules::ellipse(left, top, left + w, top + h, cw, ch,
                                                               paint);
                            else
                                platform::pixel_rules::rectangle(left, top, left + w, top + h, cw,
                                                                 ch, paint);
                        };
                        ASSERT_EQ(inks(c), ruled(kWidth, kHeight, rule))
                            << (ellipse ? "ellipse " : "rectangle ") << w << " x " << h << " at ("
                            << left << ", " << top << ")";
                    }
                }
            }
        }
    }
}

} // namespace
