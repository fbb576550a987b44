#include "view.h"

#include "wave_field.h"

#include <cmath>

namespace sound {

long double radians(double degrees) {
    return (kPi * degrees) / 180.0L;
}

std::int64_t Round(long double v) {
    constexpr long double kLimit = 4611686018427387904.0L; // 2^62
    if (!(v < kLimit))
        return static_cast<std::int64_t>(kLimit);
    if (!(v > -kLimit))
        return -static_cast<std::int64_t>(kLimit);
    return std::llrint(v);
}

std::int64_t projx(double X, double Y, double /*theta*/, double phi) {
    const long double phir = radians(phi);
    return Round(X * std::cos(phir) + Y * std::sin(phir)) + kViewCentre;
}

std::int64_t projy(double X, double Y, double theta, double phi) {
    const long double thetar = radians(theta);
    const long double phir = radians(phi);
    return Round(std::sin(thetar) * ((-std::sin(phir)) * X + std::cos(phir) * Y)) + kViewCentre;
}

std::int64_t displacedY(std::int64_t yg, long double cosTheta, long double h) {
    return Round(static_cast<long double>(yg) + cosTheta * h);
}

} // namespace sound
