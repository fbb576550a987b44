#pragma once

#include <cstdint>

// The page's half of the browser edition, written in JavaScript (web_page.js, with
// web_track_bars.js, web_menu.js, web_boxes.js and web_screen.js): what the backend calls to
// show the window, its boxes and its files. Controls are named by their index in the form's list
// of controls; strings are UTF-8. The page only shows and delivers: every decision is the
// controls' own.
extern "C" {

// The window.
void web_page_set_title(const char* title);
// Tells the page which key of the DOM (KeyboardEvent.key) is which of the program's keys.
void web_page_define_key(int key, const char* domKey);
// Makes the element of one control, inside its parent's (-1: the window's client area; a menu
// item's parent is its menu). `color` is 0x00BBGGRR or -1 for the window's text colour;
// `tabIndex` is the place in the window's tab order from 1, or 0 for a control outside it.
void web_page_add_control(int control, const char* name, const char* kind, int parent, int left,
                          int top, int width, int height, int fontHeight, int color, int tabIndex,
                          int vertical, int tickInterval);
void web_page_show_window(int clientWidth, int clientHeight);

// A control's state.
void web_page_show_control(int control, const char* caption, int enabled, int visible);
void web_page_show_checked(int control, int checked);
void web_page_show_track_bar(int control, int min, int max, int position);
void web_page_show_list(int control, const char* lines);
// `rgba` holds width x height pixels as the bytes R, G, B, A.
void web_page_show_image(int control, const std::uint32_t* rgba, int width, int height);
void web_page_focus(int control);

// Timers that call web_tick(timer) every `milliseconds`; a handle for stopping, 0 when refused.
int web_page_start_timer(int timer, int milliseconds);
void web_page_stop_timer(int handle);

// The page's box that asks for a line of text, with `text` in its field and `note` under it;
// `maxLength` 0 for no limit, `needsText` when OK takes no empty line. Answered when
// web_page_input_box_state() is no longer 0: 1 OK, 2 cancelled; the text then comes from
// web_page_input_box_text(), as memory from malloc that the caller frees.
void web_page_open_input_box(const char* caption, const char* prompt, const char* text,
                             const char* note, int maxLength, int needsText);
int web_page_input_box_state();
char* web_page_input_box_text();

// Pauses the calling handler (Asyncify) until the page's open box or file chooser has an
// answer; the page wakes it from the event that brings the answer.
void web_page_wait_for_answer();

// Shows the error box and returns at once; the page blocks input until the user closes it.
void web_page_show_error_box(const char* caption, const char* text);

// Opens the browser's file chooser. Answered when web_page_picked_state() is no longer 0:
// 1 a file was read, 2 cancelled; then its name (malloc'd, freed by the caller), size and bytes.
void web_page_pick_file(const char* accept);
int web_page_picked_state();
char* web_page_picked_name();
int web_page_picked_size();
void web_page_copy_picked(char* to);

// Hands the bytes to the browser as a download of that name.
void web_page_download(const char* name, const char* bytes, int size);

// Stops every timer and the page's input, closes the page where the browser allows it, and
// otherwise leaves it stopped showing `line`.
void web_page_quit(const char* line);
}
