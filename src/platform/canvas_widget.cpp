#include "canvas_widget.h"

#include <QPaintEvent>
#include <QPainter>

namespace platform {

CanvasWidget::CanvasWidget(QWidget* parent) : QWidget(parent) {
    setFixedSize(canvas_.width(), canvas_.height());
    // Every pixel comes from the bitmap, so Qt need not clear the widget first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QImage CanvasWidget::image() const {
    return QImage(reinterpret_cast<const uchar*>(canvas_.bits()), canvas_.width(), canvas_.height(),
                  canvas_.width() * 4, QImage::Format_RGB32);
}

void CanvasWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.drawImage(event->rect(), image(), event->rect());
}

} // namespace platform
