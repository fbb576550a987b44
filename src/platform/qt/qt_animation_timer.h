#pragma once

#include "animation_timer.h"

#include <QTimer>

namespace platform {

// The animation timer on a QTimer. Qt delivers its ticks from the GUI thread's event
// loop, nested loops of modal boxes included, and drops ticks that fall due while the
// thread is busy instead of queueing them.
class QtAnimationTimer final : public AnimationTimer {
public:
    QtAnimationTimer();

protected:
    bool startTicking(int milliseconds) override;
    void stopTicking() override;

private:
    QTimer timer_;
};

} // namespace platform
