#pragma once

#include "canvas.h"
#include "pixel_rules.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

// A retained bitmap with the exact drawing rules of the program's canvas: integer pixel
// coordinates with the origin top left, right and bottom edges and a line's end point not
// painted, everything outside clipped. pixel_rules.h says which pixels each primitive paints;
// the methods paint by those rules, with special cases for what every frame draws (vertical
// and horizontal lines, small shapes) right beside them.
//
// Each pixel is stored as the four bytes R, G, B, A in memory order, alpha always 0xFF: the
// order that Qt's QImage::Format_RGBX8888 and a web page's ImageData read, so the backends show
// the buffer as it is, with no conversion per frame.
class PixelCanvas final : public sound::Canvas {
public:
    // One pixel, the 32-bit word whose bytes in memory are R, G, B, A.
    using Pixel = std::uint32_t;

    explicit PixelCanvas(int width = 601, int height = 601);

    int width() const { return width_; }
    int height() const { return height_; }

    Pixel pixel(int x, int y) const { return pixels_[std::size_t(y) * width_ + x]; }
    // The colour at a pixel in the program's 0x00BBGGRR form.
    sound::Color colorAt(int x, int y) const { return toColor(pixel(x, y)); }
    // Rows top to bottom, width pixels each, with nothing between rows.
    const Pixel* bits() const { return pixels_.data(); }

    static constexpr Pixel toPixel(sound::Color color);
    static constexpr sound::Color toColor(Pixel pixel);

    void setBrushColor(sound::Color color) override { brush_ = toPixel(color); }
    void setPenColor(sound::Color color) override { pen_ = toPixel(color); }
    void fillRect(std::int64_t left, std::int64_t top, std::int64_t right,
                  std::int64_t bottom) override;
    void moveTo(std::int64_t x, std::int64_t y) override {
        curX_ = x;
        curY_ = y;
    }
    void lineTo(std::int64_t x, std::int64_t y) override;
    void rectangle(std::int64_t left, std::int64_t top, std::int64_t right,
                   std::int64_t bottom) override {
        shape(Shape::Rectangle, left, top, right, bottom);
    }
    void ellipse(std::int64_t left, std::int64_t top, std::int64_t right,
                 std::int64_t bottom) override {
        shape(Shape::Ellipse, left, top, right, bottom);
    }

private:
    using Ink = pixel_rules::Ink;
    enum Shape { Rectangle, Ellipse, kShapeCount };

    // A shape's pixels in a box of its own size, as the general rule paints them.
    static constexpr int kPatternSide = 8;
    struct ShapePattern {
        std::int64_t width = 0; // 0 until the first shape of a small box
        std::int64_t height = 0;
        std::array<std::array<Ink, kPatternSide>, kPatternSide> ink{};
    };

    void paintRun(std::int64_t y, std::int64_t first, std::int64_t last, Pixel pixel) {
        Pixel* row = pixels_.data() + std::size_t(y) * std::size_t(width_);
        std::fill(row + first, row + last + 1, pixel);
    }
    Pixel inkPixel(Ink ink) const { return ink == Ink::Pen ? pen_ : brush_; }

    void shape(Shape kind, std::int64_t left, std::int64_t top, std::int64_t right,
               std::int64_t bottom);
    void stamp(const ShapePattern& pattern, std::int64_t left, std::int64_t top);
    const ShapePattern& patternOf(Shape kind, std::int64_t width, std::int64_t height);
    const ShapePattern& makePattern(Shape kind, std::int64_t width, std::int64_t height);
    void generalLine(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1);
    void generalShape(Shape kind, std::int64_t left, std::int64_t top, std::int64_t right,
                      std::int64_t bottom);

    int width_;
    int height_;
    std::vector<Pixel> pixels_;
    Pixel brush_;
    Pixel pen_;
    std::int64_t curX_ = 0;
    std::int64_t curY_ = 0;
    std::array<ShapePattern, kShapeCount> patterns_{};
};

// The colour's low byte is red, so on a little-endian host the colour with an alpha of 0xFF
// above it is already the word of the bytes R, G, B, A; a big-endian host reverses the bytes.
static_assert(std::endian::native == std::endian::little || std::endian::native == std::endian::big,
              "a pixel's bytes are placed for a little- or big-endian host");

constexpr PixelCanvas::Pixel PixelCanvas::toPixel(sound::Color color) {
    if constexpr (std::endian::native == std::endian::little)
        return 0xFF000000u | (color & 0xFFFFFFu);
    else
        return (color & 0xFFu) << 24 | (color & 0xFF00u) << 8 | (color >> 8 & 0xFF00u) | 0xFFu;
}

constexpr sound::Color PixelCanvas::toColor(Pixel pixel) {
    if constexpr (std::endian::native == std::endian::little)
        return pixel & 0xFFFFFFu;
    else
        return pixel >> 24 | (pixel >> 8 & 0xFF00u) | (pixel << 8 & 0xFF0000u);
}

inline void PixelCanvas::lineTo(std::int64_t x, std::int64_t y) {
    const std::int64_t x0 = curX_;
    const std::int64_t y0 = curY_;
    curX_ = x;
    curY_ = y;

    // The end point is never painted, so a line of length zero paints nothing.
    if (x == x0 && y == y0)
        return;
    // Special case: vertical line, the legs and component lines of every frame. It paints
    // from the start row towards the end row, which it leaves out.
    if (x == x0) {
        if (x < 0 || x >= width_)
            return;
        const std::int64_t from = std::max<std::int64_t>(y > y0 ? y0 : y + 1, 0);
        const std::int64_t to = std::min<std::int64_t>(y > y0 ? y - 1 : y0, height_ - 1);
        // Locals, because a pixel written could be the pen or the width as far as the compiler
        // knows.
        const Pixel pen = pen_;
        const std::size_t stride = std::size_t(width_);
        Pixel* pixel = pixels_.data() + x;
        for (std::int64_t row = from; row <= to; ++row)
            pixel[std::size_t(row) * stride] = pen;
        return;
    }
    // Special case: horizontal line, the zero-displacement marks.
    if (y == y0) {
        if (y < 0 || y >= height_)
            return;
        const std::int64_t first = std::max<std::int64_t>(x > x0 ? x0 : x + 1, 0);
        const std::int64_t last = std::min<std::int64_t>(x > x0 ? x - 1 : x0, width_ - 1);
        if (first <= last)
            paintRun(y, first, last, pen_);
        return;
    }
    generalLine(x0, y0, x, y);
}

inline void PixelCanvas::shape(Shape kind, std::int64_t left, std::int64_t top, std::int64_t right,
                               std::int64_t bottom) {
    // The corners may come either way round.
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    if (right <= left || bottom <= top || right <= 0 || bottom <= 0 || left >= width_ ||
        top >= height_)
        return;
    // Special case: a small box, the particles of every frame. A shape's pixels depend only on
    // the box's size and their offsets from its corner, and are clipped one by one, so the
    // shape is its size's pattern cut to the canvas.
    if (right - left <= kPatternSide && bottom - top <= kPatternSide) {
        stamp(patternOf(kind, right - left, bottom - top), left, top);
        return;
    }
    generalShape(kind, left, top, right, bottom);
}

inline void PixelCanvas::stamp(const ShapePattern& pattern, std::int64_t left, std::int64_t top) {
    const std::int64_t rowFrom = std::max<std::int64_t>(top, 0);
    const std::int64_t rowTo = std::min<std::int64_t>(top + pattern.height, height_);
    const std::int64_t colFrom = std::max<std::int64_t>(left, 0);
    const std::int64_t colTo = std::min<std::int64_t>(left + pattern.width, width_);
    // Locals, because a pixel written could be the pen or the brush as far as the compiler
    // knows.
    const Pixel pen = pen_;
    const Pixel brush = brush_;
    const std::size_t stride = std::size_t(width_);
    for (std::int64_t y = rowFrom; y < rowTo; ++y) {
        Pixel* row = pixels_.data() + std::size_t(y) * stride;
        const auto& ink = pattern.ink[std::size_t(y - top)];
        for (std::int64_t x = colFrom; x < colTo; ++x) {
            const Ink at = ink[std::size_t(x - left)];
            if (at != Ink::None)
                row[x] = at == Ink::Pen ? pen : brush;
        }
    }
}

inline const PixelCanvas::ShapePattern& PixelCanvas::patternOf(Shape kind, std::int64_t width,
                                                               std::int64_t height) {
    const ShapePattern& pattern = patterns_[kind];
    if (pattern.width == width && pattern.height == height)
        return pattern;
    return makePattern(kind, width, height);
}

} // namespace platform
