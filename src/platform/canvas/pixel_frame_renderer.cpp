#include "pixel_frame_renderer.h"

#include "point_marks.h"

namespace platform {

void PixelFrameRenderer::draw(PixelCanvas& canvas, const sound::Hagen& hagen, double timecount,
                              const sound::View& view, const sound::FrameInputs& inputs) {
    canvas.fillRect(0, 0, sound::kCanvasSize, sound::kCanvasSize);
    // A point left out draws nothing that shows, and every point leaves the pen as it found it
    // or black; the grid's last point, which decides the current point, is always listed.
    const sound::ScreenArea area{canvas.width(), canvas.height()};
    for (const sound::PointMarks& marks : marks_.marks(hagen, timecount, view, inputs, &area))
        sound::drawPointMarks(canvas, marks, inputs);
}

} // namespace platform
