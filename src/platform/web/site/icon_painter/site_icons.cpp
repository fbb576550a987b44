// site_icons OUTDIR: writes the icons of the browser edition's site into OUTDIR, painted by the
// window's own icon painter, so that an installed page and the desktop window show one picture:
//   icon-192.png, icon-512.png        the icon as it is, for the browser and the launcher;
//   maskable-512.png                  the icon inside the circle a launcher may cut it to;
//   apple-touch-icon.png              180 pixels, the size of an iPad's home screen.
#include "qt_icon_image.h"
#include "window_icon.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QString>
#include <cstdio>

namespace {

// A launcher may show only the circle of 40 % of the width around the middle of a maskable
// icon. The largest square inside it is 512 * 0.8 / sqrt(2) = 289.6 pixels wide; 288 is nine
// pixels for each of the design's 32, so every shape stays on whole pixels.
constexpr int kMaskableSize = 512;
constexpr int kMaskableInner = 9 * kWindowIconDesignSize;

QImage paintMaskableIcon() {
    QImage image(kMaskableSize, kMaskableSize, QImage::Format_RGB32);
    image.fill(QColor::fromRgb(kWindowIconBackground));
    QPainter painter(&image);
    const int at = (kMaskableSize - kMaskableInner) / 2;
    painter.drawImage(at, at, iconImage(kMaskableInner, paintWindowIcon(kMaskableInner)));
    return image;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fputs("usage: site_icons OUTDIR\n", stderr);
        return 2;
    }
    const QString outDir = QString::fromLocal8Bit(argv[1]);
    const struct {
        const char* name;
        QImage image;
    } icons[] = {
        {"icon-192.png", iconImage(192, paintWindowIcon(192))},
        {"icon-512.png", iconImage(512, paintWindowIcon(512))},
        {"maskable-512.png", paintMaskableIcon()},
        {"apple-touch-icon.png", iconImage(180, paintWindowIcon(180))},
    };
    for (const auto& icon : icons) {
        const QString path = outDir + QLatin1Char('/') + QLatin1String(icon.name);
        if (!icon.image.save(path, "PNG")) {
            std::fprintf(stderr, "site_icons: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
