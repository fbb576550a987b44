#pragma once

#include "canvas.h"
#include "hagen.h"

#include <array>

namespace render {

// Every colour a frame can hold: the white ground, the black marks and the four source
// colours. Nothing else is ever drawn, so a GIF with this palette loses nothing.
inline constexpr std::array<sound::Color, 6> kFramePalette = {
    sound::kWhite,           sound::kBlack,           sound::kSourceColors[0],
    sound::kSourceColors[1], sound::kSourceColors[2], sound::kSourceColors[3]};

} // namespace render
