#include "window_icon.h"

#include <QPainter>
#include <QPixmap>

QIcon makeWindowIcon() {
    QPixmap pixmap(32, 32);
    pixmap.fill(QColor(0, 0, 128));
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing, false);

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
    return QIcon(pixmap);
}
