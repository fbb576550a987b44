#include "gif_reading.h"

#include "pixel_canvas.h"

#include <cstdio>
#include <cstring>
#include <gif_lib.h>
#include <gtest/gtest.h>

namespace render_test {

namespace {

// The loop count of a NETSCAPE2.0 application block among the blocks before an image.
int loopCountIn(const SavedImage& image) {
    for (int b = 0; b + 1 < image.ExtensionBlockCount; ++b) {
        const ExtensionBlock& app = image.ExtensionBlocks[b];
        const ExtensionBlock& data = image.ExtensionBlocks[b + 1];
        if (app.Function == APPLICATION_EXT_FUNC_CODE && app.ByteCount == 11 &&
            std::memcmp(app.Bytes, "NETSCAPE2.0", 11) == 0 &&
            data.Function == CONTINUE_EXT_FUNC_CODE && data.ByteCount == 3 && data.Bytes[0] == 1)
            return data.Bytes[1] | (data.Bytes[2] << 8);
    }
    return -1;
}

} // namespace

DecodedGif decodeGif(const std::string& path) {
    DecodedGif result;
    // The version comes from the file's first six bytes: giflib 5.2.1's DGifGetGifVersion
    // looks at the wrong byte of the header and always answers 87a.
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        char header[6] = {};
        if (std::fread(header, 1, sizeof header, file) == sizeof header &&
            std::memcmp(header, "GIF", 3) == 0)
            result.version.assign(header + 3, 3);
        std::fclose(file);
    }
    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
    if (!gif) {
        ADD_FAILURE() << "giflib cannot open " << path << ": " << GifErrorString(error);
        return result;
    }
    if (DGifSlurp(gif) == GIF_ERROR) {
        ADD_FAILURE() << "giflib cannot read " << path << ": " << GifErrorString(gif->Error);
        DGifCloseFile(gif, &error);
        return result;
    }
    result.width = gif->SWidth;
    result.height = gif->SHeight;

    // Each image is painted over the picture left by the one before, as a viewer does for
    // frames that are not disposed of; the writer under test keeps every frame whole.
    std::vector<std::uint32_t> picture(std::size_t(result.width) * result.height, 0);
    for (int k = 0; k < gif->ImageCount; ++k) {
        const SavedImage& image = gif->SavedImages[k];
        if (k == 0)
            result.loopCount = loopCountIn(image);
        GraphicsControlBlock control{};
        control.TransparentColor = NO_TRANSPARENT_COLOR;
        if (DGifSavedExtensionToGCB(gif, k, &control) == GIF_OK) {
            result.delays.push_back(control.DelayTime);
            result.disposals.push_back(control.DisposalMode);
            result.transparent.push_back(control.TransparentColor != NO_TRANSPARENT_COLOR);
        } else {
            result.transparent.push_back(false);
            result.delays.push_back(-1);
            result.disposals.push_back(-1);
        }
        const ColorMapObject* map =
            image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif->SColorMap;
        const GifImageDesc& d = image.ImageDesc;
        for (int y = 0; y < d.Height; ++y)
            for (int x = 0; x < d.Width; ++x) {
                const int index = image.RasterBits[std::size_t(y) * d.Width + x];
                if (index == control.TransparentColor)
                    continue;
                const GifColorType c = map->Colors[index];
                picture[std::size_t(d.Top + y) * result.width + d.Left + x] =
                    platform::PixelCanvas::toPixel(sound::Color(c.Red) |
                                                   sound::Color(c.Green) << 8 |
                                                   sound::Color(c.Blue) << 16);
            }
        result.frames.push_back(picture);
    }
    DGifCloseFile(gif, &error);
    return result;
}

} // namespace render_test
