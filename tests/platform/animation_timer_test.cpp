// The interval rules of the animation timer, on a scripted clock and on QTimer.
#include "dialog_input_box.h"
#include "program_error.h"
#include "qt_animation_timer.h"
#include "scripted_timer.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QLineEdit>
#include <QTimer>
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
    ScriptedTimer timer;
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
    ScriptedTimer timer;
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
    ScriptedTimer timer;
    timer.setInterval(200);
    timer.refuse = true;
    EXPECT_THROW(timer.setInterval(100), sound::ProgramError);
    EXPECT_FALSE(timer.ticking);
    EXPECT_EQ(timer.interval(), 100);
}

TEST(AnimationTimer, TicksReachTheHandlerOnlyWhileRunning) {
    ScriptedTimer timer;
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

TEST(QtAnimationTimer, RunsAPreciseQTimerOnlyWhileTheIntervalIsNotZero) {
    platform::QtAnimationTimer timer;
    EXPECT_FALSE(timer.qtTimer().isActive());
    timer.setInterval(200);
    EXPECT_TRUE(timer.qtTimer().isActive());
    EXPECT_EQ(timer.qtTimer().interval(), 200);
    EXPECT_EQ(timer.qtTimer().timerType(), Qt::PreciseTimer);
    EXPECT_FALSE(timer.qtTimer().isSingleShot());
    const int id = timer.qtTimer().timerId();
    timer.setInterval(200);
    EXPECT_EQ(timer.qtTimer().timerId(), id);
    timer.setInterval(40);
    EXPECT_TRUE(timer.qtTimer().isActive());
    EXPECT_EQ(timer.qtTimer().interval(), 40);
    timer.setInterval(0);
    EXPECT_FALSE(timer.qtTimer().isActive());
}

// The animation goes on behind an open input box because the box's own event loop keeps
// delivering the timer's ticks. The box is closed from the third tick; a guard timer ends
// the test should no tick come.
TEST(QtAnimationTimer, KeepsTickingWhileAModalInputBoxIsOpen) {
    platform::QtAnimationTimer timer;
    int ticks = 0;
    timer.setOnTimer([&] {
        if (++ticks == 3)
            if (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                box->reject();
    });
    timer.setInterval(5);
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            box->reject();
    });
    guard.start(10000);
    platform::DialogInputBox box(nullptr);
    EXPECT_EQ(box.ask("入力", "波源1のx座標は？"), std::nullopt);
    EXPECT_GE(ticks, 3);
}

} // namespace
