#pragma once

#include "animation_timer.h"
#include "control.h"
#include "key.h"

#include <functional>
#include <memory>
#include <vector>

namespace platform {

enum class Orientation { Horizontal, Vertical };

// A track bar with the rules the window's handlers rely on:
// - setPosition clamps to the range and runs onChange only when the stored position really
//   changes, at once, before setPosition returns;
// - every action of the user (a key, a press on the track, a drag, the wheel, letting go of
//   the thumb) runs onChange, whether or not the position moved, so the handler can take the
//   position as the user's choice even when it already stood there;
// - the minimum is at the start of the bar, the left of a horizontal bar and the top of a
//   vertical one, unless the bar is turned round; the keys and the wheel move the thumb in
//   screen terms: Up, Left and the wheel turned away from the user towards the minimum; Down,
//   Right and the wheel turned back towards the maximum; Page Up and Page Down by the page
//   step; Home and End to the ends.
// A backend places the thumb at fractionOf(position()) of the way from the bar's start and
// tells where the pointer is as positionAt(fraction).
class TrackBar final : public Control {
public:
    // While a press on the track lasts, the thumb moves again after this many milliseconds,
    // then every kPageRepeatInterval, as a key held down repeats.
    static constexpr int kPageRepeatDelay = 500;
    static constexpr int kPageRepeatInterval = 50;

    TrackBar(Form& form, std::string_view name) : Control(form, ControlKind::TrackBar, name) {}

    int min() const { return min_; }
    int max() const { return max_; }
    // Sets the range without running onChange; the position is clamped into it.
    void setRange(int min, int max);

    int position() const { return position_; }
    void setPosition(int position);

    int lineStep() const { return lineStep_; }
    void setLineStep(int step);
    int pageStep() const { return pageStep_; }
    void setPageStep(int step);

    Orientation orientation() const { return orientation_; }
    void setOrientation(Orientation orientation);
    // Whether the minimum is at the bar's start (left or top) rather than at its end.
    bool minimumAtStart() const { return minimumAtStart_; }
    void setMinimumAtStart(bool atStart);
    // 0 for no tick marks; else one every that many positions from the minimum, beside the
    // track: below a horizontal bar, right of a vertical one.
    int tickInterval() const { return tickInterval_; }
    void setTickInterval(int interval);
    // The tick marks' places as fractions of the way from the bar's start.
    std::vector<double> tickFractions() const;

    // How far from the bar's start (0) to its end (1) a position stands on the screen.
    double fractionOf(int position) const;
    // The position nearest to a place on the bar given as a fraction of the way from its start.
    int positionAt(double fraction) const;

    // Runs on the GUI thread; an exception from it leaves the operation that ran it.
    std::function<void()> onChange;

    // A key pressed while the bar has the focus; false when it is not a key of the bar's,
    // which then belongs to the toolkit.
    bool keyPress(Key key);
    bool keyDown(const KeyStroke& stroke) override;
    // The wheel turned by `away` notches away from the user (negative: towards) and by
    // `right` notches to the right, as a toolkit reports the two axes. A wheel that turns only
    // sideways counts as turned away when it turns to the right and towards the user when to
    // the left, as the desktop's sliders have always counted it. Each notch moves the thumb by
    // three line steps, never more than a page at a time; parts of a notch (from a touch pad)
    // add up until they make a whole step.
    void wheel(double away, double right = 0);
    // The user put the thumb at `position`: a drag.
    void moveTo(int position);

    // The repeats of a press on the track come from this timer; without one a press moves the
    // thumb once.
    void setRepeatTimer(std::unique_ptr<AnimationTimer> timer);

    // A press on the track away from the thumb, with the pointer over `target`: the thumb
    // moves a page towards it. While the press lasts it moves again after kPageRepeatDelay,
    // then every kPageRepeatInterval, towards where the pointer is then (pointerMoved): a page
    // at a time until it reaches or passes the pointer, never turning back within one press.
    // Returns whether the thumb was moved.
    bool pressTrack(int target);
    // The pointer, still pressed on the track, is over `target` now.
    void pointerMoved(int target);
    // Whether a press on the track lasts, so that a backend hands the pointer's moves to
    // pointerMoved rather than to its own dragging.
    bool pressingTrack() const { return pressing_; }
    // The user let go: a press on the track ends there, and letting go of the thumb is a
    // notification of its own, even when the thumb did not move.
    void release();

private:
    void userAction(int position);
    bool pageTowards(int target);
    void repeatPress();
    void repeatAfter(int milliseconds);
    void stopRepeating();

    int min_ = 0;
    int max_ = 10;
    int position_ = 0;
    int lineStep_ = 1;
    int pageStep_ = 2;
    Orientation orientation_ = Orientation::Horizontal;
    bool minimumAtStart_ = true;
    int tickInterval_ = 0;
    double wheelSteps_ = 0;
    int pagingDirection_ = 0;
    bool pressing_ = false;
    int pointer_ = 0;
    std::unique_ptr<AnimationTimer> repeat_;
};

} // namespace platform
