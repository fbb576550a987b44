#pragma once

#include "animation_timer.h"

namespace platform {

// The animation timer as the page's setInterval, whose ticks come back through web_tick().
// Ticks are plain calls into the program, never paused: they go on while a handler waits for
// a box, as the desktop's timer goes on behind a modal box.
class WebTimer final : public AnimationTimer {
public:
    WebTimer();
    ~WebTimer() override;
    WebTimer(const WebTimer&) = delete;
    WebTimer& operator=(const WebTimer&) = delete;

    // Delivers a tick to the timer of that number, if it still exists.
    static void deliverTick(int timer);

protected:
    bool startTicking(int milliseconds) override;
    void stopTicking() override;

private:
    int number_;
    int handle_ = 0;
};

} // namespace platform
