#pragma once

#include "image.h"
#include "qt_control_view.h"

#include <QImage>
#include <QWidget>

namespace platform {

// Shows an image control's bitmap. Drawing goes into the bitmap; the widget repaints from it
// when the event loop is next idle, so a frame drawn in one handler is always shown whole.
class QtImage final : public QtView<QWidget, Image> {
public:
    QtImage(Image& image, QWidget* parent);

    void refresh() override { update(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The bitmap as an image that shares the canvas's pixels.
    QImage image() const;
};

} // namespace platform
