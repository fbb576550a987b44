#pragma once

#include "fast_frame_renderer.h"
#include "pixel_canvas.h"

namespace platform {

// Draws the frames of sound::renderFrame into a PixelCanvas, pixel for pixel, and fast: the
// marks come from sound::FastFrameRenderer, points that cannot reach the canvas are skipped,
// and each point's marks are drawn with the reference's own calls on the canvas, made
// directly rather than through the virtual interface. Keep one instance for the life of the
// window and call draw() on every tick.
class PixelFrameRenderer {
public:
    // Leaves the canvas as renderFrame would: the same pixels, pen colour and current point.
    void draw(PixelCanvas& canvas, const sound::Hagen& hagen, double timecount,
              const sound::View& view, const sound::FrameInputs& inputs);

private:
    sound::FastFrameRenderer marks_;
};

} // namespace platform
