#include "frame_renderer.h"

#include "canvas.h"
#include "view.h"

#include <cmath>

namespace sound {

namespace {

// Each source's share is drawn as a short vertical line one column apart, left of the leg.
constexpr std::int64_t kComponentOffset[kSourceCount] = {-2, -1, 0, 1};

} // namespace

void renderFrame(Canvas& canvas, const Hagen& hagen, double timecount, const View& view,
                 const FrameInputs& in) {
    canvas.fillRect(0, 0, kCanvasSize, kCanvasSize);

    const Extended cosTheta = ext::cos(radians(view.theta));
    const int activeSources = in.twoSources ? 2 : kSourceCount;

    for (int i = -in.n; i <= in.n; ++i) {
        for (int j = -in.n; j <= in.n; ++j) {
            const double X = static_cast<double>(in.g * i);
            const double Y = static_cast<double>(in.g * j);
            const Henni henni =
                evaluateField(X, Y, hagen, timecount, activeSources, in.attenuation);
            const std::int64_t px = projx(X, Y, view.theta, view.phi);
            const std::int64_t yg = projy(X, Y, view.theta, view.phi);
            const Extended total = Extended(henni[0]) + henni[1] + henni[2] + henni[3];
            const std::int64_t yd = displacedY(yg, cosTheta, total);

            if (in.seibun) {
                for (int k = 0; k < activeSources; ++k) {
                    canvas.setPenColor(kSourceColors[k]);
                    canvas.moveTo(px + kComponentOffset[k], yg);
                    canvas.lineTo(px + kComponentOffset[k], displacedY(yg, cosTheta, henni[k]));
                }
                canvas.setPenColor(kBlack);
            }
            if (in.bashi) {
                canvas.moveTo(px + 2, yg);
                canvas.lineTo(px + 2, yd);
            }
            if (in.suihei) {
                canvas.moveTo(px - 3, yg);
                canvas.lineTo(px + 3, yg);
            }
            if (in.baishitsu) {
                // The 6 x 6 box is centred on the leg's column px + 2.
                if (in.rect)
                    canvas.rectangle(px - 1, yd - 3, px + 5, yd + 3);
                else
                    canvas.ellipse(px - 1, yd - 3, px + 5, yd + 3);
            }
        }
    }
}

} // namespace sound
