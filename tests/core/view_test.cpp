#include "view.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

using sound::projx;
using sound::projy;

struct ProjectionCase {
    const char* name;
    double X, Y, theta, phi;
    std::int64_t px, yg;
};

class Projection : public ::testing::TestWithParam<ProjectionCase> {};

TEST_P(Projection, MapsGridPointToPixel) {
    const ProjectionCase& c = GetParam();
    EXPECT_EQ(projx(c.X, c.Y, c.theta, c.phi), c.px);
    EXPECT_EQ(projy(c.X, c.Y, c.theta, c.phi), c.yg);
}

INSTANTIATE_TEST_SUITE_P(
    View, Projection,
    ::testing::Values(
        // The default view with spacing 20.
        ProjectionCase{"point_1_0", 20, 0, 30, 30, 317, 295},
        ProjectionCase{"point_0_1", 0, 20, 30, 30, 310, 309},
        ProjectionCase{"point_m1_2", -20, 40, 30, 30, 303, 322},
        ProjectionCase{"centre", 0, 0, 30, 30, 300, 300},
        // Edge-on: every rest position is on the middle row.
        ProjectionCase{"edge_on", 400, -260, 0, 30, 516, 300},
        // phi = 0: px = X + 300, yg = Round(sin(theta) Y) + 300.
        ProjectionCase{"phi_zero", 35, 60, 30, 0, 335, 330},
        // Seen from straight above with phi = 0 the rest position is the point itself.
        ProjectionCase{"from_above", -35, 61, 90, 0, 265, 361},
        // Far points keep their distance: no 32-bit wrap.
        ProjectionCase{"far_point", 2500000000.0, 0, 30, 0, 2500000300LL, 300}),
    [](const auto& info) { return info.param.name; });

TEST(Round, HalvesGoToEvenAndFarValuesSaturateWithoutWrapping) {
    EXPECT_EQ(sound::Round(0.5L), 0);
    EXPECT_EQ(sound::Round(1.5L), 2);
    EXPECT_EQ(sound::Round(-0.5L), 0);
    EXPECT_EQ(sound::Round(-1.5L), -2);
    EXPECT_EQ(sound::Round(2.4999L), 2);
    // Beyond 32 bits the value is kept, not wrapped.
    EXPECT_EQ(sound::Round(8589934592.0L), 8589934592LL);
    EXPECT_EQ(sound::Round(-8589934592.6L), -8589934593LL);
    EXPECT_GT(sound::Round(1e30L), 1LL << 61);
    EXPECT_LT(sound::Round(-1e30L), -(1LL << 61));
    EXPECT_GT(sound::Round(std::numeric_limits<long double>::quiet_NaN()), 1LL << 61);
}

TEST(Displacement, PositiveDisplacementIsDrawnLowerAndVanishesSeenFromAbove) {
    const long double cos30 = std::cos(sound::radians(30));
    // The worked example: total displacement 10 from a rest row of 295.
    EXPECT_EQ(sound::displacedY(295, cos30, 10), 304);
    EXPECT_EQ(sound::displacedY(295, cos30, -10), 286);
    // Straight above, cos theta is tiny but not zero: the particle stays at rest.
    const long double cos90 = std::cos(sound::radians(90));
    EXPECT_NE(cos90, 0.0L);
    EXPECT_LT(std::fabs(cos90), 1e-18L);
    EXPECT_EQ(sound::displacedY(295, cos90, 1e9), 295);
    // Edge-on, full scale; cos 0 is exactly 1, so a displacement of x.5 is a true tie
    // and goes to the even row.
    const long double cos0 = std::cos(sound::radians(0));
    EXPECT_EQ(sound::displacedY(300, cos0, 57.0L), 357);
    EXPECT_EQ(sound::displacedY(300, cos0, 2.5L), 302);
    EXPECT_EQ(sound::displacedY(300, cos0, 3.5L), 304);
    EXPECT_EQ(sound::displacedY(300, cos0, -2.5L), 298);
}

} // namespace
