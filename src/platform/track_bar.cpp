#include "track_bar.h"

#include <QKeyEvent>
#include <algorithm>

namespace platform {

TrackBar::TrackBar(Qt::Orientation orientation, QWidget* parent) : QSlider(orientation, parent) {
    // A vertical QSlider has its minimum at the bottom; turning the picture upside down puts
    // it at the top, next to the label that names the small end.
    setInvertedAppearance(orientation == Qt::Vertical);
    setTickPosition(QSlider::NoTicks);
    // QAbstractSlider announces a user action before it stores the new position; the
    // handler must see the position the action leads to, so it is stored here first.
    connect(this, &QAbstractSlider::actionTriggered, this, [this] { userAction(); });
    // Letting go of the thumb is a notification of its own, even when it did not move.
    connect(this, &QAbstractSlider::sliderReleased, this, [this] { runOnChange(); });
}

void TrackBar::setPosition(int position) {
    const int clamped = std::clamp(position, minimum(), maximum());
    if (clamped == value())
        return;
    setValue(clamped);
    runOnChange();
}

void TrackBar::setTickMarks(int interval) {
    setTickPosition(QSlider::TicksBelow);
    setTickInterval(interval);
}

void TrackBar::keyPressEvent(QKeyEvent* event) {
    SliderAction action = SliderNoAction;
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Left:
        action = SliderSingleStepSub;
        break;
    case Qt::Key_Down:
    case Qt::Key_Right:
        action = SliderSingleStepAdd;
        break;
    case Qt::Key_PageUp:
        action = SliderPageStepSub;
        break;
    case Qt::Key_PageDown:
        action = SliderPageStepAdd;
        break;
    case Qt::Key_Home:
        action = SliderToMinimum;
        break;
    case Qt::Key_End:
        action = SliderToMaximum;
        break;
    default:
        QSlider::keyPressEvent(event);
        return;
    }
    triggerAction(action);
    event->accept();
}

void TrackBar::userAction() {
    setValue(sliderPosition());
    runOnChange();
}

void TrackBar::runOnChange() {
    if (onChange_)
        onChange_();
}

} // namespace platform
