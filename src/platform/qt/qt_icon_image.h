#pragma once

#include <QImage>
#include <cstdint>
#include <vector>

// An icon the program drew (`size` pixels square, 0xRRGGBB row after row) as Qt's image, opaque.
inline QImage iconImage(int size, const std::vector<std::uint32_t>& pixels) {
    QImage image(size, size, QImage::Format_RGB32);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            image.setPixel(x, y, 0xff000000u | pixels[std::size_t(y) * std::size_t(size) + x]);
    return image;
}
