#pragma once

#include "control.h"
#include "layout.h"
#include "track_bar.h"

#include <QSlider>

namespace platform {

// Shows a track bar as a QSlider and hands every key, wheel turn, click and drag to it; the
// track bar decides where the thumb goes and when its handler runs.
class QtTrackBar final : public QSlider, public ViewOf<TrackBar> {
public:
    QtTrackBar(TrackBar& bar, const ControlLayout& layout, QWidget* parent);

    void refresh() override;
    void takeFocus() override { setFocus(); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
};

} // namespace platform
