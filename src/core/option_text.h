#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace sound {

// Reads a check box state from a settings line: a decimal number (true when not zero) or
// "True" / "False" in any letter case. Returns no value for any other text.
std::optional<bool> parseOption(std::string_view text);

// The same conversion one byte at a time, in constant memory, for lines too long to hold.
class OptionTextReader {
public:
    void add(char c);
    // The state the bytes added so far give, as parseOption gives it for them.
    std::optional<bool> value() const;

private:
    // Where the text stands as a decimal number: blanks, sign, digits with an optional full
    // stop and more digits, an optional exponent, blanks.
    enum class Number {
        LeadingBlanks,
        Sign,
        Digits,         // whole-number digits, at least one
        Fraction,       // after the full stop
        Exponent,       // after "E" or "e", with or without its sign and digits
        ExponentDigits, // after the exponent's sign or first digit
        TrailingBlanks,
        Invalid,
    };

    Number number_ = Number::LeadingBlanks;
    // Only whether the number is zero matters, and that is settled by the mantissa's digits
    // alone: converting to floating point would turn "1e-99999" into zero and "1e99999" into
    // an overflow, although neither number is zero.
    bool nonZero_ = false;
    // The bytes so far as a prefix of "true" and of "false", letter case aside.
    std::size_t wordLength_ = 0;
    bool mayBeTrue_ = true;
    bool mayBeFalse_ = true;
};

} // namespace sound
