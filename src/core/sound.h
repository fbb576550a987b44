#pragma once

#include "frame_renderer.h"
#include "hagen.h"

namespace sound {

// The program's shared simulation and view state: one instance for the life of the
// main window. Pure functions elsewhere take these as arguments; only the window's
// handlers read and write them here.
extern Hagen hagen;
extern double timecount; // the animation clock in ticks
extern double theta;     // view elevation, degrees
extern double phi;       // view azimuth, degrees

// The values the window sets when it is created.
void resetToStartupState();

} // namespace sound
