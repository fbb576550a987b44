#include "track_bar.h"

#include "form.h"
#include "program_error.h"

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

void TrackBar::setOrientation(Orientation orientation) {
    orientation_ = orientation;
    changed();
}

void TrackBar::setMinimumAtStart(bool atStart) {
    minimumAtStart_ = atStart;
    changed();
}

void TrackBar::setTickInterval(int interval) {
    tickInterval_ = std::max(0, interval);
    changed();
}

std::vector<double> TrackBar::tickFractions() const {
    std::vector<double> ticks;
    if (tickInterval_ <= 0)
        return ticks;
    for (long long at = min_; at <= max_; at += tickInterval_)
        ticks.push_back(fractionOf(int(at)));
    return ticks;
}

double TrackBar::fractionOf(int position) const {
    if (max_ <= min_)
        return 0;
    const double fromMinimum = double(std::clamp(position, min_, max_) - min_) / (max_ - min_);
    return minimumAtStart_ ? fromMinimum : 1 - fromMinimum;
}

int TrackBar::positionAt(double fraction) const {
    fraction = std::clamp(fraction, 0.0, 1.0);
    const double fromMinimum = minimumAtStart_ ? fraction : 1 - fraction;
    return min_ + int(std::lround(fromMinimum * (double(max_) - min_)));
}

void TrackBar::setLineStep(int step) {
    lineStep_ = step;
    changed();
}

void TrackBar::setPageStep(int step) {
    pageStep_ = step;
    changed();
}

bool TrackBar::keyDown(const KeyStroke& stroke) {
    return !stroke.alt && !stroke.control && keyPress(stroke.key);
}

bool TrackBar::keyPress(Key key) {
    // The arrows move the thumb on the screen: towards the bar's start or its end.
    const int towardsEnd = minimumAtStart_ ? 1 : -1;
    int to;
    switch (key) {
    case Key::Up:
    case Key::Left:
        to = position_ - towardsEnd * lineStep_;
        break;
    case Key::Down:
    case Key::Right:
        to = position_ + towardsEnd * lineStep_;
        break;
    case Key::PageUp:
        to = position_ - towardsEnd * pageStep_;
        break;
    case Key::PageDown:
        to = position_ + towardsEnd * pageStep_;
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

void TrackBar::wheel(double away, double right) {
    if (!takesInput())
        return;
    const double notches = away != 0 ? away : right;
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
    userAction(position_ - (minimumAtStart_ ? 1 : -1) * int(steps));
}

void TrackBar::moveTo(int position) {
    if (takesInput())
        userAction(position);
}

void TrackBar::setRepeatTimer(std::unique_ptr<AnimationTimer> timer) {
    stopRepeating();
    repeat_ = std::move(timer);
    if (repeat_)
        repeat_->setOnTimer([this] { repeatPress(); });
}

bool TrackBar::pressTrack(int target) {
    stopRepeating();
    pressing_ = true;
    pointer_ = target;
    pagingDirection_ = target > position_ ? 1 : target < position_ ? -1 : 0;
    if (!pageTowards(target))
        return false;
    repeatAfter(kPageRepeatDelay);
    return true;
}

void TrackBar::pointerMoved(int target) {
    if (pressing_)
        pointer_ = target;
}

void TrackBar::repeatPress() {
    if (!pressing_ || !pageTowards(pointer_)) {
        stopRepeating();
        return;
    }
    // The first repeat waits longer, as a key held down does; setting the interval again once
    // it is the repeat period keeps the period going.
    repeatAfter(kPageRepeatInterval);
}

void TrackBar::repeatAfter(int milliseconds) {
    if (!repeat_)
        return;
    // A system out of timers costs the repeats only: the press has done its page.
    try {
        repeat_->setInterval(milliseconds);
    } catch (const sound::ProgramError&) {
        repeat_->setInterval(0);
    }
}

void TrackBar::stopRepeating() {
    if (repeat_)
        repeat_->setInterval(0);
}

bool TrackBar::pageTowards(int target) {
    // The thumb has reached the pointer, or the pointer went back behind it: the press pages
    // no further.
    if (pagingDirection_ == 0 || (target - position_) * pagingDirection_ <= 0) {
        pagingDirection_ = 0;
        return false;
    }
    if (!takesInput())
        return false;
    userAction(position_ + pagingDirection_ * pageStep_);
    return true;
}

void TrackBar::release() {
    if (pressing_) {
        pressing_ = false;
        pagingDirection_ = 0;
        stopRepeating();
        return;
    }
    if (takesInput())
        userAction(position_);
}

void TrackBar::userAction(int position) {
    // The position is stored first, so the handler sees where the action led.
    position_ = std::clamp(position, min_, max_);
    changed();
    if (onChange)
        onChange();
    form().userChanged();
}

} // namespace platform
