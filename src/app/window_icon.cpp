#include "window_icon.h"

#include <array>
#include <cmath>

namespace {

constexpr std::uint32_t kLime = 0x00ff00;
constexpr std::uint32_t kFuchsia = 0xff00ff;
constexpr std::uint32_t kWhite = 0xffffff;

// The shapes in design units, drawn in this order: a later shape covers an earlier one. Design
// pixel (i, j) is the square from (i, j) to (i + 1, j + 1); the sources sit in the middle of
// theirs.
struct Shape {
    enum Kind { Ring, Dot, Frame } kind;
    double x, y, radius;
    std::uint32_t color;
};

constexpr double kLimeX = 9.5, kFuchsiaX = 23.5, kSourceY = 22.5;

constexpr std::array<Shape, 11> kShapes = {{
    {Shape::Ring, kLimeX, kSourceY, 4, kLime},
    {Shape::Ring, kFuchsiaX, kSourceY, 4, kFuchsia},
    {Shape::Ring, kLimeX, kSourceY, 8, kLime},
    {Shape::Ring, kFuchsiaX, kSourceY, 8, kFuchsia},
    {Shape::Ring, kLimeX, kSourceY, 12, kLime},
    {Shape::Ring, kFuchsiaX, kSourceY, 12, kFuchsia},
    {Shape::Ring, kLimeX, kSourceY, 16, kLime},
    {Shape::Ring, kFuchsiaX, kSourceY, 16, kFuchsia},
    {Shape::Dot, kLimeX, kSourceY, 2, kWhite},
    {Shape::Dot, kFuchsiaX, kSourceY, 2, kWhite},
    {Shape::Frame, 0, 0, 0, kWhite},
}};

// Whether the point (x, y) of the design lies on the shape. A ring's line and the frame are one
// design pixel wide, so on the design grid a ring is the pixels whose middles are within half a
// pixel of its circle.
bool covers(const Shape& shape, double x, double y) {
    switch (shape.kind) {
    case Shape::Ring:
        return std::abs(std::hypot(x - shape.x, y - shape.y) - shape.radius) <= 0.5;
    case Shape::Dot:
        return std::hypot(x - shape.x, y - shape.y) <= shape.radius;
    case Shape::Frame:
        return x < 1 || y < 1 || x >= kWindowIconDesignSize - 1 || y >= kWindowIconDesignSize - 1;
    }
    return false;
}

std::uint32_t colorAt(double x, double y) {
    std::uint32_t color = kWindowIconBackground;
    for (const Shape& shape : kShapes)
        if (covers(shape, x, y))
            color = shape.color;
    return color;
}

} // namespace

std::vector<std::uint32_t> paintWindowIcon(int size) {
    std::vector<std::uint32_t> picture(std::size_t(size) * std::size_t(size));
    // On the design grid one sample in each pixel's middle keeps the plain colours; at other
    // sizes 4 x 4 samples a pixel blend the edges.
    const int samples = size == kWindowIconDesignSize ? 1 : 4;
    const double scale = double(kWindowIconDesignSize) / size;
    for (int row = 0; row < size; ++row) {
        for (int column = 0; column < size; ++column) {
            std::array<int, 3> sum{};
            for (int sy = 0; sy < samples; ++sy) {
                for (int sx = 0; sx < samples; ++sx) {
                    const std::uint32_t c = colorAt((column + (sx + 0.5) / samples) * scale,
                                                    (row + (sy + 0.5) / samples) * scale);
                    sum[0] += int(c >> 16);
                    sum[1] += int((c >> 8) & 0xff);
                    sum[2] += int(c & 0xff);
                }
            }
            const int n = samples * samples;
            const auto channel = [n](int total) { return std::uint32_t((total + n / 2) / n); };
            picture[std::size_t(row) * std::size_t(size) + std::size_t(column)] =
                channel(sum[0]) << 16 | channel(sum[1]) << 8 | channel(sum[2]);
        }
    }
    return picture;
}
