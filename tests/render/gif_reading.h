#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace render_test {

// A GIF as giflib reads it back, with each frame composed into whole pixels in the canvas's own
// form (PixelCanvas::Pixel) so that frames compare directly with canvases.
struct DecodedGif {
    std::string version; // "89a" or "87a"
    int width = 0;
    int height = 0;
    std::vector<std::vector<std::uint32_t>> frames;
    std::vector<int> delays;       // hundredths of a second; -1 without a control block
    std::vector<int> disposals;    // giflib's DISPOSE_ values; -1 without a control block
    std::vector<bool> transparent; // whether an image lets the frame before show through
    int loopCount = -1;            // from the NETSCAPE2.0 block; -1 without one
};

// Reads the file with DGifSlurp. Fails the calling test (and returns an empty result)
// when giflib refuses it.
DecodedGif decodeGif(const std::string& path);

} // namespace render_test
