#pragma once

#include "qt_control_view.h"
#include "track_bar.h"

#include <QSlider>

namespace platform {

// Shows a track bar as a QSlider and hands the wheel, presses on the track, drags of the thumb
// and letting go of it to the bar, which decides where the thumb goes and when its handler
// runs. Keys reach the bar through its form.
class QtTrackBar final : public QtView<QSlider, TrackBar> {
public:
    QtTrackBar(TrackBar& bar, QWidget* parent);

    void refresh() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // The position under a point of the widget, as the thumb's centre would stand there.
    int positionAt(QPoint point) const;
    bool onThumb(QPoint point) const;
};

} // namespace platform
