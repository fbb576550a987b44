#pragma once

#include <array>

namespace sound {

// One point wave source. Every field but `speed` only ever holds a whole number
// (they are typed or read as 32-bit integers); `speed` is a slider position / 10.
struct THagen {
    double x = 0.0;     // position along the medium's first axis, grid units
    double y = 0.0;     // position along the second axis, grid units
    double amp = 0.0;   // amplitude, pixels before the view's vertical scale
    double omega = 0.0; // angular frequency, degrees of phase per tick
    double phase = 0.0; // phase offset, degrees
    double speed = 2.0; // propagation speed, grid units per tick
};

inline constexpr int kSourceCount = 4;

// Sources are numbered 1 to 4 for the user; source k is element k - 1.
using Hagen = std::array<THagen, kSourceCount>;

// The displacement each source contributes at one point; source k is element k - 1.
using Henni = std::array<double, kSourceCount>;

// The four source colours, 0x00BBGGRR: lime, fuchsia, yellow, aqua.
inline constexpr std::array<unsigned, kSourceCount> kSourceColors = {0x00FF00, 0xFF00FF, 0x00FFFF,
                                                                     0xFFFF00};

} // namespace sound
