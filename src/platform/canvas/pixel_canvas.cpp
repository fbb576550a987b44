#include "pixel_canvas.h"

namespace platform {

PixelCanvas::PixelCanvas(int width, int height)
    : width_(width), height_(height), pixels_(std::size_t(width) * height, toPixel(sound::kWhite)),
      brush_(toPixel(sound::kWhite)), pen_(toPixel(sound::kBlack)) {}

void PixelCanvas::fillRect(std::int64_t left, std::int64_t top, std::int64_t right,
                           std::int64_t bottom) {
    const std::int64_t rowFrom = std::max<std::int64_t>(top, 0);
    const std::int64_t rowTo = std::min<std::int64_t>(bottom, height_);
    const std::int64_t first = std::max<std::int64_t>(left, 0);
    const std::int64_t last = std::min<std::int64_t>(right, width_) - 1;
    if (first > last)
        return;
    for (std::int64_t y = rowFrom; y < rowTo; ++y)
        paintRun(y, first, last, brush_);
}

void PixelCanvas::generalLine(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1) {
    pixel_rules::line(x0, y0, x1, y1, width_, height_,
                      [this](std::int64_t y, std::int64_t first, std::int64_t last, Ink) {
                          paintRun(y, first, last, pen_);
                      });
}

void PixelCanvas::generalShape(Shape kind, std::int64_t left, std::int64_t top, std::int64_t right,
                               std::int64_t bottom) {
    const auto paint = [this](std::int64_t y, std::int64_t first, std::int64_t last, Ink ink) {
        paintRun(y, first, last, inkPixel(ink));
    };
    if (kind == Rectangle)
        pixel_rules::rectangle(left, top, right, bottom, width_, height_, paint);
    else
        pixel_rules::ellipse(left, top, right, bottom, width_, height_, paint);
}

// The pattern is the general rule's shape in a box at the origin on an area of the box's own
// size, so nothing of it is clipped.
const PixelCanvas::ShapePattern& PixelCanvas::makePattern(Shape kind, std::int64_t width,
                                                          std::int64_t height) {
    ShapePattern& pattern = patterns_[kind];
    pattern = ShapePattern{width, height, {}};
    const auto record = [&pattern](std::int64_t y, std::int64_t first, std::int64_t last, Ink ink) {
        for (std::int64_t x = first; x <= last; ++x)
            pattern.ink[std::size_t(y)][std::size_t(x)] = ink;
    };
    if (kind == Rectangle)
        pixel_rules::rectangle(0, 0, width, height, width, height, record);
    else
        pixel_rules::ellipse(0, 0, width, height, width, height, record);
    return pattern;
}

} // namespace platform
