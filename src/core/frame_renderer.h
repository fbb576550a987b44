#pragma once

#include "hagen.h"
#include "wave_field.h"

namespace sound {

class Canvas;

// Side of the square drawing area in pixels.
inline constexpr int kCanvasSize = 601;

// The view angles, in degrees.
struct View {
    double theta = 30.0; // elevation
    double phi = 30.0;   // azimuth
};

// What the controls say about one frame; read afresh for every frame.
struct FrameInputs {
    int n = 20; // grid half-width in points (numpoints)
    int g = 20; // grid spacing in grid units (numzoom)
    Attenuation attenuation = Attenuation::InverseSqrtDistance;
    bool twoSources = false; // ch_2cut
    bool seibun = true;      // components
    bool bashi = true;       // legs
    bool suihei = true;      // zero-displacement marks
    bool baishitsu = true;   // particles
    bool rect = false;       // square particles
};

// Draws one whole frame: clears the area with the canvas's brush, then walks the grid
// row by row and draws each point's components, leg, zero mark and particle in that order,
// so later points paint over earlier ones and a particle covers its own leg. This is the
// reference for every faster renderer: it evaluates the model in extended precision for
// every point and every primitive.
void renderFrame(Canvas& canvas, const Hagen& hagen, double timecount, const View& view,
                 const FrameInputs& inputs);

} // namespace sound
