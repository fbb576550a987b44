#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace sound {

// Reads a whole number the way every input box and settings line takes it: leading ASCII
// blanks, then either an optional sign and decimal digits or one of the prefixes "$", "x",
// "X", "0x", "0X" and at most eight significant hexadecimal digits read as a signed 32-bit
// pattern; nothing may follow. Returns no value for any other text.
std::optional<std::int32_t> parseInteger(std::string_view text);

// The value of a hexadecimal digit in either letter case, or -1 for any other character.
int hexDigitValue(char c);

// The same conversion one byte at a time, in constant memory, for lines too long to hold:
// the blanks and the leading zeros that the rules skip may run on for ever.
class IntegerTextReader {
public:
    void add(char c);
    // The value of the bytes added so far, as parseInteger gives it for them.
    std::optional<std::int32_t> value() const;

private:
    enum class State {
        Blanks,    // only blanks so far
        Sign,      // a sign, and no digit yet
        LoneZero,  // a "0" straight after the blanks: decimal, or the start of "0x"
        Decimal,   // decimal digits
        HexPrefix, // a hexadecimal prefix, and no digit yet
        Hex,       // hexadecimal digits
        Invalid,   // nothing added later can make it a number
    };

    State state_ = State::Blanks;
    bool negative_ = false;
    // The decimal magnitude, built in 64 bits and checked after every digit so that it can
    // never wrap, or the hexadecimal pattern.
    std::int64_t magnitude_ = 0;
    std::uint32_t pattern_ = 0;
    int significantHexDigits_ = 0;
};

} // namespace sound
