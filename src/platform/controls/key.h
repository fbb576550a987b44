#pragma once

namespace platform {

// The keys whose meaning the program's forms and controls decide themselves, whatever the
// toolkit calls them. Letters and digits come as Key::Letter with the character; every other
// key is Key::Other and stays the toolkit's business (typing into a field, for instance).
enum class Key {
    Up,
    Down,
    Left,
    Right,
    PageUp,
    PageDown,
    Home,
    End,
    Space,
    Enter,
    Escape,
    Tab,
    Alt,
    F10,
    Letter,
    Other,
};

// One key going down or up, with the modifiers held. A backend fills it from its toolkit's
// event; `letter` is the upper-case ASCII letter or digit of a Key::Letter, taken from the key
// the user pressed rather than the character it typed where the two differ (Option+F on a Mac
// types "ƒ"), so that access keys work on every keyboard.
struct KeyStroke {
    Key key = Key::Other;
    char letter = 0;
    bool shift = false;
    bool alt = false;
    bool control = false; // Ctrl, or Command on a Mac
    bool repeat = false;  // sent again by the key being held down

    bool plain() const { return !shift && !alt && !control; }
};

} // namespace platform
