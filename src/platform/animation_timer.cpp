#include "animation_timer.h"

#include "program_error.h"

namespace platform {

void AnimationTimer::setInterval(int milliseconds) {
    if (milliseconds == interval_)
        return;
    interval_ = milliseconds;
    stopTicking();
    if (milliseconds != 0 && !startTicking(milliseconds))
        throw sound::ProgramError("タイマーを取得できません");
}

void AnimationTimer::tick() {
    if (onTimer_)
        onTimer_();
}

} // namespace platform
