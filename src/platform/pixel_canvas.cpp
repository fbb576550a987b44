#include "pixel_canvas.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace platform {

namespace {

using Wide = __int128;

// Floor of a / b for b > 0.
Wide floorDiv(Wide a, Wide b) {
    Wide q = a / b;
    if ((a % b != 0) && (a < 0))
        --q;
    return q;
}

// Largest e >= 0 with e * e * scale <= limit, for limit >= 0 and scale > 0. The estimate
// comes from floating point; the adjustment makes it exact while the products fit.
long double largestRoot(long double limit, long double scale) {
    long double e = std::floor(std::sqrt(limit / scale));
    while ((e + 1) * (e + 1) * scale <= limit)
        e += 1;
    while (e > 0 && e * e * scale > limit)
        e -= 1;
    return e;
}

} // namespace

PixelCanvas::PixelCanvas(int width, int height)
    : width_(width), height_(height), pixels_(std::size_t(width) * height, toPixel(sound::kWhite)),
      brush_(toPixel(sound::kWhite)), pen_(toPixel(sound::kBlack)) {}

std::uint32_t PixelCanvas::toPixel(sound::Color color) {
    const std::uint32_t r = color & 0xFF;
    const std::uint32_t g = (color >> 8) & 0xFF;
    const std::uint32_t b = (color >> 16) & 0xFF;
    return 0xFF000000u | (r << 16) | (g << 8) | b;
}

sound::Color PixelCanvas::colorAt(int x, int y) const {
    const std::uint32_t p = pixel(x, y);
    return ((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16);
}

void PixelCanvas::setBrushColor(sound::Color color) {
    brush_ = toPixel(color);
}

void PixelCanvas::setPenColor(sound::Color color) {
    pen_ = toPixel(color);
}

void PixelCanvas::plot(std::int64_t x, std::int64_t y, std::uint32_t pixel) {
    if (x >= 0 && x < width_ && y >= 0 && y < height_)
        pixels_[std::size_t(y) * width_ + std::size_t(x)] = pixel;
}

// Paints [x0, x1] inclusive on row y, clipped.
void PixelCanvas::fillSpan(std::int64_t y, std::int64_t x0, std::int64_t x1, std::uint32_t pixel) {
    if (y < 0 || y >= height_)
        return;
    x0 = std::max<std::int64_t>(x0, 0);
    x1 = std::min<std::int64_t>(x1, width_ - 1);
    if (x0 > x1)
        return;
    std::uint32_t* row = pixels_.data() + std::size_t(y) * width_;
    std::fill(row + x0, row + x1 + 1, pixel);
}

void PixelCanvas::fillRect(std::int64_t left, std::int64_t top, std::int64_t right,
                           std::int64_t bottom) {
    const std::int64_t y0 = std::max<std::int64_t>(top, 0);
    const std::int64_t y1 = std::min<std::int64_t>(bottom, height_);
    for (std::int64_t y = y0; y < y1; ++y)
        fillSpan(y, left, right - 1, brush_);
}

void PixelCanvas::moveTo(std::int64_t x, std::int64_t y) {
    curX_ = x;
    curY_ = y;
}

void PixelCanvas::lineTo(std::int64_t x, std::int64_t y) {
    const std::int64_t x0 = curX_;
    const std::int64_t y0 = curY_;
    curX_ = x;
    curY_ = y;

    // The end point is never painted, so a line of length zero paints nothing.
    if (x == x0 && y == y0)
        return;

    // Special case: vertical line, the legs and component lines of every frame.
    if (x == x0) {
        if (x < 0 || x >= width_)
            return;
        const std::int64_t first = y > y0 ? y0 : y + 1;
        const std::int64_t last = y > y0 ? y - 1 : y0;
        const std::int64_t from = std::max<std::int64_t>(first, 0);
        const std::int64_t to = std::min<std::int64_t>(last, height_ - 1);
        for (std::int64_t row = from; row <= to; ++row)
            pixels_[std::size_t(row) * width_ + std::size_t(x)] = pen_;
        return;
    }
    // Special case: horizontal line, the zero-displacement marks.
    if (y == y0) {
        if (x > x0)
            fillSpan(y, x0, x - 1, pen_);
        else
            fillSpan(y, x + 1, x0, pen_);
        return;
    }

    // General case: step one pixel at a time along the major axis, t = 0 .. steps - 1,
    // and round the minor coordinate of step t exactly. Only the steps whose major
    // coordinate is on the canvas are visited, so a line to a point billions of pixels
    // away costs no more than one across the canvas, and it keeps its direction because
    // every product is formed in 128 bits.
    const Wide dx = Wide(x) - x0;
    const Wide dy = Wide(y) - y0;
    const bool xMajor = (dx < 0 ? -dx : dx) >= (dy < 0 ? -dy : dy);
    const Wide major0 = xMajor ? x0 : y0;
    const Wide minor0 = xMajor ? y0 : x0;
    const Wide dMajor = xMajor ? dx : dy;
    const Wide dMinor = xMajor ? dy : dx;
    const Wide steps = dMajor < 0 ? -dMajor : dMajor;
    const int sign = dMajor < 0 ? -1 : 1;
    const Wide extent = xMajor ? width_ : height_;

    // Steps whose major coordinate major0 + sign * t lies in [0, extent).
    Wide tFrom = sign > 0 ? -major0 : major0 - (extent - 1);
    Wide tTo = sign > 0 ? extent - 1 - major0 : major0;
    tFrom = std::max<Wide>(tFrom, 0);
    tTo = std::min<Wide>(tTo, steps - 1);
    for (Wide t = tFrom; t <= tTo; ++t) {
        const Wide major = major0 + sign * t;
        const Wide minor = minor0 + floorDiv(2 * t * dMinor + steps, 2 * steps);
        if (xMajor)
            plot(std::int64_t(major), minor >= 0 && minor < height_ ? std::int64_t(minor) : -1,
                 pen_);
        else
            plot(minor >= 0 && minor < width_ ? std::int64_t(minor) : -1, std::int64_t(major),
                 pen_);
    }
}

// Puts the corners of a shape's box in order, as the shapes accept them either way round,
// and tells whether anything of the box can show on the canvas.
bool PixelCanvas::normaliseBox(std::int64_t& left, std::int64_t& top, std::int64_t& right,
                               std::int64_t& bottom) const {
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    if (right <= left || bottom <= top)
        return false;
    return right > 0 && bottom > 0 && left < width_ && top < height_;
}

void PixelCanvas::rectangle(std::int64_t left, std::int64_t top, std::int64_t right,
                            std::int64_t bottom) {
    if (!normaliseBox(left, top, right, bottom))
        return;

    const std::int64_t y0 = std::max<std::int64_t>(top, 0);
    const std::int64_t y1 = std::min<std::int64_t>(bottom - 1, height_ - 1);
    for (std::int64_t y = y0; y <= y1; ++y) {
        if (y == top || y == bottom - 1) {
            fillSpan(y, left, right - 1, pen_);
            continue;
        }
        fillSpan(y, left + 1, right - 2, brush_);
        plot(left, y, pen_);
        plot(right - 1, y, pen_);
    }
}

// The ellipse inscribed in the box, shrunk by a quarter pixel, decides which pixel centres
// are inside; a 6 x 6 box then gives a round outline of two pixels on each side. Pixels
// inside with a 4-neighbour outside form the outline, the rest is filled. All the
// arithmetic is on the doubled offsets from the box's centre, so the shape is symmetric
// about that centre.
void PixelCanvas::ellipse(std::int64_t left, std::int64_t top, std::int64_t right,
                          std::int64_t bottom) {
    if (!normaliseBox(left, top, right, bottom))
        return;

    const long double w = static_cast<long double>(right - left);
    const long double h = static_cast<long double>(bottom - top);
    const long double w2 = (2 * w - 1) * (2 * w - 1);
    const long double h2 = (2 * h - 1) * (2 * h - 1);

    // Inside pixels of row y: x - left in [first, last]; empty when first > last.
    // With a = 2(x - left) + 1 - w and b = 2(y - top) + 1 - h, a pixel is inside when
    // 4 a^2 (2h-1)^2 + 4 b^2 (2w-1)^2 <= (2w-1)^2 (2h-1)^2.
    struct Span {
        std::int64_t first;
        std::int64_t last;
    };
    auto spanOf = [&](std::int64_t y) -> Span {
        if (y < top || y >= bottom)
            return {1, 0};
        const long double b = 2.0L * static_cast<long double>(y - top) + 1 - h;
        const long double limit = w2 * h2 - 4 * b * b * w2;
        if (limit < 0)
            return {1, 0};
        const long double amax = largestRoot(limit, 4 * h2);
        const auto first = static_cast<std::int64_t>(std::ceil((w - 1 - amax) / 2));
        const auto last = static_cast<std::int64_t>(std::floor((w - 1 + amax) / 2));
        return {left + first, left + last};
    };

    const std::int64_t y0 = std::max<std::int64_t>(top, 0);
    const std::int64_t y1 = std::min<std::int64_t>(bottom - 1, height_ - 1);
    Span above = spanOf(y0 - 1);
    Span here = spanOf(y0);
    for (std::int64_t y = y0; y <= y1; ++y) {
        const Span below = spanOf(y + 1);
        if (here.first <= here.last) {
            const std::int64_t innerFirst = std::max({here.first + 1, above.first, below.first});
            const std::int64_t innerLast = std::min({here.last - 1, above.last, below.last});
            if (innerFirst <= innerLast) {
                fillSpan(y, here.first, innerFirst - 1, pen_);
                fillSpan(y, innerFirst, innerLast, brush_);
                fillSpan(y, innerLast + 1, here.last, pen_);
            } else {
                fillSpan(y, here.first, here.last, pen_);
            }
        }
        above = here;
        here = below;
    }
}

} // namespace platform
