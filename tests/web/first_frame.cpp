// The seed of the browser page: the window's renderer draws a frame into its pixel canvas, and
// the page shows that buffer in a 601 x 601 <canvas> with putImageData.
#include "frame_renderer.h"
#include "pixel_canvas.h"
#include "pixel_frame_renderer.h"
#include "setup_state.h"

#include <cstdint>
#include <emscripten.h>
#include <vector>

namespace {

platform::PixelCanvas canvas;
platform::PixelFrameRenderer renderer;
std::vector<std::uint8_t> rgba(std::size_t(sound::kCanvasSize) * sound::kCanvasSize * 4);

sound::Hagen fourSources() {
    sound::Hagen hagen;
    const double place[4][2] = {{-150, -100}, {120, -80}, {-60, 140}, {90, 110}};
    for (int k = 0; k < sound::kSourceCount; ++k)
        hagen[k] = {place[k][0], place[k][1], 300.0 + 50 * k, 20.0 + 5 * k, 45.0 * k, 2};
    return hagen;
}

void draw(int n, double clock) {
    sound::FrameInputs inputs;
    inputs.n = n;
    renderer.draw(canvas, fourSources(), clock, sound::View{}, inputs);
}

// The frame's pixels as RGBA bytes, the order ImageData wants; the canvas keeps them as
// 0xFFRRGGBB words.
const std::uint8_t* framePixels() {
    const std::uint32_t* bits = canvas.bits();
    for (std::size_t i = 0; i < std::size_t(sound::kCanvasSize) * sound::kCanvasSize; ++i) {
        const std::uint32_t p = bits[i];
        rgba[4 * i] = std::uint8_t(p >> 16);
        rgba[4 * i + 1] = std::uint8_t(p >> 8);
        rgba[4 * i + 2] = std::uint8_t(p);
        rgba[4 * i + 3] = 0xFF;
    }
    return rgba.data();
}

} // namespace

// Draws four sources at `clock` on a grid of half-width n and gives the frame's pixels.
extern "C" EMSCRIPTEN_KEEPALIVE const std::uint8_t* drawFrame(int n, double clock) {
    draw(n, clock);
    return framePixels();
}

// Draws the set-up of a settings file's text at `clock` and gives the frame's pixels, or null
// when the text is not a set-up.
extern "C" EMSCRIPTEN_KEEPALIVE const std::uint8_t* drawSetup(const char* text, double clock) {
    const std::optional<sound::StoredSetup> setup = setup_state::readSetup(text);
    if (!setup)
        return nullptr;
    const frame_states::FrameState s = setup_state::fromSetup(*setup);
    renderer.draw(canvas, s.hagen, clock, s.view, s.inputs);
    return framePixels();
}

// Milliseconds per frame over `frames` successive ticks, the best of five rounds, after one
// frame that fills the renderer's caches.
extern "C" EMSCRIPTEN_KEEPALIVE double frameMilliseconds(int n, int frames) {
    double clock = 0;
    draw(n, clock++);
    double best = 1e300;
    for (int round = 0; round < 5; ++round) {
        const double start = emscripten_get_now();
        for (int f = 0; f < frames; ++f)
            draw(n, clock++);
        const double spent = (emscripten_get_now() - start) / frames;
        best = spent < best ? spent : best;
    }
    return best;
}

int main() {
    return 0;
}
