#include "option_text.h"

#include <cstddef>

namespace sound {

namespace {

bool isDecimalDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads the text as a decimal number: blanks, sign, digits with an optional full stop and
// more digits, an optional exponent, blanks. Only whether the number is zero matters, and
// that is settled by the mantissa's digits alone: converting to floating point would turn
// "1e-99999" into zero and "1e99999" into an overflow, although neither number is zero.
std::optional<bool> parseNumberAsOption(std::string_view text) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && text[i] == ' ')
        ++i;
    if (i < n && (text[i] == '+' || text[i] == '-'))
        ++i;
    bool mantissaPresent = false;
    bool nonZero = false;
    for (; i < n && isDecimalDigit(text[i]); ++i) {
        mantissaPresent = true;
        nonZero = nonZero || text[i] != '0';
    }
    // A separator on its own (".", "-.") is still a number, and that number is zero.
    if (i < n && text[i] == '.') {
        mantissaPresent = true;
        for (++i; i < n && isDecimalDigit(text[i]); ++i)
            nonZero = nonZero || text[i] != '0';
    }
    if (!mantissaPresent)
        return std::nullopt;
    if (i < n && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-'))
            ++i;
        while (i < n && isDecimalDigit(text[i]))
            ++i;
    }
    while (i < n && text[i] == ' ')
        ++i;
    if (i != n)
        return std::nullopt;
    return nonZero;
}

bool equalsIgnoringAsciiCase(std::string_view text, std::string_view word) {
    if (text.size() != word.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != word[i])
            return false;
    }
    return true;
}

} // namespace

std::optional<bool> parseOption(std::string_view text) {
    if (const auto number = parseNumberAsOption(text))
        return number;
    if (equalsIgnoringAsciiCase(text, "true"))
        return true;
    if (equalsIgnoringAsciiCase(text, "false"))
        return false;
    return std::nullopt;
}

} // namespace sound
