#include "qt_track_bar.h"

#include "qt_keys.h"

#include <QWheelEvent>

namespace platform {

QtTrackBar::QtTrackBar(TrackBar& bar, const ControlLayout& layout, QWidget* parent)
    : QSlider(layout.orientation == Orientation::Vertical ? Qt::Vertical : Qt::Horizontal, parent),
      ViewOf(bar) {
    // A vertical QSlider has its minimum at the bottom; turning the picture upside down puts
    // it at the top, next to the label that names the small end.
    setInvertedAppearance(layout.orientation == Orientation::Vertical);
    if (layout.tickInterval > 0) {
        // Below a horizontal bar, to the right of a vertical one.
        setTickPosition(QSlider::TicksBelow);
        setTickInterval(layout.tickInterval);
    } else {
        setTickPosition(QSlider::NoTicks);
    }
    // A click on the track or a drag moves QSlider's own thumb first; the track bar then
    // takes the position as the user's choice.
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
    setRange(bar.min(), bar.max());
    setValue(bar.position());
    setSingleStep(bar.lineStep());
    setPageStep(bar.pageStep());
    setEnabled(bar.enabled());
    setVisible(bar.visible());
}

void QtTrackBar::keyPressEvent(QKeyEvent* event) {
    if (control() != nullptr && control()->keyPress(toKey(*event))) {
        event->accept();
        return;
    }
    QSlider::keyPressEvent(event);
}

void QtTrackBar::wheelEvent(QWheelEvent* event) {
    if (control() == nullptr)
        return;
    // A wheel that turns sideways moves a bar as one that turns away from the user.
    const QPoint delta = event->angleDelta();
    const int turned = delta.y() != 0 ? delta.y() : -delta.x();
    control()->wheel(turned / 120.0);
    event->accept();
}

} // namespace platform
