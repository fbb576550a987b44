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

Extended sourceDisplacement(const THagen& s, double X, double Y, double timecount,
                            Attenuation mode) {
    const Extended dx = Extended(s.x) - X;
    const Extended dy = Extended(s.y) - Y;
    const Extended q = dx * dx + dy * dy;
    if (q <= Extended(1))
        return Extended(0);

    const Extended r = ext::sqrt(q);
    const Extended omega = s.omega;
    // The grouping is part of the model: the same inputs must give the same bits in
    // every renderer, so the three terms are formed exactly in this order.
    const Extended a = (omega * timecount * kPi) / Extended(180) -
                       (kPi * omega / Extended(180)) * r / Extended(s.speed) +
                       (kPi * Extended(s.phase)) / Extended(180);
    const Extended w = ext::sin(a) * Extended(s.amp);

    switch (mode) {
    case Attenuation::InverseDistance:
        return w / r;
    case Attenuation::InverseSqrtDistance:
        return (w / Extended(10)) / ext::sqrt(r);
    case Attenuation::None:
        break;
    }
    return w / Extended(100);
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
