#include <QApplication>
#include <QWidget>
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
    QApplication::setApplicationName(QStringLiteral("Ondulix-K"));
    QWidget window;
    window.setWindowTitle(QStringLiteral("Ondulix-K"));
    window.show();
    return app.exec();
}
