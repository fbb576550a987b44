// Start/Stop, the tick with its clock wrap, turning view and single-frame mode, the four
// slider handlers and the File menu, driven through the buttons, keys and the scripted timer.
#include "key.h"
#include "program_error.h"
#include "scripted_window.h"
#include "sound.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace {

TEST(Animation, StartDrawsEachTickWithTheStartupViewAndAdvancesTheClock) {
    ScriptedWindow w;
    w->BitBtn1.press();
    EXPECT_EQ(w->Timer1->interval(), 200);
    EXPECT_EQ(w.timer->period, 200);
    ASSERT_TRUE(w.timer->fire());
    // Drawn from an elevation of 30 although the slider shows -30.
    EXPECT_EQ(w.pixels(), referenceFrame(sound::hagen, 0, sound::View{30, 30}));
    EXPECT_NE(w.pixels(), referenceFrame(sound::hagen, 0, sound::View{-30, 30}));
    EXPECT_EQ(sound::timecount, 1.0);
    ASSERT_TRUE(w.timer->fire());
    EXPECT_EQ(sound::timecount, 2.0);
    EXPECT_TRUE(w.errors->shown.empty());
}

struct ThetaCase {
    const char* name;
    platform::Key key; // Key::Other: press and release the thumb without moving it
    double theta;
};

class ThetaFirstTouch : public ::testing::TestWithParam<ThetaCase> {};

// The first user action on the elevation slider replaces the start-up 30 by the slider's
// position, even when the thumb does not move.
TEST_P(ThetaFirstTouch, ReplacesTheStartupElevationByThePosition) {
    ScriptedWindow w;
    if (GetParam().key != platform::Key::Other) {
        EXPECT_TRUE(w->thetachanger.keyPress(GetParam().key));
    } else {
        w->thetachanger.release();
    }
    EXPECT_EQ(sound::theta, GetParam().theta);
    EXPECT_EQ(w->thetachanger.position(), static_cast<int>(GetParam().theta));
}

INSTANTIATE_TEST_SUITE_P(Rows, ThetaFirstTouch,
                         ::testing::Values(ThetaCase{"arrow_down", platform::Key::Down, -25},
                                           ThetaCase{"arrow_up", platform::Key::Up, -35},
                                           ThetaCase{"page_down", platform::Key::PageDown, -15},
                                           ThetaCase{"thumb_not_moved", platform::Key::Other, -30}),
                         [](const auto& info) { return info.param.name; });

TEST(Animation, SliderHandlersFeedViewAndSpeedWithoutDrawing) {
    ScriptedWindow w;
    const auto before = w.pixels();
    w->phichanger.keyPress(platform::Key::Right);
    EXPECT_EQ(sound::phi, 35.0);
    w->velocitychanger.keyPress(platform::Key::Down);
    for (const sound::THagen& s : sound::hagen)
        EXPECT_DOUBLE_EQ(s.speed, 2.1);
    w->velocitychanger.setPosition(50);
    for (const sound::THagen& s : sound::hagen)
        EXPECT_EQ(s.speed, 5.0);
    EXPECT_EQ(w.pixels(), before);
}

struct ClockCase {
    const char* name;
    double before;
    bool draws;
    double after;
};

class ClockTick : public ::testing::TestWithParam<ClockCase> {};

TEST_P(ClockTick, DrawsAndAdvancesOrWrapsWithoutAFrame) {
    const ClockCase& c = GetParam();
    ScriptedWindow w;
    sound::hagen[0] = {0, 0, 300, 30, 0, 2}; // a moving wave, so frames differ with the clock
    w->BitBtn1.press();
    sound::timecount = c.before;
    const auto before = w.pixels();
    ASSERT_TRUE(w.timer->fire());
    EXPECT_EQ(sound::timecount, c.after);
    if (c.draws) {
        EXPECT_EQ(w.pixels(), referenceFrame(sound::hagen, c.before, sound::View{30, 30}));
    } else {
        EXPECT_EQ(w.pixels(), before);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ClockTick,
    ::testing::Values(ClockCase{"last_frame_before_wrap", 100000, true, 100001},
                      ClockCase{"wrap_tick", 100001, false, -100000},
                      ClockCase{"first_frame_after_wrap", -100000, true, -99999},
                      ClockCase{"just_over_the_limit", 100000.5, false, -100000},
                      ClockCase{"negative_clock", -5, true, -4}),
    [](const auto& info) { return info.param.name; });

TEST(Animation, WrapTickStillTurnsTheViewAndStillStopsASingleFrame) {
    ScriptedWindow w;
    w->ch_guruguru.setChecked(true);
    w->ch_koma.setChecked(true);
    sound::timecount = 100001;
    w->BitBtn1.press();
    const auto before = w.pixels();
    ASSERT_TRUE(w.timer->fire());
    EXPECT_EQ(w->phichanger.position(), 32);
    EXPECT_EQ(sound::phi, 32.0);
    EXPECT_EQ(sound::timecount, -100000.0);
    EXPECT_EQ(w->Timer1->interval(), 0);
    EXPECT_TRUE(w->FileF1.enabled());
    // That press showed no new frame.
    EXPECT_EQ(w.pixels(), before);
}

struct TurnCase {
    const char* name;
    int start;
    std::vector<int> positions;
};

class TurningView : public ::testing::TestWithParam<TurnCase> {};

TEST_P(TurningView, TurnsTwoDegreesPerTickAndWrapsPastTheEnd) {
    ScriptedWindow w;
    w->phichanger.setPosition(GetParam().start);
    w->ch_guruguru.setChecked(true);
    w->BitBtn1.press();
    for (int expected : GetParam().positions) {
        ASSERT_TRUE(w.timer->fire());
        EXPECT_EQ(w->phichanger.position(), expected);
        EXPECT_EQ(sound::phi, expected);
    }
    // The frame of the last tick was drawn with the view already turned.
    EXPECT_EQ(w.pixels(), referenceFrame(sound::hagen, GetParam().positions.size() - 1,
                                         sound::View{30, double(GetParam().positions.back())}));
}

INSTANTIATE_TEST_SUITE_P(Rows, TurningView,
                         ::testing::Values(TurnCase{"from_178", 178, {180, -178, -176}},
                                           TurnCase{"from_179", 179, {-179, -177}},
                                           TurnCase{"from_180", 180, {-178, -176}},
                                           TurnCase{"from_minus_180", -180, {-178}},
                                           TurnCase{"from_30", 30, {32, 34, 36}}),
                         [](const auto& info) { return info.param.name; });

TEST(Animation, ViewStaysWhenTurningIsOff) {
    ScriptedWindow w;
    w->BitBtn1.press();
    ASSERT_TRUE(w.timer->fire());
    EXPECT_EQ(w->phichanger.position(), 30);
}

TEST(Animation, SingleFrameModeDrawsOneFramePerPress) {
    ScriptedWindow w;
    sound::hagen[0] = {0, 0, 300, 30, 0, 2};
    w->ch_koma.setChecked(true);
    w->ch_guruguru.setChecked(true);
    for (int press = 0; press < 3; ++press) {
        w->BitBtn1.press();
        EXPECT_FALSE(w->FileF1.enabled());
        ASSERT_TRUE(w.timer->fire());
        EXPECT_FALSE(w.timer->fire()) << "stopped after one tick";
        EXPECT_EQ(w->Timer1->interval(), 0);
        EXPECT_TRUE(w->FileF1.enabled());
        EXPECT_EQ(sound::timecount, press + 1.0);
        EXPECT_EQ(sound::phi, 32.0 + 2 * press);
        EXPECT_EQ(w.pixels(), referenceFrame(sound::hagen, press, sound::View{30, sound::phi}));
    }
}

TEST(Animation, CheckingSingleFrameWhileRunningStopsAfterTheNextTick) {
    ScriptedWindow w;
    w->BitBtn1.press();
    ASSERT_TRUE(w.timer->fire());
    w->ch_koma.setChecked(true);
    ASSERT_TRUE(w.timer->fire());
    EXPECT_EQ(w->Timer1->interval(), 0);
    EXPECT_EQ(sound::timecount, 2.0);
}

TEST(Animation, StartStopTogglesTheTimerAndTheFileMenu) {
    ScriptedWindow w;
    w->BitBtn1.press();
    EXPECT_EQ(w->Timer1->interval(), 200);
    EXPECT_FALSE(w->FileF1.enabled());
    w->BitBtn1.press();
    EXPECT_EQ(w->Timer1->interval(), 0);
    EXPECT_FALSE(w.timer->ticking);
    EXPECT_TRUE(w->FileF1.enabled());
    // The clock is not reset by stopping or starting.
    sound::timecount = 41;
    w->BitBtn1.press();
    ASSERT_TRUE(w.timer->fire());
    EXPECT_EQ(sound::timecount, 42.0);
}

TEST(Animation, IntervalSliderSetsTheNextStartButNeverStartsTheTimer) {
    ScriptedWindow w;
    w->fpschanger.keyPress(platform::Key::PageDown);
    EXPECT_EQ(w->fpschanger.position(), 220);
    EXPECT_EQ(w->Timer1->interval(), 0);
    EXPECT_FALSE(w.timer->ticking);
    w->BitBtn1.press();
    EXPECT_EQ(w->Timer1->interval(), 220);
    EXPECT_EQ(w.timer->period, 220);
    w->BitBtn1.press();
    w->fpschanger.setPosition(20);
    EXPECT_EQ(w->Timer1->interval(), 0);
    w->BitBtn1.press();
    EXPECT_EQ(w->Timer1->interval(), 20);
}

TEST(Animation, IntervalSliderRestartsARunningTimerAtTheNewPeriod) {
    ScriptedWindow w;
    w->BitBtn1.press();
    const int starts = w.timer->starts;
    w->fpschanger.keyPress(platform::Key::PageUp);
    EXPECT_EQ(w->Timer1->interval(), 180);
    EXPECT_EQ(w.timer->period, 180);
    EXPECT_EQ(w.timer->starts, starts + 1);
    // An arrow key moves this slider by 0: the handler runs, the period goes on.
    w->fpschanger.keyPress(platform::Key::Down);
    EXPECT_EQ(w.timer->starts, starts + 1);
}

// While running, the File menu is disabled and none of its items can be chosen.
TEST(Animation, FileMenuCannotBeUsedWhileRunning) {
    ScriptedWindow w;
    w->BitBtn1.press();
    EXPECT_FALSE(w->FileF1.enabled());
    w->QuitQ1.choose();
    w->OpenO1.choose();
    EXPECT_FALSE(w.backend.quitRequested);
    EXPECT_TRUE(w.openDialog->offered.empty());
    w->BitBtn1.press();
    EXPECT_TRUE(w->FileF1.enabled());
    w->QuitQ1.choose();
    EXPECT_TRUE(w.backend.quitRequested);
}

TEST(Animation, RefusedTimerIsReportedAndTheNextClicksStopAndStartAgain) {
    ScriptedWindow w;
    w.timer->refuse = true;
    w->BitBtn1.press();
    EXPECT_EQ(w.errors->shown, std::vector<std::string>{"タイマーを取得できません."});
    // The handler ended at the error: the interval kept its value, the menu stayed enabled.
    EXPECT_EQ(w->Timer1->interval(), 200);
    EXPECT_TRUE(w->FileF1.enabled());
    EXPECT_FALSE(w.timer->fire());

    w.timer->refuse = false;
    w->BitBtn1.press();
    EXPECT_EQ(w->Timer1->interval(), 0);
    EXPECT_TRUE(w->FileF1.enabled());
    w->BitBtn1.press();
    EXPECT_EQ(w->Timer1->interval(), 200);
    EXPECT_FALSE(w->FileF1.enabled());
    EXPECT_TRUE(w.timer->fire());
    EXPECT_EQ(w.errors->shown.size(), 1u);
}

TEST(Animation, RefusedRestartFromTheIntervalSliderIsReported) {
    ScriptedWindow w;
    w->BitBtn1.press();
    w.timer->refuse = true;
    w->fpschanger.keyPress(platform::Key::PageDown);
    EXPECT_EQ(w.errors->shown, std::vector<std::string>{"タイマーを取得できません."});
    EXPECT_EQ(w->Timer1->interval(), 220);
}

struct MessageCase {
    const char* name;
    const char* message;
    const char* shown;
};

class DispatchedErrors : public ::testing::TestWithParam<MessageCase> {};

TEST_P(DispatchedErrors, AreShownWithTheFullStopRuleAndTheWindowCarriesOn) {
    ScriptedWindow w;
    bool after = false;
    w->dispatch([&] {
        throw std::runtime_error(GetParam().message);
        after = true;
    });
    EXPECT_FALSE(after);
    EXPECT_EQ(w.errors->shown, std::vector<std::string>{GetParam().shown});
    w->BitBtn1.press();
    EXPECT_EQ(w->Timer1->interval(), 200);
}

INSTANTIATE_TEST_SUITE_P(Rows, DispatchedErrors,
                         ::testing::Values(MessageCase{"letter", "abc", "abc."},
                                           MessageCase{"full_stop", "abc.", "abc."},
                                           MessageCase{"bracket", "I/O エラー (32)",
                                                       "I/O エラー (32)"},
                                           MessageCase{"blank", "abc ", "abc "},
                                           MessageCase{"japanese", "'abc' は整数ではありません",
                                                       "'abc' は整数ではありません."},
                                           MessageCase{"empty", "", ""}),
                         [](const auto& info) { return info.param.name; });

TEST(Dispatch, FailedHandlerKeepsWhatItChanged) {
    ScriptedWindow w;
    w->dispatch([] {
        sound::hagen[0].amp = 5;
        throw sound::ProgramError("x");
    });
    EXPECT_EQ(sound::hagen[0].amp, 5.0);
    EXPECT_EQ(w.errors->shown.size(), 1u);
}

// A handler run from inside another one (a slider moved by a handler) is part of it: its
// error ends the outer handler too and is reported once.
TEST(Dispatch, ErrorOfANestedHandlerEndsTheOuterOne) {
    ScriptedWindow w;
    bool outerGoesOn = false;
    w->dispatch([&] {
        w->dispatch([] { throw sound::ProgramError("inner"); });
        outerGoesOn = true;
    });
    EXPECT_FALSE(outerGoesOn);
    EXPECT_EQ(w.errors->shown, std::vector<std::string>{"inner."});
}

// An event delivered by the event loop of a modal box is an event of its own: its error
// is reported there, and the handler that opened the box carries on.
TEST(Dispatch, ErrorOfAnEventInAModalLoopIsReportedThereAndTheOpenerGoesOn) {
    ScriptedWindow w;
    w.input->whileOpen = [&] { w->dispatch([] { throw sound::ProgramError("tick"); }); };
    w.input->answers = {"12"};
    w->bt_1_x.press();
    EXPECT_EQ(w.errors->shown, std::vector<std::string>{"tick."});
    EXPECT_EQ(sound::hagen[0].x, 12.0) << "the handler that opened the box went on";
}

TEST(Animation, TicksGoOnWhileTheErrorBoxIsOpen) {
    ScriptedWindow w;
    w->BitBtn1.press();
    w.errors->whileOpen = [&] { w.timer->fire(); };
    w->dispatch([] { throw sound::ProgramError("boom"); });
    EXPECT_EQ(sound::timecount, 1.0);
}

} // namespace
