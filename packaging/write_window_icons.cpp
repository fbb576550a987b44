// write_window_icons OUTDIR SIZE...: writes the program's icon at each size as
// OUTDIR/<size>x<size>/apps/ondulix-k.png, the layout of the desktop's hicolor icon theme,
// so the installed icons are the window's own picture.
#include "qt_icon_image.h"
#include "window_icon.h"

#include <QDir>
#include <QString>
#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fputs("usage: write_window_icons OUTDIR SIZE...\n", stderr);
        return 2;
    }
    const QString outDir = QString::fromLocal8Bit(argv[1]);
    for (int i = 2; i < argc; ++i) {
        bool isNumber = false;
        const int size = QString::fromLocal8Bit(argv[i]).toInt(&isNumber);
        if (!isNumber || size < 1 || size > 1024) {
            std::fprintf(stderr, "write_window_icons: not an icon size: '%s'\n", argv[i]);
            return 2;
        }
        const QString dir = QStringLiteral("%1/%2x%2/apps").arg(outDir).arg(size);
        const QString path = dir + QStringLiteral("/ondulix-k.png");
        if (!QDir().mkpath(dir) || !iconImage(size, paintWindowIcon(size)).save(path, "PNG")) {
            std::fprintf(stderr, "write_window_icons: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
