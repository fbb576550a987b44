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
// event; `letter` is the upper-case ASCII letter or digit of a Key::Letter, as keyLetter()
// finds it.
struct KeyStroke {
    Key key = Key::Other;
    char letter = 0;
    bool shift = false;
    bool alt = false;
    bool control = false; // Ctrl, or Command on a Mac
    bool repeat = false;  // sent again by the key being held down

    bool plain() const { return !shift && !alt && !control; }
};

// The letter of a key for the access keys and the menus: the letter or digit it typed, upper
// case, or where it typed another character or none (Option+F on a Mac types "ƒ", a Cyrillic
// layout "а", Ctrl+F a control character) the letter or digit at the key's place on a US
// keyboard, `place` (0 where the toolkit cannot tell it), so that the keys work on every
// keyboard; 0 for a key with neither.
constexpr char keyLetter(char32_t typed, char place) {
    auto alphanumeric = [](char32_t c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    };
    const char32_t chosen = alphanumeric(typed) ? typed : alphanumeric(place) ? place : 0;
    return char(chosen >= 'a' && chosen <= 'z' ? chosen - 'a' + 'A' : chosen);
}

// A key the toolkit names none of the program's is Key::Letter when keyLetter() finds it one.
constexpr void addLetter(KeyStroke& stroke, char32_t typed, char place) {
    if (stroke.key != Key::Other)
        return;
    stroke.letter = keyLetter(typed, place);
    if (stroke.letter != 0)
        stroke.key = Key::Letter;
}

} // namespace platform
