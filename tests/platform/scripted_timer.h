#pragma once

#include "animation_timer.h"

// An animation timer whose clock is the test: it counts starts and stops, can be told to
// refuse a timer, and delivers a tick only when fire() is called while it runs.
class ScriptedTimer final : public platform::AnimationTimer {
public:
    bool refuse = false; // the next starts are refused by the "system"
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
