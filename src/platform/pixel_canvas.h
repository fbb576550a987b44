#pragma once

#include "canvas.h"

#include <cstdint>
#include <vector>

namespace platform {

// A retained bitmap with the exact drawing rules of the program's canvas: integer pixel
// coordinates with the origin top left, right and bottom edges and a line's end point not
// painted, everything outside clipped. Pixels are stored as 0xFFRRGGBB so that a QImage of
// format RGB32 can show the buffer without a copy.
class PixelCanvas final : public sound::Canvas {
public:
    explicit PixelCanvas(int width = 601, int height = 601);

    int width() const { return width_; }
    int height() const { return height_; }

    // The stored pixel, 0xFFRRGGBB.
    std::uint32_t pixel(int x, int y) const { return pixels_[std::size_t(y) * width_ + x]; }
    // The colour at a pixel in the program's 0x00BBGGRR form.
    sound::Color colorAt(int x, int y) const;
    const std::uint32_t* bits() const { return pixels_.data(); }
    std::uint32_t* bits() { return pixels_.data(); }

    static std::uint32_t toPixel(sound::Color color);

    // The pen and brush as stored pixels, for painters that write the buffer directly.
    std::uint32_t penPixel() const { return pen_; }
    std::uint32_t brushPixel() const { return brush_; }

    void setBrushColor(sound::Color color) override;
    void setPenColor(sound::Color color) override;
    void fillRect(std::int64_t left, std::int64_t top, std::int64_t right,
                  std::int64_t bottom) override;
    void moveTo(std::int64_t x, std::int64_t y) override;
    void lineTo(std::int64_t x, std::int64_t y) override;
    void rectangle(std::int64_t left, std::int64_t top, std::int64_t right,
                   std::int64_t bottom) override;
    void ellipse(std::int64_t left, std::int64_t top, std::int64_t right,
                 std::int64_t bottom) override;

private:
    bool normaliseBox(std::int64_t& left, std::int64_t& top, std::int64_t& right,
                      std::int64_t& bottom) const;
    void fillSpan(std::int64_t y, std::int64_t x0, std::int64_t x1, std::uint32_t pixel);
    void plot(std::int64_t x, std::int64_t y, std::uint32_t pixel);

    int width_;
    int height_;
    std::vector<std::uint32_t> pixels_;
    std::uint32_t brush_;
    std::uint32_t pen_;
    std::int64_t curX_ = 0;
    std::int64_t curY_ = 0;
};

} // namespace platform
