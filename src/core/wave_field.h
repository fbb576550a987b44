#pragma once

#include "extended.h"
#include "hagen.h"

namespace sound {

// How amplitude falls off with distance; the radio buttons gens1, gens2, gens0.
enum class Attenuation {
    InverseDistance,     // gens1
    InverseSqrtDistance, // gens2, the start-up choice
    None,                // gens0, or no button checked at all
};

// The first checked button of gens1, gens2 wins; with neither checked there is no attenuation.
Attenuation attenuationFromButtons(bool gens1Checked, bool gens2Checked);

// Displacement that source `s` contributes at grid point (X, Y) at clock `timecount`.
// A point within one grid unit of the source (q <= 1) gets 0: the formula would divide
// by a distance of at most 1 there.
Extended sourceDisplacement(const THagen& s, double X, double Y, double timecount,
                            Attenuation mode);

// Fills the displacement of every source at (X, Y). With two active sources, sources 3
// and 4 are not evaluated at all and contribute 0.
Henni evaluateField(double X, double Y, const Hagen& hagen, double timecount, int activeSources,
                    Attenuation mode);

} // namespace sound
