#include "png_reading.h"

#include <cstring>
#include <gtest/gtest.h>
#include <png.h>

namespace render_test {

DecodedPng decodePng(const std::string& path) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) {
        ADD_FAILURE() << path << ": " << image.message;
        return {};
    }
    DecodedPng result;
    result.width = int(image.width);
    result.height = int(image.height);
    result.colour = (image.format & PNG_FORMAT_FLAG_COLOR) != 0;
    result.alpha = (image.format & PNG_FORMAT_FLAG_ALPHA) != 0;
    // The bytes R, G, B, A of every pixel: the canvas's order.
    image.format = PNG_FORMAT_RGBA;
    result.pixels.resize(std::size_t(image.width) * image.height);
    if (!png_image_finish_read(&image, nullptr, result.pixels.data(), 0, nullptr)) {
        ADD_FAILURE() << path << ": " << image.message;
        png_image_free(&image);
        return {};
    }
    return result;
}

} // namespace render_test
