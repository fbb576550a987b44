#pragma once

#include "pixel_canvas.h"

#include <string>
#include <vector>

namespace render_test {

// A PNG as libpng reads it back, its pixels in the canvas's own form so that they compare
// directly with a canvas's.
struct DecodedPng {
    int width = 0;
    int height = 0;
    bool colour = false; // stored as colour, not grey
    bool alpha = false;  // stored with an alpha channel
    std::vector<platform::PixelCanvas::Pixel> pixels;
};

// Reads the file with libpng. Fails the calling test (and returns an empty result) when
// libpng refuses it.
DecodedPng decodePng(const std::string& path);

} // namespace render_test
