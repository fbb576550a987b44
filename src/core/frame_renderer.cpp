#include "frame_renderer.h"

#include "canvas.h"
#include "point_marks.h"
#include "view.h"

namespace sound {

void renderFrame(Canvas& canvas, const Hagen& hagen, double timecount, const View& view,
                 const FrameInputs& in) {
    canvas.fillRect(0, 0, kCanvasSize, kCanvasSize);

    const Extended cosTheta = ext::cos(radians(view.theta));
    const int activeSources = activeSourceCount(in);

    for (int i = -in.n; i <= in.n; ++i) {
        for (int j = -in.n; j <= in.n; ++j) {
            const double X = static_cast<double>(in.g * i);
            const double Y = static_cast<double>(in.g * j);
            const Henni henni =
                evaluateField(X, Y, hagen, timecount, activeSources, in.attenuation);
            drawPointMarks(canvas,
                           pointMarks(projx(X, Y, view.theta, view.phi),
                                      projy(X, Y, view.theta, view.phi), henni, cosTheta,
                                      activeSources),
                           in);
        }
    }
}

} // namespace sound
