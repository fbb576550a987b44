#pragma once

#include "fast_frame_renderer.h"
#include "pixel_canvas.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace platform {

// Draws the frames of sound::renderFrame into a PixelCanvas, pixel for pixel, and fast: the
// marks come from sound::FastFrameRenderer, points that cannot reach the canvas are skipped,
// and each mark is written straight into the pixel buffer under the canvas's own rules. Keep
// one instance for the life of the window and call draw() on every tick.
class PixelFrameRenderer {
public:
    PixelFrameRenderer();

    // Leaves the canvas as renderFrame would: the same pixels, pen colour and current point.
    void draw(PixelCanvas& canvas, const sound::Hagen& hagen, double timecount,
              const sound::View& view, const sound::FrameInputs& inputs);

    // How many points of the last frame needed the extended-precision evaluation.
    std::size_t exactPointCount() const { return marks_.exactPointCount(); }

    // Side of a particle's box; its top left corner is (px - 1, yd - 3).
    static constexpr int kParticleSize = 6;

    // What the canvas paints at each pixel of a particle's box.
    enum class Ink : std::uint8_t { None, Pen, Brush };
    using Stamp = std::array<std::array<Ink, kParticleSize>, kParticleSize>;

private:
    sound::FastFrameRenderer marks_;
    Stamp ellipse_;
    Stamp rectangle_;
};

} // namespace platform
