#include "window_icon.h"

#include <QPainter>
#include <QPixmap>

QImage paintWindowIcon(int size) {
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(QColor(kWindowIconBackground));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (size != kWindowIconDesignSize) {
        // A scaled ring no longer falls on whole pixels, so its edges are blended. Unblended,
        // a one-pixel outline fills the pixel right of and below its line, which puts the
        // design's pixel centres half a pixel along.
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.scale(double(size) / kWindowIconDesignSize, double(size) / kWindowIconDesignSize);
        painter.translate(0.5, 0.5);
    }

    // Rings of the first source (lime, lower left) and the second (fuchsia, lower right).
    const QPoint lime(9, 22);
    const QPoint fuchsia(23, 22);
    painter.setBrush(Qt::NoBrush);
    for (int r = 4; r <= 16; r += 4) {
        painter.setPen(QColor(0, 255, 0));
        painter.drawEllipse(lime, r, r);
        painter.setPen(QColor(255, 0, 255));
        painter.drawEllipse(fuchsia, r, r);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255));
    painter.drawEllipse(lime, 2, 2);
    painter.drawEllipse(fuchsia, 2, 2);
    painter.setPen(QColor(255, 255, 255));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(0, 0, 31, 31);
    painter.end();
    return image;
}

QIcon makeWindowIcon() {
    return QIcon(QPixmap::fromImage(paintWindowIcon(kWindowIconDesignSize)));
}
