#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

// What a pixel is: the rules that decide which pixels each primitive of the canvas paints, on
// an area [0, width) x [0, height). Each rule calls paint(y, first, last, ink) for every run of
// pixels first ... last (inclusive) of row y that it paints, clipped to the area, in the order
// they are painted. PixelCanvas paints with these rules, and takes shorter ways for the cases
// every frame draws; its tests hold those ways to these rules.
namespace platform::pixel_rules {

// The pen paints lines and outlines, the brush the inside of a shape.
enum class Ink : std::uint8_t { None, Pen, Brush };

namespace detail {

using Wide = __int128;

// Floor of a / b for b > 0.
inline Wide floorDiv(Wide a, Wide b) {
    Wide q = a / b;
    if ((a % b != 0) && (a < 0))
        --q;
    return q;
}

// Largest e >= 0 with e * e * scale <= limit, for limit >= 0 and scale > 0. The estimate
// comes from floating point; the adjustment makes it exact while the products fit.
inline long double largestRoot(long double limit, long double scale) {
    long double e = std::floor(std::sqrt(limit / scale));
    while ((e + 1) * (e + 1) * scale <= limit)
        e += 1;
    while (e > 0 && e * e * scale > limit)
        e -= 1;
    return e;
}

} // namespace detail

// The line from (x0, y0) up to, but not including, (x1, y1). It steps one pixel at a time
// along the major axis, t = 0 .. steps - 1, and rounds the minor coordinate of step t exactly
// (a tie goes to the lower coordinate). Only the steps whose major coordinate is in the area
// are visited, so a line to a point billions of pixels away costs no more than one across the
// area, and it keeps its direction because every product is formed in 128 bits. A line of
// length zero paints nothing.
template <class Paint>
void line(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1, std::int64_t width,
          std::int64_t height, Paint&& paint) {
    using detail::Wide;
    const Wide dx = Wide(x1) - x0;
    const Wide dy = Wide(y1) - y0;
    if (dx == 0 && dy == 0)
        return;
    const bool xMajor = (dx < 0 ? -dx : dx) >= (dy < 0 ? -dy : dy);
    const Wide major0 = xMajor ? x0 : y0;
    const Wide minor0 = xMajor ? y0 : x0;
    const Wide dMajor = xMajor ? dx : dy;
    const Wide dMinor = xMajor ? dy : dx;
    const Wide steps = dMajor < 0 ? -dMajor : dMajor;
    const int sign = dMajor < 0 ? -1 : 1;
    const Wide majorExtent = xMajor ? width : height;
    const Wide minorExtent = xMajor ? height : width;

    // Steps whose major coordinate major0 + sign * t lies in [0, majorExtent).
    Wide tFrom = sign > 0 ? -major0 : major0 - (majorExtent - 1);
    Wide tTo = sign > 0 ? majorExtent - 1 - major0 : major0;
    tFrom = std::max<Wide>(tFrom, 0);
    tTo = std::min<Wide>(tTo, steps - 1);
    for (Wide t = tFrom; t <= tTo; ++t) {
        const Wide major = major0 + sign * t;
        const Wide minor = minor0 + detail::floorDiv(2 * t * dMinor + steps, 2 * steps);
        if (minor < 0 || minor >= minorExtent)
            continue;
        const auto x = static_cast<std::int64_t>(xMajor ? major : minor);
        const auto y = static_cast<std::int64_t>(xMajor ? minor : major);
        paint(y, x, x, Ink::Pen);
    }
}

// The rectangle in the box [left, right) x [top, bottom), left < right and top < bottom: its
// outermost pixels with the pen, the rest with the brush.
template <class Paint>
void rectangle(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom,
               std::int64_t width, std::int64_t height, Paint&& paint) {
    const std::int64_t rowFrom = std::max<std::int64_t>(top, 0);
    const std::int64_t rowTo = std::min<std::int64_t>(bottom - 1, height - 1);
    const std::int64_t colFrom = std::max<std::int64_t>(left, 0);
    const std::int64_t colTo = std::min<std::int64_t>(right - 1, width - 1);
    if (colFrom > colTo)
        return;
    for (std::int64_t y = rowFrom; y <= rowTo; ++y) {
        if (y == top || y == bottom - 1) {
            paint(y, colFrom, colTo, Ink::Pen);
            continue;
        }
        const std::int64_t insideFrom = std::max(left + 1, colFrom);
        const std::int64_t insideTo = std::min(right - 2, colTo);
        if (insideFrom <= insideTo)
            paint(y, insideFrom, insideTo, Ink::Brush);
        if (left >= colFrom && left <= colTo)
            paint(y, left, left, Ink::Pen);
        if (right - 1 >= colFrom && right - 1 <= colTo)
            paint(y, right - 1, right - 1, Ink::Pen);
    }
}

// The ellipse inscribed in the box [left, right) x [top, bottom), left < right and top <
// bottom, shrunk by a quarter pixel, decides which pixel centres are inside; a 6 x 6 box then
// gives a round outline of two pixels on each side. Pixels inside with a 4-neighbour outside
// form the outline, painted with the pen, the rest is painted with the brush. All the
// arithmetic is on the doubled offsets from the box's centre, so the shape is symmetric about
// that centre and depends only on offsets from the box's corner.
template <class Paint>
void ellipse(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom,
             std::int64_t width, std::int64_t height, Paint&& paint) {
    const long double w = static_cast<long double>(right - left);
    const long double h = static_cast<long double>(bottom - top);
    const long double w2 = (2 * w - 1) * (2 * w - 1);
    const long double h2 = (2 * h - 1) * (2 * h - 1);

    // Inside pixels of row y: x in [first, last]; empty when first > last. With
    // a = 2(x - left) + 1 - w and b = 2(y - top) + 1 - h, a pixel is inside when
    // 4 a^2 (2h-1)^2 + 4 b^2 (2w-1)^2 <= (2w-1)^2 (2h-1)^2.
    struct Span {
        std::int64_t first;
        std::int64_t last;
    };
    const auto spanOf = [&](std::int64_t y) -> Span {
        if (y < top || y >= bottom)
            return {1, 0};
        const long double b = 2.0L * static_cast<long double>(y - top) + 1 - h;
        const long double limit = w2 * h2 - 4 * b * b * w2;
        if (limit < 0)
            return {1, 0};
        const long double amax = detail::largestRoot(limit, 4 * h2);
        const auto first = static_cast<std::int64_t>(std::ceil((w - 1 - amax) / 2));
        const auto last = static_cast<std::int64_t>(std::floor((w - 1 + amax) / 2));
        return {left + first, left + last};
    };
    const auto clipped = [&](std::int64_t y, std::int64_t first, std::int64_t last, Ink ink) {
        first = std::max<std::int64_t>(first, 0);
        last = std::min<std::int64_t>(last, width - 1);
        if (first <= last)
            paint(y, first, last, ink);
    };

    const std::int64_t rowFrom = std::max<std::int64_t>(top, 0);
    const std::int64_t rowTo = std::min<std::int64_t>(bottom - 1, height - 1);
    Span above = spanOf(rowFrom - 1);
    Span here = spanOf(rowFrom);
    for (std::int64_t y = rowFrom; y <= rowTo; ++y) {
        const Span below = spanOf(y + 1);
        if (here.first <= here.last) {
            const std::int64_t innerFirst = std::max({here.first + 1, above.first, below.first});
            const std::int64_t innerLast = std::min({here.last - 1, above.last, below.last});
            if (innerFirst <= innerLast) {
                clipped(y, here.first, innerFirst - 1, Ink::Pen);
                clipped(y, innerFirst, innerLast, Ink::Brush);
                clipped(y, innerLast + 1, here.last, Ink::Pen);
            } else {
                clipped(y, here.first, here.last, Ink::Pen);
            }
        }
        above = here;
        here = below;
    }
}

} // namespace platform::pixel_rules
