// Start/Stop, the tick, and the sliders that feed the view, the wave speed and the tick
// interval into the running animation. None of these handlers redraws: a change shows in
// the next frame the timer draws.
#include "sound.h"
#include "tform1.h"

namespace {

// The clock runs up to 100000 ticks and then starts again at -100000, so the product of
// frequency and clock in the field formula never grows without bound.
constexpr double kClockLimit = 100000.0;

} // namespace

void TForm1::BitBtn1Click() {
    if (Timer1->interval() != 0) {
        Timer1->setInterval(0);
        FileF1.setEnabled(true);
    } else {
        // When the system refuses a timer this throws before the File menu is disabled;
        // the interval keeps the new value, so the next click takes the stop branch.
        Timer1->setInterval(fpschanger.position());
        FileF1.setEnabled(false);
    }
}

void TForm1::Timer1Timer() {
    animationStep();
    if (ch_koma.checked()) {
        // Single-frame mode: each Start shows one tick, then stops as a Stop click does.
        Timer1->setInterval(0);
        FileF1.setEnabled(true);
    }
}

bool TForm1::animationStep() {
    if (ch_guruguru.checked()) {
        // The view turns 2 degrees per tick and wraps from 179 to -179 and from 180 to
        // -178. The slider's handler copies the new position into phi before the frame.
        const int p = phichanger.position();
        phichanger.setPosition(p > 178 ? p - 358 : p + 2);
    }
    if (sound::timecount > kClockLimit) {
        // The wrap tick draws nothing: the previous frame stays on screen.
        sound::timecount = -kClockLimit;
        return false;
    }
    drawall();
    sound::timecount += 1.0;
    return true;
}

void TForm1::thetachangerChange() {
    sound::theta = thetachanger.position();
}

void TForm1::phichangerChange() {
    sound::phi = phichanger.position();
}

void TForm1::velocitychangerChange() {
    const double speed = velocitychanger.position() / 10.0;
    for (sound::THagen& source : sound::hagen)
        source.speed = speed;
}

void TForm1::fpschangerChange() {
    // A stopped animation stays stopped; the new interval is used at the next start.
    if (Timer1->interval() != 0)
        Timer1->setInterval(fpschanger.position());
}
