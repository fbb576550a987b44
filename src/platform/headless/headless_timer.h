#pragma once

#include "animation_timer.h"

namespace platform {

// An animation timer with no clock of its own: it ticks only when fire() is called while it
// runs. It counts starts and stops, and can be told to refuse a timer as a system out of
// timers does.
class HeadlessTimer final : public AnimationTimer {
public:
    bool refuse = false; // the next starts are refused
    bool ticking = false;
    int period = 0;
    int starts = 0;
    int stops = 0;

    // Delivers one tick if the timer runs; returns whether it did.
    bool fire() {
        if (!ticking)
            return false;
        tick();
        return true;
    }

protected:
    bool startTicking(int milliseconds) override {
        ++starts;
        if (refuse)
            return false;
        ticking = true;
        period = milliseconds;
        return true;
    }
    void stopTicking() override {
        ++stops;
        ticking = false;
    }
};

} // namespace platform
