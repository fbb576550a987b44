// Frames per second of the real window: the interval slider at its shortest tick (20 ms),
// the largest grid and four sources, animated for ten seconds. Run it on a display, for
// instance under Xvfb: xvfb-run -a build/bench/window_fps
#include "qt_application.h"
#include "qt_window.h"
#include "sound.h"
#include "tform1.h"

#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>

int main(int argc, char* argv[]) {
    platform::QtApplication app(argc, argv, kApplicationTitle);
    TForm1 form(app.backend());
    static_cast<platform::QtBackend&>(app.backend()).window()->show();

    form.numpoints.setPosition(50);
    form.fpschanger.setPosition(20);
    const double place[4][2] = {{-150, -100}, {120, -80}, {-60, 140}, {90, 110}};
    for (int k = 0; k < sound::kSourceCount; ++k) {
        sound::hagen[k].x = place[k][0];
        sound::hagen[k].y = place[k][1];
        sound::hagen[k].amp = 2000;
        sound::hagen[k].omega = 9 + k;
    }

    constexpr int kSeconds = 10;
    const double startClock = sound::timecount;
    QElapsedTimer elapsed;
    form.dispatch([&] { form.BitBtn1Click(); });
    elapsed.start();
    QTimer::singleShot(kSeconds * 1000, Qt::PreciseTimer, [&] {
        const double frames = sound::timecount - startClock;
        const double seconds = elapsed.nsecsElapsed() / 1e9;
        std::printf("window n=50, interval 20 ms: %.0f frames in %.2f s, %.1f frames/s "
                    "(the tick allows 50)\n",
                    frames, seconds, frames / seconds);
        QApplication::exit(0);
    });
    return QApplication::exec();
}
