#include "wave_field.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

using sound::Attenuation;
using sound::evaluateField;
using sound::Hagen;
using sound::THagen;

THagen source(double x, double y, double amp, double omega, double phase, double speed = 2.0) {
    return THagen{x, y, amp, omega, phase, speed};
}

TEST(WaveField, PointsWithinOneGridUnitOfTheSourceGetNothing) {
    Hagen hagen;
    hagen[0] = source(10, 20, 1000, 0, 90);
    for (auto mode :
         {Attenuation::InverseDistance, Attenuation::InverseSqrtDistance, Attenuation::None}) {
        EXPECT_EQ(evaluateField(10, 20, hagen, 0, 4, mode)[0], 0.0) << "on the source";
        EXPECT_EQ(evaluateField(11, 20, hagen, 0, 4, mode)[0], 0.0) << "q exactly 1";
        EXPECT_EQ(evaluateField(10, 19, hagen, 0, 4, mode)[0], 0.0) << "q exactly 1";
    }
    // Just over one grid unit away (q = 2) the full formula applies: 1000 / sqrt(2).
    EXPECT_DOUBLE_EQ(evaluateField(11, 21, hagen, 0, 4, Attenuation::InverseDistance)[0],
                     1000 / std::sqrt(2.0));
}

TEST(WaveField, ZeroAmplitudesGiveAFlatMedium) {
    Hagen hagen;
    hagen[0] = source(0, 0, 0, 40, 90);
    hagen[3] = source(-50, 30, 0, 15, 0);
    const sound::Henni h = evaluateField(37, -80, hagen, 123, 4, Attenuation::None);
    for (double v : h)
        EXPECT_EQ(v, 0.0);
}

TEST(WaveField, StaticSourceGivesAmplitudeOverDistanceAtEveryTick) {
    Hagen hagen;
    hagen[1] = source(0, 0, 600, 0, 90);
    for (double t : {0.0, 1.0, 5000.0, -100000.0}) {
        // Distance 5 from (3, 4).
        EXPECT_NEAR(evaluateField(3, 4, hagen, t, 4, Attenuation::InverseDistance)[1], 120.0,
                    1e-12);
    }
}

TEST(WaveField, AttenuationConstantsOfEachMode) {
    Hagen hagen;
    hagen[0] = source(0, 0, 100, 0, 90); // sin a = 1
    // Distance 100: inverse distance 100/100, inverse root (100/10)/10, none 100/100.
    EXPECT_NEAR(evaluateField(0, 100, hagen, 0, 4, Attenuation::InverseDistance)[0], 1.0, 1e-15);
    EXPECT_NEAR(evaluateField(0, 100, hagen, 0, 4, Attenuation::InverseSqrtDistance)[0], 1.0,
                1e-15);
    EXPECT_NEAR(evaluateField(0, 100, hagen, 0, 4, Attenuation::None)[0], 1.0, 1e-15);
    // Distance 400 tells the three modes apart: 1/4, 1/2 and 1.
    EXPECT_NEAR(evaluateField(0, 400, hagen, 0, 4, Attenuation::InverseDistance)[0], 0.25, 1e-15);
    EXPECT_NEAR(evaluateField(0, 400, hagen, 0, 4, Attenuation::InverseSqrtDistance)[0], 0.5,
                1e-15);
    EXPECT_NEAR(evaluateField(0, 400, hagen, 0, 4, Attenuation::None)[0], 1.0, 1e-15);
}

TEST(WaveField, AttenuationFollowsTheFirstCheckedButton) {
    EXPECT_EQ(sound::attenuationFromButtons(true, true), Attenuation::InverseDistance);
    EXPECT_EQ(sound::attenuationFromButtons(true, false), Attenuation::InverseDistance);
    EXPECT_EQ(sound::attenuationFromButtons(false, true), Attenuation::InverseSqrtDistance);
    EXPECT_EQ(sound::attenuationFromButtons(false, false), Attenuation::None);
}

TEST(WaveField, TwoSourceModeNeverLooksAtSourcesThreeAndFour) {
    Hagen hagen;
    hagen[0] = source(-30, 0, 200, 30, 0);
    hagen[1] = source(30, 0, 200, 30, 180);
    hagen[2] = source(0, 40, 500, 45, 90);
    hagen[3] = source(0, -40, 500, 45, 90, 0.0); // speed 0 would divide by zero if evaluated
    const sound::Henni two = evaluateField(7, 9, hagen, 17, 2, Attenuation::InverseSqrtDistance);
    const sound::Henni four = evaluateField(7, 9, hagen, 17, 4, Attenuation::InverseSqrtDistance);
    EXPECT_EQ(two[0], four[0]);
    EXPECT_EQ(two[1], four[1]);
    EXPECT_EQ(two[2], 0.0);
    EXPECT_EQ(two[3], 0.0);
    EXPECT_NE(four[2], 0.0);
}

TEST(WaveField, NegativeClockEntersTheFormulaUnchanged) {
    Hagen hagen;
    // r = 2, speed 4, omega 90: a = 90 t degrees - 45 degrees.
    hagen[0] = source(0, 0, 100, 90, 0, 4.0);
    EXPECT_NEAR(evaluateField(0, 2, hagen, 1, 4, Attenuation::None)[0], std::sqrt(0.5), 1e-15);
    EXPECT_NEAR(evaluateField(0, 2, hagen, -1, 4, Attenuation::None)[0], -std::sqrt(0.5), 1e-15);
    EXPECT_NEAR(evaluateField(0, 2, hagen, -3, 4, Attenuation::None)[0], std::sqrt(0.5), 1e-15);
}

TEST(WaveField, PhaseTakesTheLagFromTheClockTermBeforeAddingThePhaseTerm) {
    // Far out in omega t the phase's three terms differ by orders of magnitude, so the order
    // in which they are added shows in the last bits of the 80-bit phase, and an amplitude
    // near 2^31 carries those bits into whole pixels: (T1 - lag) + T3 gives this value, while
    // (T1 + T3) - lag would give 12317460.077, four pixels away.
    Hagen hagen;
    hagen[0] = source(0, 80, 2147483647, 2147483647, 1932454658);
    EXPECT_NEAR(evaluateField(0, 0, hagen, 95241, 4, Attenuation::None)[0], 12317455.883153753,
                1e-6);
}

TEST(WaveField, CrestsTravelOutwardsAtTheWaveSpeed) {
    Hagen hagen;
    for (double omega : {24.0, -24.0}) {
        hagen[0] = source(0, 0, 100, omega, 10, 2.5);
        // What is at distance 10 at tick t is at distance 12.5 one tick later.
        const double now = evaluateField(10, 0, hagen, 40, 4, Attenuation::None)[0];
        const double later = evaluateField(12.5, 0, hagen, 41, 4, Attenuation::None)[0];
        EXPECT_NEAR(now, later, 1e-12) << "omega " << omega;
    }
}

} // namespace
