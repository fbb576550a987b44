#pragma once

#include <functional>

namespace platform {

// A periodic timer whose interval in milliseconds is its only on/off state:
// - 0 means stopped;
// - writing the interval it already has does nothing, so the running period goes on;
// - writing another value stops the old period and starts a new one from that moment;
// - when the system refuses a timer, setInterval throws sound::ProgramError with the
//   message "タイマーを取得できません"; the new interval is kept although no ticks come,
//   so the caller can still tell "asked to run" from "stopped".
// Subclasses supply the clock; tests use one whose ticks they fire by hand.
class AnimationTimer {
public:
    virtual ~AnimationTimer() = default;

    int interval() const { return interval_; }
    // `milliseconds` is 0 or positive.
    void setInterval(int milliseconds);

    void setOnTimer(std::function<void()> handler) { onTimer_ = std::move(handler); }

protected:
    // Starts ticking every `milliseconds` (> 0); false when the system refuses a timer.
    virtual bool startTicking(int milliseconds) = 0;
    virtual void stopTicking() = 0;

    // Called by the subclass when a tick falls due.
    void tick();

private:
    int interval_ = 0;
    std::function<void()> onTimer_;
};

} // namespace platform
