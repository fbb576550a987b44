#include "view.h"

#include "wave_field.h"

#include <cmath>

namespace sound {

Extended radians(double degrees) {
    return (kPi * degrees) / Extended(180);
}

std::int64_t Round(Extended v) {
    constexpr std::int64_t kLimit = std::int64_t(1) << 62;
    if (!(v < Extended(kLimit)))
        return kLimit;
    if (!(v > -Extended(kLimit)))
        return -kLimit;
    return ext::llrint(v);
}

std::int64_t projx(double X, double Y, double /*theta*/, double phi) {
    const Extended phir = radians(phi);
    return Round(X * ext::cos(phir) + Y * ext::sin(phir)) + kViewCentre;
}

std::int64_t projy(double X, double Y, double theta, double phi) {
    const Extended thetar = radians(theta);
    const Extended phir = radians(phi);
    return Round(ext::sin(thetar) * ((-ext::sin(phir)) * X + ext::cos(phir) * Y)) + kViewCentre;
}

std::int64_t displacedY(std::int64_t yg, Extended cosTheta, Extended h) {
    return Round(Extended(yg) + cosTheta * h);
}

} // namespace sound
