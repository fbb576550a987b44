// The interval rules of the animation timer, on a clock the test runs.
#include "headless_timer.h"
#include "program_error.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

struct IntervalCase {
    const char* name;
    std::vector<int> writes;
    int interval;
    bool ticking;
    int starts;
};

class IntervalWrites : public ::testing::TestWithParam<IntervalCase> {};

TEST_P(IntervalWrites, StartStopOrKeepThePeriod) {
    const IntervalCase& c = GetParam();
    platform::HeadlessTimer timer;
    for (int ms : c.writes)
        timer.setInterval(ms);
    EXPECT_EQ(timer.interval(), c.interval);
    EXPECT_EQ(timer.ticking, c.ticking);
    EXPECT_EQ(timer.starts, c.starts);
    if (c.ticking) {
        EXPECT_EQ(timer.period, c.interval);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, IntervalWrites,
    ::testing::Values(IntervalCase{"starts_from_stopped", {200}, 200, true, 1},
                      IntervalCase{"same_value_keeps_the_period", {200, 200}, 200, true, 1},
                      IntervalCase{"new_value_restarts_the_period", {200, 50}, 50, true, 2},
                      IntervalCase{"zero_stops", {200, 0}, 0, false, 1},
                      IntervalCase{"zero_while_stopped_does_nothing", {0}, 0, false, 0},
                      IntervalCase{"restart_after_stop", {200, 0, 200}, 200, true, 2}),
    [](const auto& info) { return info.param.name; });

TEST(AnimationTimer, RefusedTimerThrowsAndKeepsTheNewInterval) {
    platform::HeadlessTimer timer;
    timer.refuse = true;
    try {
        timer.setInterval(200);
        FAIL() << "a refused timer must throw";
    } catch (const sound::ProgramError& e) {
        EXPECT_STREQ(e.what(), "タイマーを取得できません");
    }
    EXPECT_EQ(timer.interval(), 200);
    EXPECT_FALSE(timer.ticking);

    // Writing the same value again is no new request, so it neither starts nor throws.
    EXPECT_NO_THROW(timer.setInterval(200));
    EXPECT_EQ(timer.starts, 1);

    timer.setInterval(0);
    EXPECT_EQ(timer.interval(), 0);
    timer.refuse = false;
    timer.setInterval(200);
    EXPECT_TRUE(timer.ticking);
}

TEST(AnimationTimer, RefusalStopsTheOldPeriod) {
    platform::HeadlessTimer timer;
    timer.setInterval(200);
    timer.refuse = true;
    EXPECT_THROW(timer.setInterval(100), sound::ProgramError);
    EXPECT_FALSE(timer.ticking);
    EXPECT_EQ(timer.interval(), 100);
}

TEST(AnimationTimer, TicksReachTheHandlerOnlyWhileRunning) {
    platform::HeadlessTimer timer;
    int ticks = 0;
    timer.setOnTimer([&] { ++ticks; });
    EXPECT_FALSE(timer.fire());
    timer.setInterval(20);
    EXPECT_TRUE(timer.fire());
    EXPECT_TRUE(timer.fire());
    timer.setInterval(0);
    EXPECT_FALSE(timer.fire());
    EXPECT_EQ(ticks, 2);
}

} // namespace
