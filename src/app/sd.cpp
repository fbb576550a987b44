#include "tform1.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

namespace {

// Qt's own message for a missing display is several lines about plugins; say it plainly.
bool displayMissing() {
#if defined(Q_OS_LINUX)
    const bool platformChosen = std::getenv("QT_QPA_PLATFORM") != nullptr;
    const bool haveDisplay =
        std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr;
    return !platformChosen && !haveDisplay;
#else
    return false;
#endif
}

} // namespace

int main(int argc, char* argv[]) {
    if (displayMissing()) {
        std::fputs("ondulix-k: no display found; run it under Xvfb with: "
                   "xvfb-run -a bash scripts/start.sh\n",
                   stderr);
        return 1;
    }
    QApplication app(argc, argv);
    // The layout was made for classic controls: group captions sit on the frame line and
    // a group's first row starts right under it. Qt's classic style keeps it that way.
    QApplication::setStyle(QStringLiteral("windows"));
    QApplication::setApplicationName(QString::fromUtf8(kApplicationTitle));
    // The first window is the main one; FormCreate has run before it is shown.
    TForm1 Form1;
    Form1.show();
    app.exec();
    // Quit and the close box both end the loop with 0, and nothing is saved on the way out.
    return 0;
}
