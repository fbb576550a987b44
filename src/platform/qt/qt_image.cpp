#include "qt_image.h"

#include <QPaintEvent>
#include <QPainter>

namespace platform {

QtImage::QtImage(Image& image, QWidget* parent) : QtView(image, parent) {
    setFixedSize(image.canvas().width(), image.canvas().height());
    // Every pixel comes from the bitmap, so Qt need not clear the widget first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Set once: a new frame comes many times a second and changes nothing a screen reader says.
    setAccessibleName(QString::fromStdString(image.accessibleName()));
    attachToControl();
}

QImage QtImage::image() const {
    const PixelCanvas& canvas = control()->canvas();
    // The canvas's bytes R, G, B and an opaque A are what RGBX8888 reads on any host.
    return QImage(reinterpret_cast<const uchar*>(canvas.bits()), canvas.width(), canvas.height(),
                  canvas.width() * 4, QImage::Format_RGBX8888);
}

void QtImage::paintEvent(QPaintEvent* event) {
    if (control() == nullptr)
        return;
    QPainter painter(this);
    painter.drawImage(event->rect(), image(), event->rect());
}

} // namespace platform
