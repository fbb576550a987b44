// Time per frame on the program's own canvas, for the largest grid and the default one, with
// four sources of non-zero amplitude and every mark on: the reference renderer, the fast one,
// and the floor the fast one is held to. The floor is what any renderer that evaluates the
// model afresh must spend: per point and source one distance, one sine and the attenuation, in
// double, plus clearing the canvas.
#include "fast_frame_renderer.h"
#include "frame_renderer.h"
#include "pixel_canvas.h"
#include "pixel_frame_renderer.h"
#include "point_marks.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>

namespace {

constexpr int kSpacing = 20;

sound::Hagen benchSources() {
    sound::Hagen hagen;
    const double place[4][2] = {{-150, -100}, {120, -80}, {-60, 140}, {90, 110}};
    for (int k = 0; k < sound::kSourceCount; ++k) {
        hagen[k].x = place[k][0];
        hagen[k].y = place[k][1];
        hagen[k].amp = 300 + 50 * k;
        hagen[k].omega = 20 + 5 * k;
        hagen[k].phase = 45 * k;
    }
    return hagen;
}

// Best of several rounds of successive ticks, in milliseconds per frame: the least disturbed
// measurement. One frame before the rounds fills whatever a renderer caches.
double msPerFrame(const std::function<void(double clock)>& frame) {
    double clock = 0;
    frame(clock++);
    double best = 1e300;
    for (int round = 0; round < 7; ++round) {
        const int frames = 20;
        const auto start = std::chrono::steady_clock::now();
        for (int f = 0; f < frames; ++f)
            frame(clock++);
        const std::chrono::duration<double, std::milli> spent =
            std::chrono::steady_clock::now() - start;
        best = std::min(best, spent.count() / frames);
    }
    return best;
}

// The floor's work for one frame: the model in double at every point, in the default
// (inverse square root) attenuation, and one clear. The sum is returned so that no evaluation
// can be left out.
double floorFrame(platform::PixelCanvas& canvas, const sound::Hagen& hagen, double clock, int n) {
    canvas.fillRect(0, 0, sound::kCanvasSize, sound::kCanvasSize);
    const double pi = 3.14159265358979323846;
    double sum = 0;
    for (int i = -n; i <= n; ++i) {
        for (int j = -n; j <= n; ++j) {
            const double X = kSpacing * i;
            const double Y = kSpacing * j;
            for (const sound::THagen& s : hagen) {
                const double dx = s.x - X;
                const double dy = s.y - Y;
                const double q = dx * dx + dy * dy;
                if (q <= 1.0)
                    continue;
                const double r = std::sqrt(q);
                const double a = (s.omega * clock * pi) / 180.0 -
                                 (pi * s.omega / 180.0) * r / s.speed + (pi * s.phase) / 180.0;
                sum += (std::sin(a) * s.amp / 10.0) / std::sqrt(r);
            }
        }
    }
    return sum;
}

} // namespace

int main() {
    const sound::Hagen hagen = benchSources();
    for (int n : {50, 20}) {
        sound::FrameInputs inputs;
        inputs.n = n;
        inputs.g = kSpacing;
        platform::PixelCanvas canvas;

        const double reference = msPerFrame(
            [&](double clock) { sound::renderFrame(canvas, hagen, clock, sound::View{}, inputs); });
        // The fast marks drawn through the virtual Canvas interface, as the reference draws.
        sound::FastFrameRenderer fastMarks;
        sound::Canvas& throughCanvas = canvas;
        const double generic = msPerFrame([&](double clock) {
            throughCanvas.fillRect(0, 0, sound::kCanvasSize, sound::kCanvasSize);
            for (const sound::PointMarks& marks :
                 fastMarks.marks(hagen, clock, sound::View{}, inputs))
                sound::drawPointMarks(throughCanvas, marks, inputs);
        });
        std::printf("reference n=%d: %.2f ms, fast through the Canvas calls: %.2f ms\n", n,
                    reference, generic);

        // The turning view moves phi every tick, so the projection is redone every frame; a
        // changed source refills that source's cache.
        platform::PixelFrameRenderer renderer;
        double phi = 0;
        const double turning = msPerFrame([&](double clock) {
            phi += 2;
            renderer.draw(canvas, hagen, clock, sound::View{30, phi}, inputs);
        });
        sound::Hagen edited = hagen;
        const double sourceEdits = msPerFrame([&](double clock) {
            edited[0].amp += 1;
            renderer.draw(canvas, edited, clock, sound::View{}, inputs);
        });
        std::printf("fast n=%d with a turning view: %.2f ms, with a source edited every tick: "
                    "%.2f ms\n",
                    n, turning, sourceEdits);
    }

    for (int n : {50, 20}) {
        sound::FrameInputs inputs;
        inputs.n = n;
        inputs.g = kSpacing;
        platform::PixelCanvas canvas;
        platform::PixelFrameRenderer renderer;
        const double fast = msPerFrame(
            [&](double clock) { renderer.draw(canvas, hagen, clock, sound::View{}, inputs); });
        volatile double sink = 0;
        const double floor =
            msPerFrame([&](double clock) { sink = sink + floorFrame(canvas, hagen, clock, n); });
        std::printf("frame n=%d: %.2f ms, floor %.2f ms, ratio %.2f\n", n, fast, floor,
                    fast / floor);
    }
    return 0;
}
