#include "animation_timer.h"

#include "program_error.h"
#include "translation.h"

namespace platform {

void AnimationTimer::setInterval(int milliseconds) {
    if (milliseconds == interval_)
        return;
    interval_ = milliseconds;
    stopTicking();
    if (milliseconds != 0 && !startTicking(milliseconds))
        throw sound::ProgramError(sound::tr("タイマーを取得できません"));
}

void AnimationTimer::tick() {
    if (onTimer_)
        onTimer_();
}

} // namespace platform
