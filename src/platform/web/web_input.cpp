// What the page delivers to the program: the user's input for one control, named by its index
// in the form, and the timers' ticks. Each entry hands the input to the control's own
// operation, which decides what it means.
//
// Input that can open a box and wait for it (a button press, a menu item)
// is called by the page with ccall(..., {async: true}), because the call may be paused by
// Asyncify while the box is open. The other input (track bars, check boxes, focus) and ticks
// are plain calls: they run to their end at once. While a call is paused the page delivers no
// input at all, only ticks, so Asyncify never holds more than the one paused call.
#include "button.h"
#include "check_box.h"
#include "menu.h"
#include "track_bar.h"
#include "web_backend.h"
#include "web_keys.h"
#include "web_timer.h"

#include <emscripten.h>

namespace {

platform::Control* controlAt(int index) {
    platform::WebWindow* window = platform::pageBackend().window();
    return window != nullptr ? window->control(index) : nullptr;
}

platform::TrackBar* trackBarAt(int index) {
    platform::Control* control = controlAt(index);
    if (control == nullptr || control->kind() != platform::ControlKind::TrackBar)
        return nullptr;
    return static_cast<platform::TrackBar*>(control);
}

} // namespace

extern "C" {

// A click or touch on a button or a menu item; may wait for a box.
EMSCRIPTEN_KEEPALIVE void web_press(int index) {
    platform::Control* control = controlAt(index);
    if (control == nullptr)
        return;
    if (control->kind() == platform::ControlKind::Button)
        static_cast<platform::Button*>(control)->press();
    else if (control->kind() == platform::ControlKind::MenuItem)
        static_cast<platform::MenuItem*>(control)->choose();
}

// Whether a key on a focused button presses it.
EMSCRIPTEN_KEEPALIVE int web_button_key(int key) {
    return platform::Button::pressedBy(platform::webKey(key));
}

// A click, touch or Space on a check box or a radio button.
EMSCRIPTEN_KEEPALIVE void web_toggle(int index) {
    platform::Control* control = controlAt(index);
    if (control == nullptr)
        return;
    if (control->kind() == platform::ControlKind::CheckBox)
        static_cast<platform::CheckBox*>(control)->toggle();
    else if (control->kind() == platform::ControlKind::RadioButton)
        static_cast<platform::RadioButton*>(control)->select();
}

// A key on a focused track bar; whether the bar took it.
EMSCRIPTEN_KEEPALIVE int web_track_key(int index, int key) {
    platform::TrackBar* bar = trackBarAt(index);
    return bar != nullptr && bar->keyPress(platform::webKey(key));
}

EMSCRIPTEN_KEEPALIVE void web_track_wheel(int index, double notches) {
    if (platform::TrackBar* bar = trackBarAt(index))
        bar->wheel(notches);
}

// The pointer put the thumb at `position`: a drag, or a step on the track towards it.
EMSCRIPTEN_KEEPALIVE void web_track_move(int index, int position) {
    if (platform::TrackBar* bar = trackBarAt(index))
        bar->moveTo(position);
}

// A press on the track away from the thumb: a page towards the pointer (`direction` 1 towards
// the maximum, -1 towards the minimum), as the desktop's track bar steps.
EMSCRIPTEN_KEEPALIVE void web_track_page(int index, int direction) {
    if (platform::TrackBar* bar = trackBarAt(index))
        bar->moveTo(bar->position() + (direction > 0 ? bar->pageStep() : -bar->pageStep()));
}

EMSCRIPTEN_KEEPALIVE void web_track_release(int index) {
    if (platform::TrackBar* bar = trackBarAt(index))
        bar->release();
}

// The user moved the focus to the control (Tab, a click).
EMSCRIPTEN_KEEPALIVE void web_focused(int index) {
    if (platform::Control* control = controlAt(index))
        control->focusedByUser();
}

EMSCRIPTEN_KEEPALIVE void web_tick(int timer) {
    platform::WebTimer::deliverTick(timer);
}
}
