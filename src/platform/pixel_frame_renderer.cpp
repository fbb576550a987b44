#include "pixel_frame_renderer.h"

#include <algorithm>

namespace platform {

namespace {

using Stamp = PixelFrameRenderer::Stamp;
using Ink = PixelFrameRenderer::Ink;
constexpr int kSize = PixelFrameRenderer::kParticleSize;

// The canvas's ellipse and rectangle depend only on the box's size and on offsets from its
// corner, and they clip pixel by pixel, so a particle is one pattern wherever it lands, cut to
// the canvas. The pattern is read once from the canvas itself, drawn into a box of its own size.
Stamp particleStamp(bool rectangle) {
    constexpr sound::Color kUntouched = 1;
    constexpr sound::Color kPen = 2;
    constexpr sound::Color kBrush = 3;
    PixelCanvas scratch(kSize, kSize);
    scratch.setBrushColor(kUntouched);
    scratch.fillRect(0, 0, kSize, kSize);
    scratch.setPenColor(kPen);
    scratch.setBrushColor(kBrush);
    if (rectangle)
        scratch.rectangle(0, 0, kSize, kSize);
    else
        scratch.ellipse(0, 0, kSize, kSize);

    Stamp stamp{};
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const sound::Color c = scratch.colorAt(x, y);
            stamp[y][x] = c == kPen ? Ink::Pen : c == kBrush ? Ink::Brush : Ink::None;
        }
    }
    return stamp;
}

// Writes marks into a canvas's pixel buffer with the canvas's rules: a line's end point is not
// painted and whatever falls outside is clipped.
class BufferPainter {
public:
    explicit BufferPainter(PixelCanvas& canvas)
        : bits_(canvas.bits()), width_(canvas.width()), height_(canvas.height()) {}

    // The line from (x, from) to (x, to), end point excluded, as lineTo draws it.
    void vertical(std::int64_t x, std::int64_t from, std::int64_t to, std::uint32_t pixel) {
        if (x < 0 || x >= width_ || from == to)
            return;
        const std::int64_t first = std::max<std::int64_t>(to > from ? from : to + 1, 0);
        const std::int64_t last = std::min<std::int64_t>(to > from ? to - 1 : from, height_ - 1);
        for (std::int64_t y = first; y <= last; ++y)
            bits_[y * width_ + x] = pixel;
    }

    // Columns first ... last of row y.
    void horizontal(std::int64_t y, std::int64_t first, std::int64_t last, std::uint32_t pixel) {
        if (y < 0 || y >= height_)
            return;
        first = std::max<std::int64_t>(first, 0);
        last = std::min<std::int64_t>(last, width_ - 1);
        for (std::int64_t x = first; x <= last; ++x)
            bits_[y * width_ + x] = pixel;
    }

    void stamp(const Stamp& stamp, std::int64_t left, std::int64_t top, std::uint32_t pen,
               std::uint32_t brush) {
        for (int row = 0; row < kSize; ++row) {
            const std::int64_t y = top + row;
            if (y < 0 || y >= height_)
                continue;
            for (int col = 0; col < kSize; ++col) {
                const std::int64_t x = left + col;
                const Ink ink = stamp[row][col];
                if (ink != Ink::None && x >= 0 && x < width_)
                    bits_[y * width_ + x] = ink == Ink::Pen ? pen : brush;
            }
        }
    }

private:
    std::uint32_t* bits_;
    std::int64_t width_;
    std::int64_t height_;
};

} // namespace

PixelFrameRenderer::PixelFrameRenderer()
    : ellipse_(particleStamp(false)), rectangle_(particleStamp(true)) {}

void PixelFrameRenderer::draw(PixelCanvas& canvas, const sound::Hagen& hagen, double timecount,
                              const sound::View& view, const sound::FrameInputs& in) {
    canvas.fillRect(0, 0, sound::kCanvasSize, sound::kCanvasSize);
    const sound::ScreenArea area{canvas.width(), canvas.height()};
    const std::vector<sound::PointMarks>& points = marks_.marks(hagen, timecount, view, in, &area);

    const int activeSources = in.twoSources ? 2 : sound::kSourceCount;
    std::array<std::uint32_t, sound::kSourceCount> componentPixel{};
    for (int k = 0; k < sound::kSourceCount; ++k)
        componentPixel[k] = PixelCanvas::toPixel(sound::kSourceColors[k]);
    // The components leave the pen black; without them every point uses the pen as it is.
    const std::uint32_t pen = in.seibun ? PixelCanvas::toPixel(sound::kBlack) : canvas.penPixel();
    const std::uint32_t brush = canvas.brushPixel();
    const Stamp& particle = in.rect ? rectangle_ : ellipse_;

    BufferPainter painter(canvas);
    for (const sound::PointMarks& m : points) {
        if (in.seibun) {
            for (int k = 0; k < activeSources; ++k)
                painter.vertical(m.px + sound::kComponentColumn[k], m.yg, m.yc[k],
                                 componentPixel[k]);
        }
        if (in.bashi)
            painter.vertical(m.px + 2, m.yg, m.yd, pen);
        if (in.suihei)
            painter.horizontal(m.yg, m.px - 3, m.px + 2, pen);
        if (in.baishitsu)
            painter.stamp(particle, m.px - 1, m.yd - 3, pen, brush);
    }

    // The last line drawn decides the current point; the grid's last point is always listed.
    if (points.empty())
        return;
    if (in.seibun)
        canvas.setPenColor(sound::kBlack);
    const sound::PointMarks& last = points.back();
    if (in.suihei)
        canvas.moveTo(last.px + 3, last.yg);
    else if (in.bashi)
        canvas.moveTo(last.px + 2, last.yd);
    else if (in.seibun)
        canvas.moveTo(last.px + sound::kComponentColumn[activeSources - 1],
                      last.yc[activeSources - 1]);
}

} // namespace platform
