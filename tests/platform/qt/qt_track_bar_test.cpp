// A track bar shown by Qt: the wheel and the mouse reach the bar's own rules, and the slider
// shows where the bar puts the thumb, with the minimum where the bar says.
#include "form.h"
#include "qt_animation_timer.h"
#include "qt_track_bar.h"

#include <QApplication>
#include <QStyleOptionSlider>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <vector>

namespace {

using platform::Orientation;
using platform::QtTrackBar;

// A bar from `min` to `max` at `start`, 601 pixels long, with its minimum at its start or its
// end, and with a handler that records each
// position it saw.
struct ShownBar {
    ShownBar(Orientation orientation, int min, int max, int start, bool minimumAtStart = true) {
        bar.setOrientation(orientation);
        bar.setMinimumAtStart(minimumAtStart);
        bar.setRange(min, max);
        bar.setPosition(start);
        bar.setLineStep(5);
        bar.setPageStep(15);
        bar.onChange = [this] { seen.push_back(bar.position()); };
        bar.setRepeatTimer(std::make_unique<platform::QtAnimationTimer>());
        slider = std::make_unique<QtTrackBar>(bar, nullptr);
        if (orientation == Orientation::Vertical)
            slider->resize(33, 601);
        else
            slider->resize(601, 33);
        slider->show();
    }

    QRect thumb() const {
        QStyleOptionSlider option;
        option.initFrom(slider.get());
        option.orientation = slider->orientation();
        option.minimum = slider->minimum();
        option.maximum = slider->maximum();
        option.sliderPosition = slider->sliderPosition();
        option.sliderValue = slider->value();
        option.upsideDown = slider->orientation() == Qt::Horizontal ? slider->invertedAppearance()
                                                                    : !slider->invertedAppearance();
        return slider->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle,
                                               slider.get());
    }

    // A point on the track at `fraction` of the way from the bar's start, across its middle.
    QPoint along(double fraction) const {
        const int at = int(fraction * 600);
        return slider->orientation() == Qt::Horizontal ? QPoint(at, thumb().center().y())
                                                       : QPoint(thumb().center().x(), at);
    }

    platform::Form form;
    platform::TrackBar bar{form, "bar"};
    std::unique_ptr<QtTrackBar> slider;
    std::vector<int> seen;
};

void turnWheel(QWidget& widget, QPoint angle) {
    const QPointF at(widget.width() / 2.0, widget.height() / 2.0);
    QWheelEvent event(at, widget.mapToGlobal(at), QPoint(), angle, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&widget, &event);
}

// Turned away from the user, the wheel moves a vertical bar's thumb up, as the Up key does;
// Qt's sideways turns reach the bar with the right as the right.
TEST(QtTrackBar, WheelTurnedAwayMovesAVerticalThumbUp) {
    ShownBar b(Orientation::Vertical, -90, 90, -30);
    const int before = b.thumb().center().y();
    turnWheel(*b.slider, {0, 120});
    EXPECT_EQ(b.bar.position(), -45);
    EXPECT_LT(b.thumb().center().y(), before);
    turnWheel(*b.slider, {0, -120});
    turnWheel(*b.slider, {-120, 0});
    EXPECT_EQ(b.seen, (std::vector<int>{-45, -30, -45}));
}

struct EndRow {
    const char* name;
    Orientation orientation;
    bool minimumAtStart;
};

void PrintTo(const EndRow& row, std::ostream* out) {
    *out << row.name;
}

class QtTrackEnds : public ::testing::TestWithParam<EndRow> {};

// The thumb of a bar at its minimum stands at the end of the slider where the bar says the
// minimum is: the start is the left of a horizontal bar and the top of a vertical one.
TEST_P(QtTrackEnds, ShowTheMinimumWhereTheBarPutsIt) {
    const EndRow& row = GetParam();
    ShownBar b(row.orientation, -90, 90, -90, row.minimumAtStart);
    const QPoint centre = b.thumb().center();
    const int fromStart = row.orientation == Orientation::Horizontal ? centre.x() : centre.y();
    if (row.minimumAtStart) {
        EXPECT_LT(fromStart, 100);
    } else {
        EXPECT_GT(fromStart, 500);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, QtTrackEnds,
    ::testing::Values(EndRow{"vertical_minimum_at_the_top", Orientation::Vertical, true},
                      EndRow{"vertical_minimum_at_the_bottom", Orientation::Vertical, false},
                      EndRow{"horizontal_minimum_on_the_left", Orientation::Horizontal, true},
                      EndRow{"horizontal_minimum_on_the_right", Orientation::Horizontal, false}),
    [](const auto& info) { return info.param.name; });

struct PressRow {
    const char* name;
    Orientation orientation;
    double fraction; // where on the track, from the bar's start
    int position;    // where the thumb goes from -30
};

void PrintTo(const PressRow& row, std::ostream* out) {
    *out << row.name;
}

class QtTrackPress : public ::testing::TestWithParam<PressRow> {};

// A press on the track away from the thumb moves it a page towards the pointer, once.
TEST_P(QtTrackPress, PagesTowardsThePointer) {
    const PressRow& row = GetParam();
    ShownBar b(row.orientation, -90, 90, -30);
    const QPoint at = b.along(row.fraction);
    ASSERT_FALSE(b.thumb().contains(at));
    QTest::mousePress(b.slider.get(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(b.slider.get(), Qt::LeftButton, {}, at);
    EXPECT_EQ(b.bar.position(), row.position);
    EXPECT_EQ(b.slider->value(), row.position);
    EXPECT_EQ(b.seen, std::vector<int>{row.position});
}

INSTANTIATE_TEST_SUITE_P(
    Rows, QtTrackPress,
    ::testing::Values(PressRow{"above_a_vertical_thumb", Orientation::Vertical, 0.05, -45},
                      PressRow{"below_a_vertical_thumb", Orientation::Vertical, 0.95, -15},
                      PressRow{"left_of_a_horizontal_thumb", Orientation::Horizontal, 0.05, -45},
                      PressRow{"right_of_a_horizontal_thumb", Orientation::Horizontal, 0.95, -15}),
    [](const auto& info) { return info.param.name; });

// Held down, the press pages on towards the pointer as it moves, and no further.
TEST(QtTrackBar, AHeldPressPagesOnUntilTheThumbReachesThePointer) {
    ShownBar b(Orientation::Vertical, -90, 90, -30);
    QTest::mousePress(b.slider.get(), Qt::LeftButton, {}, b.along(0.95));
    // Moved back to where position 10 lies, before the first repeat.
    QTest::mouseMove(b.slider.get(), b.along(100.0 / 180));
    EXPECT_TRUE(QTest::qWaitFor([&b] { return b.bar.position() == 15; }, 10000));
    QTest::mouseRelease(b.slider.get(), Qt::LeftButton, {}, b.along(100.0 / 180));
    EXPECT_EQ(b.seen, (std::vector<int>{-15, 0, 15}));
}

TEST(QtTrackBar, PressingAndReleasingTheThumbRunsTheHandlerWithoutMovingIt) {
    ShownBar b(Orientation::Vertical, -90, 90, -30);
    const QPoint thumb = b.thumb().center();
    QTest::mousePress(b.slider.get(), Qt::LeftButton, {}, thumb);
    QTest::mouseRelease(b.slider.get(), Qt::LeftButton, {}, thumb);
    EXPECT_EQ(b.bar.position(), -30);
    EXPECT_EQ(b.seen, std::vector<int>{-30});
}

TEST(QtTrackBar, DraggingTheThumbRunsTheHandlerWithEachNewPosition) {
    ShownBar b(Orientation::Horizontal, -180, 180, 30);
    const QPoint thumb = b.thumb().center();
    QTest::mousePress(b.slider.get(), Qt::LeftButton, {}, thumb);
    QTest::mouseMove(b.slider.get(), thumb + QPoint(60, 0));
    const int dragged = b.bar.position();
    QTest::mouseRelease(b.slider.get(), Qt::LeftButton, {}, thumb + QPoint(60, 0));
    EXPECT_GT(dragged, 30);
    EXPECT_EQ(b.slider->value(), dragged);
    ASSERT_FALSE(b.seen.empty());
    EXPECT_EQ(b.seen.front(), dragged);
    EXPECT_EQ(b.seen.back(), dragged);
}

} // namespace
