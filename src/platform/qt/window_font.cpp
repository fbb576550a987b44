#include "window_font.h"

#include <QFontDatabase>

QFont windowFont(int pixelSize) {
    static const QString family = [] {
        const QString designed = QStringLiteral("ＭＳ Ｐゴシック");
        return QFontDatabase::hasFamily(designed) ? designed : QStringLiteral("Noto Sans CJK JP");
    }();
    QFont font(family);
    font.setPixelSize(pixelSize);
    return font;
}
