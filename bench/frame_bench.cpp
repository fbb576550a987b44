// Time per frame of the renderer on the program's own canvas, for the default grid and
// the largest one, with four sources of non-zero amplitude and every mark on.
#include "frame_renderer.h"
#include "pixel_canvas.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace {

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

// Best of several rounds, in milliseconds per frame: the least disturbed measurement.
double msPerFrame(int n) {
    const sound::Hagen hagen = benchSources();
    sound::FrameInputs inputs;
    inputs.n = n;
    inputs.g = 20;
    platform::PixelCanvas canvas;
    double best = 1e300;
    double clock = 0;
    for (int round = 0; round < 7; ++round) {
        const int frames = 20;
        const auto start = std::chrono::steady_clock::now();
        for (int f = 0; f < frames; ++f)
            sound::renderFrame(canvas, hagen, clock++, sound::View{}, inputs);
        const std::chrono::duration<double, std::milli> spent =
            std::chrono::steady_clock::now() - start;
        best = std::min(best, spent.count() / frames);
    }
    return best;
}

} // namespace

int main() {
    for (int n : {50, 20})
        std::printf("frame n=%d: %.2f ms\n", n, msPerFrame(n));
    return 0;
}
