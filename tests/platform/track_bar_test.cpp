// The track bar rules the window's handlers rely on, driven through real key and mouse
// events where the user is involved.
#include "track_bar.h"

#include <QStyleOptionSlider>
#include <QTest>
#include <gtest/gtest.h>
#include <vector>

namespace {

using platform::TrackBar;

// A bar with a handler that records the position it saw on each call.
struct RecordedBar {
    explicit RecordedBar(Qt::Orientation orientation, int min = -90, int max = 90, int start = -30)
        : bar(orientation) {
        bar.setRange(min, max);
        bar.setPosition(start);
        bar.setLineStep(5);
        bar.setPageStep(15);
        bar.setOnChange([this] { seen.push_back(bar.position()); });
    }
    TrackBar bar;
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
    RecordedBar b(Qt::Vertical, -90, 90, c.start);
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
    TrackBar bar(Qt::Horizontal);
    bar.setRange(-180, 180);
    bar.setPosition(30);
    int calls = 0;
    bar.setOnChange([&] { ++calls; });
    EXPECT_EQ(bar.position(), 30);
    EXPECT_EQ(calls, 0);
}

struct KeyCase {
    const char* name;
    Qt::Orientation orientation;
    int start;
    Qt::Key key;
    int position;
};

class TrackBarKeys : public ::testing::TestWithParam<KeyCase> {};

// Every key press is a notification: the handler runs once and sees the new position,
// also when the thumb is already at the end it is pushed towards.
TEST_P(TrackBarKeys, MoveTheThumbInScreenTermsAndAlwaysRunTheHandler) {
    const KeyCase& c = GetParam();
    RecordedBar b(c.orientation, -90, 90, c.start);
    QTest::keyClick(&b.bar, c.key);
    EXPECT_EQ(b.bar.position(), c.position);
    EXPECT_EQ(b.seen, std::vector<int>{c.position});
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TrackBarKeys,
    ::testing::Values(
        // Vertical: the minimum is at the top, so Down goes towards the maximum.
        KeyCase{"vertical_down_adds_line", Qt::Vertical, -30, Qt::Key_Down, -25},
        KeyCase{"vertical_up_subtracts_line", Qt::Vertical, -30, Qt::Key_Up, -35},
        KeyCase{"vertical_page_down_adds_page", Qt::Vertical, -30, Qt::Key_PageDown, -15},
        KeyCase{"vertical_page_up_subtracts_page", Qt::Vertical, -30, Qt::Key_PageUp, -45},
        KeyCase{"vertical_right_adds_line", Qt::Vertical, -30, Qt::Key_Right, -25},
        KeyCase{"vertical_left_subtracts_line", Qt::Vertical, -30, Qt::Key_Left, -35},
        KeyCase{"home_goes_to_min", Qt::Vertical, -30, Qt::Key_Home, -90},
        KeyCase{"end_goes_to_max", Qt::Vertical, -30, Qt::Key_End, 90},
        KeyCase{"horizontal_right_adds_line", Qt::Horizontal, 30, Qt::Key_Right, 35},
        KeyCase{"horizontal_left_subtracts_line", Qt::Horizontal, 30, Qt::Key_Left, 25},
        KeyCase{"horizontal_page_down_adds_page", Qt::Horizontal, 30, Qt::Key_PageDown, 45},
        // The thumb stays but the user acted, so the handler still runs.
        KeyCase{"down_at_max_stays", Qt::Vertical, 90, Qt::Key_Down, 90},
        KeyCase{"up_at_min_stays", Qt::Vertical, -90, Qt::Key_Up, -90},
        KeyCase{"home_at_min_stays", Qt::Horizontal, -90, Qt::Key_Home, -90}),
    [](const auto& info) { return info.param.name; });

TEST(TrackBar, LineStepZeroLeavesTheThumbButStillRunsTheHandler) {
    RecordedBar b(Qt::Vertical, 20, 1000, 200);
    b.bar.setLineStep(0);
    QTest::keyClick(&b.bar, Qt::Key_Down);
    QTest::keyClick(&b.bar, Qt::Key_Up);
    EXPECT_EQ(b.bar.position(), 200);
    EXPECT_EQ(b.seen, (std::vector<int>{200, 200}));
}

QRect handleRect(TrackBar& bar) {
    QStyleOptionSlider option;
    option.initFrom(&bar);
    option.orientation = bar.orientation();
    option.minimum = bar.minimum();
    option.maximum = bar.maximum();
    option.sliderPosition = bar.sliderPosition();
    option.sliderValue = bar.value();
    option.upsideDown = bar.orientation() == Qt::Horizontal
                            ? bar.invertedAppearance() != (bar.layoutDirection() == Qt::RightToLeft)
                            : !bar.invertedAppearance();
    option.tickPosition = bar.tickPosition();
    option.tickInterval = bar.tickInterval();
    option.subControls = QStyle::SC_SliderHandle;
    return bar.style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, &bar);
}

TEST(TrackBar, VerticalBarHasItsMinimumAtTheTopAndHorizontalAtTheLeft) {
    RecordedBar vertical(Qt::Vertical);
    vertical.bar.resize(33, 601);
    vertical.bar.setPosition(-90);
    const QRect atMinV = handleRect(vertical.bar);
    vertical.bar.setPosition(90);
    const QRect atMaxV = handleRect(vertical.bar);
    EXPECT_LT(atMinV.center().y(), 100);
    EXPECT_GT(atMaxV.center().y(), 500);

    RecordedBar horizontal(Qt::Horizontal);
    horizontal.bar.resize(601, 33);
    horizontal.bar.setPosition(-90);
    const QRect atMinH = handleRect(horizontal.bar);
    horizontal.bar.setPosition(90);
    const QRect atMaxH = handleRect(horizontal.bar);
    EXPECT_LT(atMinH.center().x(), 100);
    EXPECT_GT(atMaxH.center().x(), 500);
}

TEST(TrackBar, ClickOnTheTrackBelowTheThumbPagesTowardsTheMaximum) {
    RecordedBar b(Qt::Vertical);
    b.bar.resize(33, 601);
    b.bar.show();
    const QRect handle = handleRect(b.bar);
    QTest::mouseClick(&b.bar, Qt::LeftButton, {}, QPoint(handle.center().x(), 560));
    EXPECT_EQ(b.bar.position(), -15);
    EXPECT_EQ(b.seen, std::vector<int>{-15});
}

TEST(TrackBar, PressingAndReleasingTheThumbRunsTheHandlerWithoutMovingIt) {
    RecordedBar b(Qt::Vertical);
    b.bar.resize(33, 601);
    b.bar.show();
    const QPoint thumb = handleRect(b.bar).center();
    QTest::mousePress(&b.bar, Qt::LeftButton, {}, thumb);
    QTest::mouseRelease(&b.bar, Qt::LeftButton, {}, thumb);
    EXPECT_EQ(b.bar.position(), -30);
    ASSERT_FALSE(b.seen.empty());
    EXPECT_EQ(b.seen.back(), -30);
}

TEST(TrackBar, DraggingTheThumbRunsTheHandlerWithEachNewPosition) {
    RecordedBar b(Qt::Horizontal, -180, 180, 30);
    b.bar.resize(601, 33);
    b.bar.show();
    const QPoint thumb = handleRect(b.bar).center();
    QTest::mousePress(&b.bar, Qt::LeftButton, {}, thumb);
    QTest::mouseMove(&b.bar, thumb + QPoint(60, 0));
    const int dragged = b.bar.position();
    QTest::mouseRelease(&b.bar, Qt::LeftButton, {}, thumb + QPoint(60, 0));
    EXPECT_GT(dragged, 30);
    ASSERT_FALSE(b.seen.empty());
    EXPECT_EQ(b.seen.front(), dragged);
    EXPECT_EQ(b.seen.back(), dragged);
}

} // namespace
