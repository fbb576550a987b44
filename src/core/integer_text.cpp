#include "integer_text.h"

#include <cstddef>

namespace sound {

namespace {

bool isDecimalDigit(char c) {
    return c >= '0' && c <= '9';
}

int hexDigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The digits after a hexadecimal prefix. Leading zeros may run on for ever, so they are
// skipped rather than counted; the eight digits that remain are a 32-bit pattern.
std::optional<std::int32_t> parseHexDigits(std::string_view digits) {
    if (digits.empty())
        return std::nullopt;
    std::uint32_t pattern = 0;
    int significant = 0;
    for (char c : digits) {
        const int d = hexDigitValue(c);
        if (d < 0)
            return std::nullopt;
        if (pattern == 0 && d == 0)
            continue;
        if (++significant > 8)
            return std::nullopt;
        pattern = (pattern << 4) | static_cast<std::uint32_t>(d);
    }
    return static_cast<std::int32_t>(pattern);
}

// An optional sign and one or more decimal digits. The magnitude is built in 64 bits and
// checked after every digit, so it can never wrap however many digits follow.
std::optional<std::int32_t> parseDecimal(std::string_view text) {
    bool negative = false;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size())
        return std::nullopt;
    const std::int64_t limit = negative ? 2147483648LL : 2147483647LL;
    std::int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        if (!isDecimalDigit(text[i]))
            return std::nullopt;
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > limit)
            return std::nullopt;
    }
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

} // namespace

std::optional<std::int32_t> parseInteger(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size() && text[start] == ' ')
        ++start;
    const std::string_view rest = text.substr(start);
    if (rest.empty())
        return std::nullopt;
    if (rest[0] == '$' || rest[0] == 'x' || rest[0] == 'X')
        return parseHexDigits(rest.substr(1));
    if (rest.size() >= 2 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X'))
        return parseHexDigits(rest.substr(2));
    return parseDecimal(rest);
}

} // namespace sound
