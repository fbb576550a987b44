#include "qt_track_bar.h"

#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QWheelEvent>

namespace platform {

QtTrackBar::QtTrackBar(TrackBar& bar, QWidget* parent) : QtView(bar, parent) {
    // A drag moves QSlider's own thumb first; the track bar then takes the position as the
    // user's choice.
    connect(this, &QAbstractSlider::actionTriggered, this, [this] {
        if (control() != nullptr)
            control()->moveTo(sliderPosition());
    });
    // Letting go of the thumb is a notification of its own, even when it did not move.
    connect(this, &QAbstractSlider::sliderReleased, this, [this] {
        if (control() != nullptr)
            control()->release();
    });
    attachToControl();
}

void QtTrackBar::refresh() {
    const TrackBar& bar = *control();
    const bool vertical = bar.orientation() == Orientation::Vertical;
    setOrientation(vertical ? Qt::Vertical : Qt::Horizontal);
    // Qt puts a horizontal slider's minimum on the left and a vertical one's at the bottom.
    setInvertedAppearance(vertical == bar.minimumAtStart());
    // Below a horizontal bar, to the right of a vertical one.
    setTickPosition(bar.tickInterval() > 0 ? QSlider::TicksBelow : QSlider::NoTicks);
    setTickInterval(bar.tickInterval());
    setRange(bar.min(), bar.max());
    setValue(bar.position());
    setSingleStep(bar.lineStep());
    setPageStep(bar.pageStep());
    showCommonState(*this, bar);
}

void QtTrackBar::keyPressEvent(QKeyEvent* event) {
    // The form hands the bar its keys; QSlider's own would move the thumb by rules of Qt's.
    event->ignore();
}

void QtTrackBar::wheelEvent(QWheelEvent* event) {
    if (control() == nullptr)
        return;
    // Qt counts a notch as 120, and a turn to the right as negative.
    const QPoint delta = event->angleDelta();
    control()->wheel(delta.y() / 120.0, -delta.x() / 120.0);
    event->accept();
}

void QtTrackBar::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (control() == nullptr || event->button() != Qt::LeftButton || onThumb(at)) {
        QSlider::mousePressEvent(event);
        return;
    }
    event->accept();
    control()->pressTrack(positionAt(at));
}

void QtTrackBar::mouseMoveEvent(QMouseEvent* event) {
    if (control() == nullptr || !control()->pressingTrack()) {
        QSlider::mouseMoveEvent(event);
        return;
    }
    control()->pointerMoved(positionAt(event->position().toPoint()));
    event->accept();
}

void QtTrackBar::mouseReleaseEvent(QMouseEvent* event) {
    if (control() == nullptr || !control()->pressingTrack()) {
        QSlider::mouseReleaseEvent(event);
        return;
    }
    control()->release();
    event->accept();
}

bool QtTrackBar::onThumb(QPoint point) const {
    QStyleOptionSlider option;
    initStyleOption(&option);
    return style()->hitTestComplexControl(QStyle::CC_Slider, &option, point, this) ==
           QStyle::SC_SliderHandle;
}

int QtTrackBar::positionAt(QPoint point) const {
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect groove =
        style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
    const QRect thumb =
        style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    // The thumb's centre runs from half a thumb inside the groove's start to half a thumb
    // inside its end.
    const bool horizontal = orientation() == Qt::Horizontal;
    const int length = horizontal ? thumb.width() : thumb.height();
    const int start = (horizontal ? groove.left() : groove.top()) + length / 2;
    const int span = (horizontal ? groove.width() : groove.height()) - length;
    const int along = (horizontal ? point.x() : point.y()) - start;
    return control()->positionAt(span > 0 ? double(along) / span : 0.0);
}

} // namespace platform
