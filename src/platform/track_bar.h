#pragma once

#include "control.h"
#include "key.h"

#include <functional>

namespace platform {

// A track bar with the rules the window's handlers rely on:
// - setPosition clamps to the range and runs onChange only when the stored position really
//   changes, at once, before setPosition returns;
// - every action of the user (a key, a click on the track, a drag, the wheel, letting go of
//   the thumb) runs onChange, whether or not the position moved, so the handler can take the
//   position as the user's choice even when it already stood there;
// - the minimum is at the left of a horizontal bar and at the top of a vertical one, and the
//   keys and the wheel move the thumb in screen terms: Up, Left and the wheel turned away
//   from the user towards the minimum; Down, Right and the wheel turned back towards the
//   maximum; Page Up and Page Down by the page step; Home and End to the ends.
class TrackBar final : public Control {
public:
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

    // Runs on the GUI thread; an exception from it leaves the operation that ran it.
    std::function<void()> onChange;

    // A key pressed while the bar has the focus; false when it is not a key of the bar's,
    // which then belongs to the toolkit.
    bool keyPress(Key key);
    // The wheel turned by `notches` (positive: away from the user). Each notch moves the
    // thumb by three line steps, never more than a page at a time; parts of a notch (from a
    // touch pad) add up until they make a whole step.
    void wheel(double notches);
    // The user put the thumb at `position`: a drag, or a click on the track.
    void moveTo(int position);
    // The user let go of the thumb.
    void release();

private:
    void userAction(int position);

    int min_ = 0;
    int max_ = 10;
    int position_ = 0;
    int lineStep_ = 1;
    int pageStep_ = 2;
    double wheelSteps_ = 0;
};

} // namespace platform
