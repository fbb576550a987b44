// Quit and the close box end the event loop with exit code 0, without a question, also
// while the animation runs.
#include "scripted_window.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Runs the application's event loop until the window ends it; a guard ends it with -1
// should the window not do so.
int runUntilEnded(const std::function<void()>& user) {
    QTimer::singleShot(0, user);
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(-1); });
    guard.start(10000);
    return QApplication::exec();
}

TEST(Shutdown, QuitEndsTheProgramWithZero) {
    ScriptedWindow w;
    w->show();
    EXPECT_EQ(runUntilEnded([&] { w->QuitQ1->trigger(); }), 0);
    EXPECT_TRUE(w.errors->shown.empty());
}

TEST(Shutdown, CloseBoxEndsTheProgramWithZeroWhileTheAnimationRuns) {
    ScriptedWindow w;
    w->show();
    w->BitBtn1->click();
    ASSERT_FALSE(w->FileF1->menuAction()->isEnabled());
    EXPECT_EQ(runUntilEnded([&] { w->close(); }), 0);
}

} // namespace
