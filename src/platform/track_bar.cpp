#include "track_bar.h"

#include <algorithm>
#include <cmath>

namespace platform {

namespace {

// Lines the thumb moves per notch of the wheel, as scrolled lists move on most desktops.
constexpr int kWheelLines = 3;

} // namespace

void TrackBar::setRange(int min, int max) {
    min_ = min;
    max_ = std::max(min, max);
    position_ = std::clamp(position_, min_, max_);
    changed();
}

void TrackBar::setPosition(int position) {
    const int clamped = std::clamp(position, min_, max_);
    if (clamped == position_)
        return;
    position_ = clamped;
    changed();
    if (onChange)
        onChange();
}

void TrackBar::setLineStep(int step) {
    lineStep_ = step;
    changed();
}

void TrackBar::setPageStep(int step) {
    pageStep_ = step;
    changed();
}

bool TrackBar::keyPress(Key key) {
    int to;
    switch (key) {
    case Key::Up:
    case Key::Left:
        to = position_ - lineStep_;
        break;
    case Key::Down:
    case Key::Right:
        to = position_ + lineStep_;
        break;
    case Key::PageUp:
        to = position_ - pageStep_;
        break;
    case Key::PageDown:
        to = position_ + pageStep_;
        break;
    case Key::Home:
        to = min_;
        break;
    case Key::End:
        to = max_;
        break;
    default:
        return false;
    }
    if (takesInput())
        userAction(to);
    return true;
}

void TrackBar::wheel(double notches) {
    if (!takesInput())
        return;
    // A turn the other way starts afresh rather than first using up what was left over.
    if (wheelSteps_ * notches < 0)
        wheelSteps_ = 0;
    wheelSteps_ += notches * kWheelLines * lineStep_;
    const double whole = std::trunc(wheelSteps_);
    wheelSteps_ -= whole;
    // A part of a notch that makes no step yet is no notification.
    if (whole == 0 && std::abs(notches) < 1)
        return;
    const double steps = std::clamp(whole, -double(pageStep_), double(pageStep_));
    userAction(position_ - int(steps));
}

void TrackBar::moveTo(int position) {
    if (takesInput())
        userAction(position);
}

void TrackBar::release() {
    if (takesInput())
        userAction(position_);
}

void TrackBar::userAction(int position) {
    // The position is stored first, so the handler sees where the action led.
    position_ = std::clamp(position, min_, max_);
    changed();
    if (onChange)
        onChange();
}

} // namespace platform
