#pragma once

// Random frame states over everything the controls, the input boxes and the settings file
// can reach, and states built to land on rounding ties; for tests that hold a faster renderer
// to the reference.
#include "frame_renderer.h"
#include "hagen.h"

#include <cstdint>
#include <limits>
#include <random>
#include <sstream>
#include <string>

namespace frame_states {

struct FrameState {
    sound::Hagen hagen;
    double timecount = 0;
    sound::View view;
    sound::FrameInputs inputs;
};

inline std::string describe(const FrameState& s) {
    std::ostringstream out;
    out.precision(17);
    out << "t=" << s.timecount << " theta=" << s.view.theta << " phi=" << s.view.phi
        << " n=" << s.inputs.n << " g=" << s.inputs.g
        << " mode=" << static_cast<int>(s.inputs.attenuation) << " two=" << s.inputs.twoSources
        << " marks=" << s.inputs.seibun << s.inputs.bashi << s.inputs.suihei << s.inputs.baishitsu
        << s.inputs.rect;
    for (const sound::THagen& h : s.hagen)
        out << " [x=" << h.x << " y=" << h.y << " amp=" << h.amp << " omega=" << h.omega
            << " phase=" << h.phase << " speed=" << h.speed << "]";
    return out.str();
}

class Generator {
public:
    explicit Generator(std::uint64_t seed) : rng_(seed) {}

    // Any state: positions, amplitudes, frequencies and phases over the whole 32-bit range,
    // every speed the slider gives and some it does not, clocks well past the wrap, every
    // view angle, mode and switch. Most grids are small so that many states fit in a test.
    FrameState random(int largestN = 50) {
        FrameState s;
        s.inputs.n = chance(0.8) ? uniform(0, 6) : uniform(7, largestN);
        s.inputs.g = uniform(5, 50);
        s.inputs.attenuation = static_cast<sound::Attenuation>(uniform(0, 2));
        s.inputs.twoSources = chance(0.25);
        s.inputs.seibun = chance(0.85);
        s.inputs.bashi = chance(0.85);
        s.inputs.suihei = chance(0.85);
        s.inputs.baishitsu = chance(0.85);
        s.inputs.rect = chance(0.3);
        s.view = randomView();
        s.timecount = randomClock();
        const double speed = randomSpeed();
        for (sound::THagen& h : s.hagen)
            h = randomSource(s.inputs, speed);
        return s;
    }

    // A state whose displacements land on or next to half-integers: an edge-on view (cos 0 is
    // exactly 1) or one at 60 degrees (cos just off 1/2), static sources at phases whose sine
    // is exactly or nearly 1 or 1/2, and amplitudes that make whole or half pixels.
    FrameState tie() {
        FrameState s;
        s.inputs.n = uniform(1, 6);
        s.inputs.g = uniform(5, 50);
        s.inputs.attenuation =
            chance(0.6) ? sound::Attenuation::None : static_cast<sound::Attenuation>(uniform(0, 2));
        s.inputs.twoSources = chance(0.2);
        s.inputs.rect = chance(0.3);
        const double thetas[] = {0, 0, 0, 60, -60, 90, -90};
        const double phis[] = {0, 90, -90, 180, 30};
        s.view = {thetas[uniform(0, 6)], phis[uniform(0, 4)]};
        s.timecount = chance(0.5) ? 0 : uniform(-100000, 100000);
        const double phases[] = {90, -90, 270, 30, 150, 0, 450};
        for (sound::THagen& h : s.hagen) {
            h.x = s.inputs.g * uniform(-s.inputs.n, s.inputs.n);
            h.y = s.inputs.g * uniform(-s.inputs.n, s.inputs.n);
            // Half and whole turns a tick keep a static pattern up to the rounding of a phase
            // that grows with the clock: sines land next to 0, 1/2 and 1, on either side.
            const int turn = uniform(0, 4);
            h.omega = turn < 3 ? 0 : turn == 3 ? 180 : 360;
            h.phase = phases[uniform(0, 6)];
            // Multiples of 25 give henni in quarter pixels without attenuation; with it, the
            // amplitude is a multiple of the axis distances that give whole roots.
            h.amp = chance(0.7) ? 25 * uniform(-40, 40) : 5 * s.inputs.g * uniform(-40, 40);
            h.speed = 2;
        }
        return s;
    }

    // Changes one thing between two ticks, as a user or the settings file would, so that
    // a renderer's caches must notice it. The clock always advances.
    void changeOne(FrameState& s) {
        s.timecount += 1;
        sound::THagen& h = s.hagen[uniform(0, sound::kSourceCount - 1)];
        switch (uniform(0, 13)) {
        case 0:
            h.x = chance(0.5) ? h.x + 1 : uniform(-300, 300);
            break;
        case 1:
            h.y = chance(0.5) ? h.y - 1 : uniform(-300, 300);
            break;
        case 2:
            h.amp = chance(0.7) ? uniform(-1000, 1000) : int32();
            break;
        case 3:
            h.omega = chance(0.7) ? uniform(-360, 360) : int32();
            break;
        case 4:
            h.phase = chance(0.7) ? uniform(-360, 360) : int32();
            break;
        case 5: {
            const double speed = randomSpeed();
            for (sound::THagen& each : s.hagen)
                each.speed = speed;
            break;
        }
        case 6:
            s.view.theta = uniform(-90, 90);
            break;
        case 7:
            s.view.phi = uniform(-180, 180);
            break;
        case 8:
            s.inputs.n = uniform(0, 8);
            break;
        case 9:
            s.inputs.g = uniform(5, 50);
            break;
        case 10:
            s.inputs.attenuation = static_cast<sound::Attenuation>(uniform(0, 2));
            break;
        case 11:
            s.inputs.twoSources = !s.inputs.twoSources;
            break;
        case 12:
            s.inputs.seibun = !s.inputs.seibun;
            s.inputs.rect = chance(0.5);
            break;
        default:
            break; // the clock alone
        }
    }

    int uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    bool chance(double p) { return std::bernoulli_distribution(p)(rng_); }
    double int32() {
        return uniform(std::numeric_limits<std::int32_t>::min(),
                       std::numeric_limits<std::int32_t>::max());
    }

private:
    sound::View randomView() {
        if (chance(0.1))
            return {std::uniform_real_distribution<double>(-90, 90)(rng_),
                    std::uniform_real_distribution<double>(-180, 180)(rng_)};
        const double edges[] = {-90, 90, 0, 60, -60};
        const double theta = chance(0.2) ? edges[uniform(0, 4)] : uniform(-90, 90);
        return {theta, static_cast<double>(uniform(-180, 180))};
    }

    double randomClock() {
        if (chance(0.5))
            return uniform(-100000, 100000);
        if (chance(0.4))
            return uniform(-100, 100);
        if (chance(0.7))
            return int32(); // far past the wrap: a clock read from a file, say
        return std::uniform_real_distribution<double>(-1e6, 1e6)(rng_);
    }

    double randomSpeed() {
        if (chance(0.8))
            return uniform(5, 50) / 10.0; // the slider's positions / 10
        const double odd[] = {0.0, -0.5, -3.7, 1e-9, 1e-300, 1e6, 0.1};
        return odd[uniform(0, 6)];
    }

    sound::THagen randomSource(const sound::FrameInputs& in, double speed) {
        sound::THagen h;
        const int reach = in.g * in.n;
        const int pick = uniform(0, 9);
        if (pick < 6) {
            h.x = uniform(-reach - 100, reach + 100);
            h.y = uniform(-reach - 100, reach + 100);
        } else if (pick < 8) {
            // On a grid point or one grid unit off it: q = 0, 1 and 2 all occur.
            h.x = in.g * uniform(-in.n, in.n) + uniform(-1, 1);
            h.y = in.g * uniform(-in.n, in.n) + uniform(-1, 1);
        } else {
            h.x = int32();
            h.y = int32();
        }
        const int ampPick = uniform(0, 9);
        if (ampPick < 4)
            h.amp = uniform(-1000, 1000);
        else if (ampPick < 5)
            h.amp = 0;
        else if (ampPick < 8)
            h.amp = int32();
        else
            h.amp = chance(0.5) ? std::numeric_limits<std::int32_t>::max()
                                : std::numeric_limits<std::int32_t>::min();
        h.omega = chance(0.5) ? uniform(-360, 360) : chance(0.2) ? 0 : int32();
        h.phase = chance(0.5) ? uniform(-360, 360) : int32();
        h.speed = speed;
        return h;
    }

    std::mt19937_64 rng_;
};

} // namespace frame_states
