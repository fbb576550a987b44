// The animation timer on QTimer: a precise timer that runs only while the interval is not 0,
// and ticks on behind an open modal box.
#include "qt_animation_timer.h"
#include "qt_input_box.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

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
    platform::QtInputBox box(nullptr);
    EXPECT_EQ(box.ask("入力", "波源1のx座標は？"), std::nullopt);
    EXPECT_GE(ticks, 3);
}

} // namespace
