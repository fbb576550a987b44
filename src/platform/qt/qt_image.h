#pragma once

#include "control.h"
#include "image.h"

#include <QImage>
#include <QWidget>

namespace platform {

// Shows an image control's bitmap. Drawing goes into the bitmap; the widget repaints from it
// when the event loop is next idle, so a frame drawn in one handler is always shown whole.
class QtImage final : public QWidget, public ViewOf<Image> {
public:
    QtImage(Image& image, QWidget* parent);

    // The bitmap as an image that shares the canvas's pixels; a null image once the control
    // is gone.
    QImage image() const;

    void refresh() override { update(); }
    void takeFocus() override { setFocus(); }

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace platform
