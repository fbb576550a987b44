#pragma once

#include "extended.h"

#include <cstdint>

namespace sound {

// Centre of the medium on the 601 x 601 drawing area.
inline constexpr std::int64_t kViewCentre = 300;

// Degrees to radians as the program always converts: multiply by pi first, then divide.
Extended radians(double degrees);

// Round to nearest, halves to even (the processor's default rounding). Far-off values
// saturate at +-2^62 instead of wrapping, so a point billions of pixels away stays
// billions of pixels away in the right direction; NaN goes to the positive end.
std::int64_t Round(Extended v);

// Screen x of grid point (X, Y). `theta` is accepted and ignored: elevation does not
// move a point sideways.
std::int64_t projx(double X, double Y, double theta, double phi);

// Screen y of grid point (X, Y) at rest.
std::int64_t projy(double X, double Y, double theta, double phi);

// Screen y of a point at rest at `yg` displaced by `h`: lower on screen for positive h.
std::int64_t displacedY(std::int64_t yg, Extended cosTheta, Extended h);

} // namespace sound
