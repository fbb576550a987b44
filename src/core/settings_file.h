#pragma once

#include "hagen.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <istream>
#include <string>
#include <string_view>
#include <variant>

namespace sound {

// A set-up as the settings file stores it: one value per line, in file order. The
// enumerators are the names of the controls and fields each value belongs to.
struct StoredSetup {
    // Lines 1 to 6: slider positions.
    enum Slider : std::size_t {
        thetachanger,
        phichanger,
        numpoints,
        numzoom,
        velocitychanger,
        fpschanger,
        kSliderCount
    };
    // Lines 7 to 17: the attenuation radio buttons, then the drawing and option check boxes.
    enum Option : std::size_t {
        gens1,
        gens2,
        gens0,
        ch_baishitsu,
        ch_bashi,
        ch_suihei,
        ch_seibun,
        ch_2cut,
        ch_guruguru,
        ch_rect,
        ch_koma,
        kOptionCount
    };
    // Lines 18 to 37: five values for source 1, then for sources 2, 3 and 4.
    enum SourceValue : std::size_t { x, y, amp, omega, phase, kSourceValueCount };

    std::array<std::int32_t, kSliderCount> sliders{};
    std::array<bool, kOptionCount> options{};
    // sources[k - 1][v] is value v of source k.
    std::array<std::array<std::int32_t, kSourceValueCount>, kSourceCount> sources{};
    // The source lines exactly as read (UTF-8), for the buttons' captions, which show the
    // text and not the number; a line of more than 400 bytes, which no caption could show,
    // gives its value in decimal instead. The writer does not use them.
    std::array<std::array<std::string, kSourceValueCount>, kSourceCount> sourceTexts{};

    bool operator==(const StoredSetup&) const = default;
};

inline constexpr int kSettingsLineCount = 37;

// The first line that did not convert, and the message for it. The message quotes the line's
// bytes as read, UTF-8 or not; whatever shows it escapes them (escapeUnsafeText).
struct SettingsLineError {
    int line = 0; // 1 to 37
    std::string message;
};

using SettingsReadResult = std::variant<StoredSetup, SettingsLineError>;

// A source field rounded for writing: to the nearest integer, halves to even, held to the
// 32-bit range (the fields only ever hold 32-bit whole numbers, so this changes nothing for
// values the program produces).
std::int32_t roundSourceValue(double value);

// The 37 lines of the file, without line breaks.
std::array<std::string, kSettingsLineCount> settingsLines(const StoredSetup& setup);

// Reads lines 1 to 37 of a settings file and nothing after them, converts all of them, and
// gives the set-up or the first line that failed. Line 5 (the wave speed) is clamped into
// 5 ... 50 so that a speed of zero or less never reaches the field evaluation. Lines may be
// of any length: each is converted as it is read, in constant memory. A UTF-8 byte-order
// mark before line 1 is skipped.
SettingsReadResult readSettings(std::istream& in);

// The bytes of a settings text, one at a time, and where its lines end: a file's LF, or what
// else separates the lines of a set-up written another way (a link's commas).
class SettingsSource {
public:
    static constexpr int kEnd = -1;
    static constexpr int kLineBreak = -2;

    virtual ~SettingsSource() = default;
    // The next byte (0 to 255), kLineBreak, or kEnd for ever once the text has ended.
    virtual int next() = 0;
};

// readSettings for a text from such a source, with the same rules: the mark before line 1 is
// skipped, a CR right before a line break belongs to the break, and a line may be of any
// length. A stream is read as the source whose line break is LF.
SettingsReadResult readSettings(SettingsSource& source);

// Length of the well-formed UTF-8 sequence at the start of `s`, or 0 if there is none (`s`
// empty included). Overlong forms, surrogates and values past U+10FFFF are not well formed.
std::size_t utf8SequenceLength(std::string_view s);

} // namespace sound
