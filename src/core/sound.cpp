#include "sound.h"

namespace sound {

Hagen hagen;
double timecount = 0.0;
double theta = 30.0;
double phi = 30.0;

void resetToStartupState() {
    theta = 30.0;
    phi = 30.0;
    for (THagen& s : hagen)
        s = THagen{};
    timecount = 0.0;
}

} // namespace sound
