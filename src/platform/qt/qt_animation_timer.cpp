#include "qt_animation_timer.h"

namespace platform {

QtAnimationTimer::QtAnimationTimer() {
    // A coarse timer may stretch a period by 5 %; the interval slider asks for exact ones.
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] { tick(); });
}

bool QtAnimationTimer::startTicking(int milliseconds) {
    timer_.start(milliseconds);
    // QObject::startTimer answers 0 instead of a timer id when the event dispatcher
    // cannot provide a timer; QTimer keeps that 0 as its id.
    return timer_.timerId() > 0;
}

void QtAnimationTimer::stopTicking() {
    timer_.stop();
}

} // namespace platform
