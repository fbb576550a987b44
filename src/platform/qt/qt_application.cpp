#include "qt_application.h"

#include "form.h"
#include "qt_window.h"
#include "translation.h"

#include <QTimer>
#include <cstdio>
#include <cstdlib>

namespace platform {

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

QtApplication::QtApplication(int argc, char* argv[], const std::string& title)
    : argc_(argc), application_(argc_, argv) {
    // The layout was made for classic controls: group captions sit on the frame line and
    // a group's first row starts right under it. Qt's classic style keeps it that way.
    QApplication::setStyle(QStringLiteral("windows"));
    QApplication::setApplicationName(QString::fromStdString(title));
}

int QtApplication::run(std::unique_ptr<Form> mainWindow, std::function<void()> whenShown) {
    backend_.window()->show();
    if (whenShown)
        QTimer::singleShot(0, std::move(whenShown));
    QApplication::exec();
    // Quit and the close box both end the loop with 0, and nothing is saved on the way out.
    mainWindow.reset();
    return 0;
}

std::vector<std::string> preferredLanguages() {
    return sound::localePreferences(std::getenv);
}

std::unique_ptr<Application> startApplication(int argc, char* argv[], const std::string& title) {
    if (displayMissing()) {
        // Named as it was started, which is right both in the build tree and installed.
        std::fputs(sound::tr("ondulix-k: ディスプレイが見つかりません。Xvfb の下で動かすには: "
                             "xvfb-run -a %s\n",
                             {argc > 0 ? argv[0] : "ondulix-k"})
                       .c_str(),
                   stderr);
        return nullptr;
    }
    return std::make_unique<QtApplication>(argc, argv, title);
}

} // namespace platform
