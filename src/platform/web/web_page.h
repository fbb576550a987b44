#pragma once

#include <cstdint>

// The page's half of the browser edition, written in JavaScript (web_page.js with
// web_track_bars.js, web_menu.js, web_boxes.js and web_screen.js): what the backend calls to show
// the forms, their controls and the files. Forms and controls are named by numbers the backend
// gives them (0 is none); strings are UTF-8. The page shows and hands the user's input back
// (web_input.cpp): what the user's input does is the forms' and controls' to decide. The page
// knows only what is the browser's: where it drew each part of a control, which part the
// pointer is over, the units its events come in, and which events it must keep from the
// browser so that the browser does not act on them too.
extern "C" {

void web_page_set_title(const char* title);
// The page's address from "?" up to "#" (empty when it has none), a line break, and the
// browser's languages, best first, one a line (malloc'd, freed by the caller).
char* web_page_preferred_languages();
// The language the page is in (its document's `lang`), and what a screen reader calls the
// button that closes a box.
void web_page_set_language(const char* language, const char* closeName);
// Tells the page which key of the DOM (KeyboardEvent.key) is which of the program's keys.
void web_page_define_key(int key, const char* domKey);

// A form: the main window (kind 0, with its client area's size) or a box over it (1 the input
// box, 2 the error box), whose controls then go into its rows.
void web_page_open_form(int form, int kind, const char* title, int clientWidth, int clientHeight);
void web_page_close_form(int form);
// A box's row of controls, under the rows before it, aligned across the box as BoxRow::Align
// counts (0 fill, 1 start, 2 end, 3 centre), led by the error icon when `errorIcon` is 1; then
// the box's least width, whether it stands in the middle of the screen, and its default
// button (0 for none), drawn as such.
void web_page_box_row(int form, int align, int errorIcon, const int* controls, int count);
void web_page_lay_out_box(int form, int minimumWidth, int centred, int defaultButton);
// How many boxes cover the window (ModalBoxes): while any does, the window takes no input.
void web_page_show_covered(int boxes);
// Shows the main window, which the page keeps out of sight until the program has made it.
void web_page_show_window();

// Makes the element of one control of a form, inside its parent's element (0: the form's own
// area; a menu item's parent is its menu), once its parent's is made. `color` is 0x00BBGGRR or
// -1 for the window's text colour; `accessibleName` is what a screen reader calls a control
// whose caption does not say it.
void web_page_add_control(int control, int form, int parent, const char* kind, const char* name,
                          int left, int top, int width, int height, int fontHeight, int color,
                          const char* accessibleName);
// The control whose caption names `control` for a screen reader, once both are made.
void web_page_set_labelled_by(int control, int label);
// What a track bar has besides: vertical or not, and its tick marks as fractions of the way
// from its start.
void web_page_make_track_bar(int control, int vertical, const double* ticks, int tickCount);
// A text field: the keyboard a touch screen brings up for it.
void web_page_make_edit(int control);

// A control's state; each is sent only when it changed.
// The caption, with the access key (if any) between `before` and `after`, shown underlined.
void web_page_show_caption(int control, const char* before, const char* key, const char* after);
// Whether it takes input, is seen, and is a stop of the Tab key (1) or not (0); -1 for a control
// that never has the focus.
void web_page_show_state(int control, int enabled, int visible, int tabStop);
void web_page_show_checked(int control, int checked);
// The thumb at `fraction` of the way from the bar's start; the numbers are for screen readers.
void web_page_show_track_bar(int control, double fraction, int min, int max, int position);
// A menu open or not, and its highlighted item (0 for none); the bar's armed menu (0 for none).
void web_page_show_menu(int control, int open, int highlighted);
void web_page_show_armed(int bar, int menu);
// A field's text, all of it selected or not.
void web_page_show_edit(int control, const char* text, int allSelected);
void web_page_show_list(int control, const char* lines);
// `rgba` holds width x height pixels as the bytes R, G, B, A.
void web_page_show_image(int control, const std::uint32_t* rgba, int width, int height);
void web_page_focus(int control);

// Timers that call web_tick(timer) every `milliseconds`; a handle for stopping, 0 when refused.
int web_page_start_timer(int timer, int milliseconds);
void web_page_stop_timer(int handle);

// Pauses the calling handler (Asyncify) until the page wakes it: web_page_wake() from the call
// that answered a box, or the file chooser's answer.
void web_page_wait_for_answer();
// Wakes the paused handler once the page's current event has been handled.
void web_page_wake();

// Opens the browser's file chooser. Answered when web_page_picked_state() is no longer 0:
// 1 a file was chosen, which is then the offered file, 2 cancelled.
void web_page_pick_file(const char* accept);
int web_page_picked_state();
// The chooser is over without an answer, as the program found (ModalBoxes::userReturned).
void web_page_end_pick();

// The file the page offers (chosen, dropped or launched): its name (malloc'd, freed by the
// caller) and size, known before any of it is read. web_page_read_offered reads its first
// `size` bytes to `to`; answered when web_page_read_state() is no longer 0: 1 read, the
// bytes' count in web_page_read_count(), 2 the read failed, 3 the browser lacked the memory.
// web_page_forget_offered lets go of the file.
char* web_page_offered_name();
double web_page_offered_size();
void web_page_read_offered(char* to, int size);
int web_page_read_state();
int web_page_read_count();
void web_page_forget_offered();

// The part of the page's address after "#" (malloc'd, freed by the caller); nothing when it has
// none. And the fragment that holds the set-up now, put in place of the address's without a new
// entry in the browser's history.
char* web_page_address_fragment();
void web_page_show_link(const char* fragment);

// Hands the bytes to the browser as a download of that name.
void web_page_download(const char* name, const char* bytes, int size);

// Stops every timer and the page's input, closes the page where the browser allows it, and
// otherwise leaves it stopped showing `line`.
void web_page_quit(const char* line);
}
