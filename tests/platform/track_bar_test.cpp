// The track bar rules the window's handlers rely on: what setting the position does, and
// what each action of the user does.
#include "form.h"
#include "headless_timer.h"
#include "track_bar.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

using platform::TrackBar;

using platform::Key;
using platform::Orientation;

// A bar with a handler that records the position it saw on each call.
struct RecordedBar {
    explicit RecordedBar(int min = -90, int max = 90, int start = -30) {
        bar.setRange(min, max);
        bar.setPosition(start);
        bar.setLineStep(5);
        bar.setPageStep(15);
        bar.onChange = [this] { seen.push_back(bar.position()); };
    }
    platform::Form form;
    TrackBar bar{form, "bar"};
    std::vector<int> seen;
};

struct SetCase {
    const char* name;
    int start;
    int set;
    int position;
    std::vector<int> seen;
};

class TrackBarSetPosition : public ::testing::TestWithParam<SetCase> {};

TEST_P(TrackBarSetPosition, ClampsAndRunsTheHandlerInsideTheSetterOnlyOnAChange) {
    const SetCase& c = GetParam();
    RecordedBar b(-90, 90, c.start);
    b.bar.setPosition(c.set);
    EXPECT_EQ(b.bar.position(), c.position);
    EXPECT_EQ(b.seen, c.seen);
}

INSTANTIATE_TEST_SUITE_P(Rows, TrackBarSetPosition,
                         ::testing::Values(SetCase{"inside_range", -30, 45, 45, {45}},
                                           SetCase{"same_position", -30, -30, -30, {}},
                                           SetCase{"above_max_clamps", -30, 120, 90, {90}},
                                           SetCase{"above_max_at_max", 90, 120, 90, {}},
                                           SetCase{"below_min_clamps", 0, -500, -90, {-90}},
                                           SetCase{"below_min_at_min", -90, -91, -90, {}}),
                         [](const auto& info) { return info.param.name; });

TEST(TrackBar, NoHandlerRunsBeforeOneIsAttached) {
    platform::Form form;
    TrackBar bar(form, "bar");
    bar.setRange(-180, 180);
    bar.setPosition(30);
    int calls = 0;
    bar.onChange = [&] { ++calls; };
    EXPECT_EQ(bar.position(), 30);
    EXPECT_EQ(calls, 0);
}

struct KeyCase {
    const char* name;
    int start;
    Key key;
    int position;
};

class TrackBarKeys : public ::testing::TestWithParam<KeyCase> {};

// Every key press is a notification: the handler runs once and sees the new position,
// also when the thumb is already at the end it is pushed towards. The keys mean the same on a
// bar of either orientation: Down and Right go towards the maximum, which is at the bottom of
// a vertical bar.
TEST_P(TrackBarKeys, MoveTheThumbTheSameWayInEitherOrientationAndAlwaysRunTheHandler) {
    const KeyCase& c = GetParam();
    for (const Orientation orientation : {Orientation::Horizontal, Orientation::Vertical}) {
        RecordedBar b(-90, 90, c.start);
        b.bar.setOrientation(orientation);
        b.seen.clear();
        EXPECT_TRUE(b.bar.keyPress(c.key));
        EXPECT_EQ(b.bar.position(), c.position) << int(orientation);
        EXPECT_EQ(b.seen, std::vector<int>{c.position}) << int(orientation);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TrackBarKeys,
    ::testing::Values(KeyCase{"down_adds_line", -30, Key::Down, -25},
                      KeyCase{"up_subtracts_line", -30, Key::Up, -35},
                      KeyCase{"right_adds_line", -30, Key::Right, -25},
                      KeyCase{"left_subtracts_line", -30, Key::Left, -35},
                      KeyCase{"page_down_adds_page", -30, Key::PageDown, -15},
                      KeyCase{"page_up_subtracts_page", -30, Key::PageUp, -45},
                      KeyCase{"home_goes_to_min", -30, Key::Home, -90},
                      KeyCase{"end_goes_to_max", -30, Key::End, 90},
                      // The thumb stays but the user acted, so the handler still runs.
                      KeyCase{"down_at_max_stays", 90, Key::Down, 90},
                      KeyCase{"up_at_min_stays", -90, Key::Up, -90},
                      KeyCase{"home_at_min_stays", -90, Key::Home, -90}),
    [](const auto& info) { return info.param.name; });

TEST(TrackBar, LineStepZeroLeavesTheThumbButStillRunsTheHandler) {
    RecordedBar b(20, 1000, 200);
    b.bar.setLineStep(0);
    b.bar.keyPress(Key::Down);
    b.bar.keyPress(Key::Up);
    EXPECT_EQ(b.bar.position(), 200);
    EXPECT_EQ(b.seen, (std::vector<int>{200, 200}));
}

TEST(TrackBar, KeysOfNoMeaningToTheBarAreLeftToTheToolkit) {
    RecordedBar b;
    EXPECT_FALSE(b.bar.keyPress(Key::Enter));
    EXPECT_FALSE(b.bar.keyPress(Key::Other));
    EXPECT_TRUE(b.seen.empty());
}

struct WheelCase {
    const char* name;
    // Turns as {away from the user, to the right}.
    std::vector<std::pair<double, double>> notches;
    int position;
    std::vector<int> seen;
};

class TrackBarWheel : public ::testing::TestWithParam<WheelCase> {};

// The wheel moves the thumb the way the arrow keys do on screen: turned away from the user
// it goes where Up goes, three line steps a notch and never more than a page at a time; a
// wheel turned only sideways counts as turned away when it turns to the right.
TEST_P(TrackBarWheel, MovesLikeTheArrowKeys) {
    const WheelCase& c = GetParam();
    RecordedBar b(-90, 90, -30);
    for (const auto& [away, right] : c.notches)
        b.bar.wheel(away, right);
    EXPECT_EQ(b.bar.position(), c.position);
    EXPECT_EQ(b.seen, c.seen);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TrackBarWheel,
    ::testing::Values(WheelCase{"away_goes_up", {{1, 0}}, -45, {-45}},
                      WheelCase{"back_goes_down", {{-1, 0}}, -15, {-15}},
                      WheelCase{"right_counts_as_away", {{0, 1}}, -45, {-45}},
                      WheelCase{"away_wins_over_sideways", {{-1, 1}}, -15, {-15}},
                      WheelCase{"never_more_than_a_page", {{3, 0}}, -45, {-45}},
                      WheelCase{"parts_add_up_to_a_step", {{0.05, 0}, {0, 0.05}}, -31, {-31}},
                      WheelCase{"at_the_end_it_still_notifies",
                                {{10, 0}, {10, 0}, {10, 0}, {10, 0}, {1, 0}},
                                -90,
                                {-45, -60, -75, -90, -90}}),
    [](const auto& info) { return info.param.name; });

struct PageCase {
    const char* name;
    platform::Orientation orientation;
    bool minimumAtStart;
    // Where the pointer is, as a fraction of the way from the bar's start (left or top): at the
    // press, then before each tick of the repeat timer while the press lasts.
    std::vector<double> pointer;
    std::vector<int> seen;
};

class TrackBarPaging : public ::testing::TestWithParam<PageCase> {};

// A bar whose repeat timer the test ticks by hand.
struct RepeatingBar : RecordedBar {
    RepeatingBar() {
        auto owned = std::make_unique<platform::HeadlessTimer>();
        timer = owned.get();
        bar.setRepeatTimer(std::move(owned));
    }
    platform::HeadlessTimer* timer;
};

// A press on the track pages towards the pointer, again on each repeat, until the thumb reaches
// or passes the pointer; it never turns back within one press. The first repeat comes after
// the longer delay, the rest at the repeat period, and the timer stops when the paging does.
TEST_P(TrackBarPaging, MovesAPageTowardsThePointerUntilItGetsThere) {
    const PageCase& c = GetParam();
    RepeatingBar b;
    b.bar.setOrientation(c.orientation);
    b.bar.setMinimumAtStart(c.minimumAtStart);
    EXPECT_TRUE(b.bar.pressTrack(b.bar.positionAt(c.pointer.front())));
    EXPECT_EQ(b.timer->period, TrackBar::kPageRepeatDelay);
    for (std::size_t i = 1; i < c.pointer.size(); ++i) {
        b.bar.pointerMoved(b.bar.positionAt(c.pointer[i]));
        ASSERT_TRUE(b.timer->fire()) << "repeat " << i << " stopped early";
        if (b.timer->ticking) {
            EXPECT_EQ(b.timer->period, TrackBar::kPageRepeatInterval);
        }
    }
    EXPECT_EQ(b.seen, c.seen);
    EXPECT_FALSE(b.timer->ticking) << "every row ends where the paging stops";
}

using platform::Orientation;

INSTANTIATE_TEST_SUITE_P(
    Rows, TrackBarPaging,
    ::testing::Values(
        // -30 stands a third of the way down; 0.1 of the way is -72, 0.2 is -54, 0.4 is -18, 0.6 is
        // 18; turned round, 0.45 is 9.
        PageCase{"vertical_above_the_thumb",
                 Orientation::Vertical,
                 true,
                 {0.1, 0.1, 0.1, 0.1},
                 {-45, -60, -75}},
        PageCase{"vertical_below_the_thumb",
                 Orientation::Vertical,
                 true,
                 {0.6, 0.6, 0.6, 0.6, 0.6},
                 {-15, 0, 15, 30}},
        PageCase{"horizontal_left_of_the_thumb",
                 Orientation::Horizontal,
                 true,
                 {0.2, 0.2, 0.2},
                 {-45, -60}},
        PageCase{"horizontal_right_of_the_thumb", Orientation::Horizontal, true, {0.4, 0.4}, {-15}},
        // Turned round, the bar's start holds the maximum: a press towards it pages upwards.
        PageCase{"turned_round_near_the_start",
                 Orientation::Vertical,
                 false,
                 {0.45, 0.45, 0.45, 0.45},
                 {-15, 0, 15}},
        PageCase{"pointer_moved_back_behind_the_thumb",
                 Orientation::Horizontal,
                 true,
                 {0.6, 0.0},
                 {-15}}),
    [](const auto& info) { return info.param.name; });

TEST(TrackBar, PlacesThumbAndTicksFromTheEndThatHoldsTheMinimum) {
    RecordedBar b(-90, 90, -30);
    b.bar.setTickInterval(45);
    EXPECT_DOUBLE_EQ(b.bar.fractionOf(-90), 0);
    EXPECT_DOUBLE_EQ(b.bar.fractionOf(-30), 1.0 / 3);
    EXPECT_EQ(b.bar.tickFractions(), (std::vector<double>{0, 0.25, 0.5, 0.75, 1}));
    EXPECT_EQ(b.bar.positionAt(0.5), 0);
    EXPECT_EQ(b.bar.positionAt(-1), -90) << "a pointer beyond the bar means its end";
    b.bar.setMinimumAtStart(false);
    EXPECT_DOUBLE_EQ(b.bar.fractionOf(-90), 1);
    EXPECT_EQ(b.bar.positionAt(0), 90);
    EXPECT_TRUE(b.bar.keyPress(Key::Up));
    EXPECT_EQ(b.bar.position(), -25) << "Up still moves the thumb up the screen";
}

TEST(TrackBar, APressOnTheThumbItselfPagesNowhere) {
    RepeatingBar b;
    EXPECT_FALSE(b.bar.pressTrack(b.bar.position()));
    b.bar.pointerMoved(b.bar.position() + 50);
    EXPECT_FALSE(b.timer->ticking);
    EXPECT_TRUE(b.seen.empty());
}

// Letting go ends the repeats at once and is no notification; a timer the system refuses
// costs the repeats, never the press's own page.
TEST(TrackBar, LettingGoOrARefusedTimerStopsTheRepeats) {
    RepeatingBar b;
    EXPECT_TRUE(b.bar.pressTrack(90));
    b.bar.release();
    EXPECT_FALSE(b.timer->ticking);
    EXPECT_FALSE(b.bar.pressingTrack());
    b.timer->refuse = true;
    EXPECT_TRUE(b.bar.pressTrack(90));
    EXPECT_FALSE(b.timer->ticking);
    b.bar.release();
    EXPECT_EQ(b.seen, (std::vector<int>{-15, 0}));
}

} // namespace
