// A track bar shown by Qt: real key, wheel and mouse events reach the bar's own rules, and the
// slider shows where the bar puts the thumb.
#include "form.h"
#include "qt_track_bar.h"

#include <QStyleOptionSlider>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>
#include <vector>

namespace {

using platform::QtTrackBar;

// A bar on a slider of the given size, with a handler that records each position it saw.
struct ShownBar {
    ShownBar(platform::Orientation orientation, int min, int max, int start) {
        bar.setRange(min, max);
        bar.setPosition(start);
        bar.setLineStep(5);
        bar.setPageStep(15);
        bar.onChange = [this] { seen.push_back(bar.position()); };
        platform::ControlLayout row;
        row.orientation = orientation;
        slider = std::make_unique<QtTrackBar>(bar, row, nullptr);
        if (orientation == platform::Orientation::Vertical)
            slider->resize(33, 601);
        else
            slider->resize(601, 33);
        slider->show();
    }
    platform::Form form;
    platform::TrackBar bar{form, "bar"};
    std::unique_ptr<QtTrackBar> slider;
    std::vector<int> seen;
};

QRect handleRect(QtTrackBar& bar) {
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

void turnWheel(QWidget& widget, int angle) {
    const QPointF at(widget.width() / 2.0, widget.height() / 2.0);
    QWheelEvent event(at, widget.mapToGlobal(at), QPoint(), QPoint(0, angle), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&widget, &event);
}

TEST(QtTrackBar, KeysReachTheBarAndTheSliderFollows) {
    ShownBar b(platform::Orientation::Vertical, -90, 90, -30);
    QTest::keyClick(b.slider.get(), Qt::Key_Down);
    EXPECT_EQ(b.bar.position(), -25);
    EXPECT_EQ(b.slider->value(), -25);
    QTest::keyClick(b.slider.get(), Qt::Key_PageUp);
    EXPECT_EQ(b.seen, (std::vector<int>{-25, -40}));
}

// Turned away from the user, the wheel moves a vertical bar's thumb up, as the Up key does.
TEST(QtTrackBar, WheelTurnedAwayMovesAVerticalThumbUp) {
    ShownBar b(platform::Orientation::Vertical, -90, 90, -30);
    const int before = handleRect(*b.slider).center().y();
    turnWheel(*b.slider, 120);
    EXPECT_EQ(b.bar.position(), -45);
    EXPECT_LT(handleRect(*b.slider).center().y(), before);
    turnWheel(*b.slider, -120);
    EXPECT_EQ(b.seen, (std::vector<int>{-45, -30}));
}

TEST(QtTrackBar, VerticalBarHasItsMinimumAtTheTopAndHorizontalAtTheLeft) {
    ShownBar vertical(platform::Orientation::Vertical, -90, 90, -90);
    const QRect atMinV = handleRect(*vertical.slider);
    vertical.bar.setPosition(90);
    const QRect atMaxV = handleRect(*vertical.slider);
    EXPECT_LT(atMinV.center().y(), 100);
    EXPECT_GT(atMaxV.center().y(), 500);

    ShownBar horizontal(platform::Orientation::Horizontal, -90, 90, -90);
    const QRect atMinH = handleRect(*horizontal.slider);
    horizontal.bar.setPosition(90);
    const QRect atMaxH = handleRect(*horizontal.slider);
    EXPECT_LT(atMinH.center().x(), 100);
    EXPECT_GT(atMaxH.center().x(), 500);
}

TEST(QtTrackBar, ClickOnTheTrackBelowTheThumbPagesTowardsTheMaximum) {
    ShownBar b(platform::Orientation::Vertical, -90, 90, -30);
    const QRect handle = handleRect(*b.slider);
    QTest::mouseClick(b.slider.get(), Qt::LeftButton, {}, QPoint(handle.center().x(), 560));
    EXPECT_EQ(b.bar.position(), -15);
    EXPECT_EQ(b.seen, std::vector<int>{-15});
}

TEST(QtTrackBar, PressingAndReleasingTheThumbRunsTheHandlerWithoutMovingIt) {
    ShownBar b(platform::Orientation::Vertical, -90, 90, -30);
    const QPoint thumb = handleRect(*b.slider).center();
    QTest::mousePress(b.slider.get(), Qt::LeftButton, {}, thumb);
    QTest::mouseRelease(b.slider.get(), Qt::LeftButton, {}, thumb);
    EXPECT_EQ(b.bar.position(), -30);
    ASSERT_FALSE(b.seen.empty());
    EXPECT_EQ(b.seen.back(), -30);
}

TEST(QtTrackBar, DraggingTheThumbRunsTheHandlerWithEachNewPosition) {
    ShownBar b(platform::Orientation::Horizontal, -180, 180, 30);
    const QPoint thumb = handleRect(*b.slider).center();
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
