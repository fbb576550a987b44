#pragma once

#include <cstdint>

namespace sound {

// Colours are 0x00BBGGRR: red in the low byte, blue in the high one.
using Color = std::uint32_t;

inline constexpr Color kBlack = 0x000000;
inline constexpr Color kWhite = 0xFFFFFF;

// The drawing operations a frame is made of. Coordinates are 64-bit because displaced
// points can lie billions of pixels off the drawing area; an implementation clips them.
// Right and bottom edges of boxes and the end point of a line are never painted.
class Canvas {
public:
    virtual ~Canvas() = default;

    virtual void setBrushColor(Color color) = 0;
    virtual void setPenColor(Color color) = 0;

    // Fills [left, right) x [top, bottom) with the brush.
    virtual void fillRect(std::int64_t left, std::int64_t top, std::int64_t right,
                          std::int64_t bottom) = 0;

    virtual void moveTo(std::int64_t x, std::int64_t y) = 0;
    // Draws from the current point up to, but not including, (x, y) with the pen and
    // makes (x, y) the current point.
    virtual void lineTo(std::int64_t x, std::int64_t y) = 0;

    // Outline with the pen, inside with the brush, within [left, right) x [top, bottom).
    virtual void rectangle(std::int64_t left, std::int64_t top, std::int64_t right,
                           std::int64_t bottom) = 0;
    virtual void ellipse(std::int64_t left, std::int64_t top, std::int64_t right,
                         std::int64_t bottom) = 0;
};

} // namespace sound
