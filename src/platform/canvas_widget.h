#pragma once

#include "pixel_canvas.h"

#include <QWidget>

namespace platform {

// The image control: owns the retained bitmap and shows it. Drawing goes into the
// bitmap; the widget repaints from it when the event loop is next idle, so a frame drawn
// in one handler is always shown whole.
class CanvasWidget : public QWidget {
    Q_OBJECT

public:
    explicit CanvasWidget(QWidget* parent = nullptr);

    PixelCanvas& canvas() { return canvas_; }
    const PixelCanvas& canvas() const { return canvas_; }

    // The bitmap as an image that shares the canvas's pixels.
    QImage image() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    PixelCanvas canvas_;
};

} // namespace platform
