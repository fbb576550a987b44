// What the page delivers to the program: the user's input, for the form the keys go to or for
// one control named by its number, and the timers' ticks. Each entry hands the input to the
// form's or the control's own operation, which decides what it means.
//
// Input that presses a button or chooses a menu item may open a box and wait for it: the call
// is then paused by Asyncify until the box is answered, and the page sees it return early
// (web_page.js). The forms refuse input to whatever a box covers, so no second call can pause
// while one waits; ticks go on meanwhile and never wait.
#include "button.h"
#include "check_box.h"
#include "edit.h"
#include "form.h"
#include "menu.h"
#include "modal_boxes.h"
#include "track_bar.h"
#include "web_backend.h"
#include "web_controls.h"
#include "web_form_view.h"
#include "web_keys.h"
#include "web_timer.h"

#include <emscripten.h>

namespace {

// The user's input reached the page while a box of the browser's covered the window.
void inputWhileCovered() {
    if (platform::ModalBoxes::program().userReturned())
        web_page_wake();
}

template <class C> C* controlAt(int id, platform::ControlKind kind) {
    platform::Control* control = platform::WebControlView::find(id);
    return control != nullptr && control->kind() == kind ? static_cast<C*>(control) : nullptr;
}

platform::TrackBar* trackBarAt(int id) {
    return controlAt<platform::TrackBar>(id, platform::ControlKind::TrackBar);
}

} // namespace

extern "C" {

// A key went down (`down` 1) or up, with the character it typed and the letter of its place
// (0 for none); whether the form took it, so that the browser must not act on it too. May wait
// for a box (Enter on a button, for instance).
EMSCRIPTEN_KEEPALIVE int web_key(int down, int key, int typed, int place, int shift, int alt,
                                 int control, int repeat) {
    platform::WebBackend& backend = platform::pageBackend();
    backend.dropClosedBoxes();
    platform::Form* form = backend.keyTarget();
    if (form == nullptr) {
        // The release of the key that opened a chooser may come after it opened.
        if (down != 0)
            inputWhileCovered();
        return 0;
    }
    platform::KeyStroke stroke{.key = platform::webKey(key),
                               .shift = shift != 0,
                               .alt = alt != 0,
                               .control = control != 0,
                               .repeat = repeat != 0};
    platform::addLetter(stroke, char32_t(typed), char(place));
    return down != 0 ? form->keyPress(stroke) : form->keyRelease(stroke);
}

// A click or touch on a button or a menu item; may wait for a box.
EMSCRIPTEN_KEEPALIVE void web_press(int id) {
    platform::pageBackend().dropClosedBoxes();
    if (auto* button = controlAt<platform::Button>(id, platform::ControlKind::Button))
        button->press();
    else if (auto* item = controlAt<platform::MenuItem>(id, platform::ControlKind::MenuItem))
        item->choose();
}

// A click or touch on a check box or a radio button.
EMSCRIPTEN_KEEPALIVE void web_toggle(int id) {
    if (auto* box = controlAt<platform::CheckBox>(id, platform::ControlKind::CheckBox))
        box->toggle();
    else if (auto* radio = controlAt<platform::RadioButton>(id, platform::ControlKind::RadioButton))
        radio->select();
}

// The user moved the focus to the control (a click or a touch).
EMSCRIPTEN_KEEPALIVE void web_focused(int id) {
    if (platform::Control* control = platform::WebControlView::find(id))
        control->focusedByUser();
}

// The user changed the text of a field.
EMSCRIPTEN_KEEPALIVE void web_edit(int id, const char* text) {
    if (auto* edit = controlAt<platform::Edit>(id, platform::ControlKind::Edit))
        edit->edited(text);
}

// The close button of a box's title bar.
EMSCRIPTEN_KEEPALIVE void web_close(int form) {
    if (platform::Form* closed = platform::WebFormView::find(form))
        closed->userClose();
}

// The pointer pressed anywhere, over the control numbered `id` (0: none), before that control
// has the press.
EMSCRIPTEN_KEEPALIVE void web_pointer_pressed(int id) {
    platform::Form* form = platform::pageBackend().keyTarget();
    if (platform::MenuBar* bar = form != nullptr ? form->menuBar() : nullptr)
        bar->pointerPressed(platform::WebControlView::find(id));
}

// The pointer pressed a menu's title, or came over an item; the page lost the keyboard.
EMSCRIPTEN_KEEPALIVE void web_menu_title(int id) {
    if (auto* menu = controlAt<platform::Menu>(id, platform::ControlKind::Menu))
        menu->titlePressed();
}

EMSCRIPTEN_KEEPALIVE void web_menu_hover(int id) {
    if (auto* item = controlAt<platform::MenuItem>(id, platform::ControlKind::MenuItem))
        item->pointerEntered();
}

EMSCRIPTEN_KEEPALIVE void web_dismiss_menus() {
    platform::Form* form = platform::pageBackend().keyTarget();
    if (platform::MenuBar* bar = form != nullptr ? form->menuBar() : nullptr)
        bar->dismiss();
}

// A press on a track bar's track with the pointer at `fraction` of the way from the bar's start,
// and the pointer moving while the press lasts.
EMSCRIPTEN_KEEPALIVE void web_track_press(int id, double fraction) {
    if (platform::TrackBar* bar = trackBarAt(id))
        bar->pressTrack(bar->positionAt(fraction));
}

EMSCRIPTEN_KEEPALIVE void web_track_pointer(int id, double fraction) {
    if (platform::TrackBar* bar = trackBarAt(id))
        bar->pointerMoved(bar->positionAt(fraction));
}

// The thumb dragged to `fraction` of the way from the bar's start; let go of the thumb or the
// track; the wheel, in notches away from the user and to the right.
EMSCRIPTEN_KEEPALIVE void web_track_drag(int id, double fraction) {
    if (platform::TrackBar* bar = trackBarAt(id))
        bar->moveTo(bar->positionAt(fraction));
}

EMSCRIPTEN_KEEPALIVE void web_track_release(int id) {
    if (platform::TrackBar* bar = trackBarAt(id))
        bar->release();
}

EMSCRIPTEN_KEEPALIVE void web_track_wheel(int id, double away, double right) {
    if (platform::TrackBar* bar = trackBarAt(id))
        bar->wheel(away, right);
}

// A press on the cover over the window.
EMSCRIPTEN_KEEPALIVE void web_press_covered() {
    inputWhileCovered();
}

// Files dragged over the page, dropped or launched: whether the window takes `count` of them
// now.
EMSCRIPTEN_KEEPALIVE int web_drop_allowed(int count) {
    return platform::pageBackend().canTakeDrop(std::size_t(count));
}

// `count` files were dropped on the page or launched with it, the first of them the page's
// offered file; it opens as File > Open would open it. May wait for the file's bytes.
EMSCRIPTEN_KEEPALIVE void web_drop(int count) {
    platform::pageBackend().dropFiles(std::size_t(count));
}

// The address's part after "#" changed (a link followed in the same tab).
EMSCRIPTEN_KEEPALIVE void web_address_changed(const char* fragment) {
    platform::pageBackend().addressChanged(fragment);
}

EMSCRIPTEN_KEEPALIVE void web_tick(int timer) {
    platform::pageBackend().dropClosedBoxes();
    platform::WebTimer::deliverTick(timer);
}
}
