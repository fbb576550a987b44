#include "wave_field.h"

#include <cmath>

namespace sound {

Attenuation attenuationFromButtons(bool gens1Checked, bool gens2Checked) {
    if (gens1Checked)
        return Attenuation::InverseDistance;
    if (gens2Checked)
        return Attenuation::InverseSqrtDistance;
    return Attenuation::None;
}

long double sourceDisplacement(const THagen& s, double X, double Y, double timecount,
                               Attenuation mode) {
    const long double dx = static_cast<long double>(s.x) - X;
    const long double dy = static_cast<long double>(s.y) - Y;
    const long double q = dx * dx + dy * dy;
    if (q <= 1.0L)
        return 0.0L;

    const long double r = std::sqrt(q);
    const long double omega = s.omega;
    // The grouping is part of the model: the same inputs must give the same bits in
    // every renderer, so the three terms are formed exactly in this order.
    const long double a = (omega * timecount * kPi) / 180.0L -
                          (kPi * omega / 180.0L) * r / static_cast<long double>(s.speed) +
                          (kPi * static_cast<long double>(s.phase)) / 180.0L;
    const long double w = std::sin(a) * static_cast<long double>(s.amp);

    switch (mode) {
    case Attenuation::InverseDistance:
        return w / r;
    case Attenuation::InverseSqrtDistance:
        return (w / 10.0L) / std::sqrt(r);
    case Attenuation::None:
        break;
    }
    return w / 100.0L;
}

Henni evaluateField(double X, double Y, const Hagen& hagen, double timecount, int activeSources,
                    Attenuation mode) {
    Henni henni{};
    const int active = activeSources == 2 ? 2 : kSourceCount;
    for (int k = 0; k < active; ++k)
        henni[k] = static_cast<double>(sourceDisplacement(hagen[k], X, Y, timecount, mode));
    return henni;
}

} // namespace sound
