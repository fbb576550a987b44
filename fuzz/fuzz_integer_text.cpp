// Integer text: whatever the bytes, the conversion agrees with a second, deliberately
// plain reading of the same rules, and every accepted value reads back from its decimal
// and hexadecimal forms.
#include "integer_text.h"

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace {

bool allOf(std::string_view s, bool (*accept)(char)) {
    for (char c : s)
        if (!accept(c))
            return false;
    return true;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isHexDigit(char c) {
    return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

std::string_view withoutLeadingZeros(std::string_view digits) {
    const std::size_t first = digits.find_first_not_of('0');
    return first == std::string_view::npos ? std::string_view() : digits.substr(first);
}

// The rules read again, this time through std::from_chars on the significant digits.
std::optional<std::int32_t> reference(std::string_view text) {
    const std::size_t start = text.find_first_not_of(' ');
    if (start == std::string_view::npos)
        return std::nullopt;
    std::string_view s = text.substr(start);

    std::string_view hexDigits;
    bool hex = true;
    if (s.starts_with("0x") || s.starts_with("0X"))
        hexDigits = s.substr(2);
    else if (s[0] == '$' || s[0] == 'x' || s[0] == 'X')
        hexDigits = s.substr(1);
    else
        hex = false;
    if (hex) {
        if (hexDigits.empty() || !allOf(hexDigits, isHexDigit))
            return std::nullopt;
        const std::string_view significant = withoutLeadingZeros(hexDigits);
        if (significant.size() > 8)
            return std::nullopt;
        std::uint32_t pattern = 0;
        std::from_chars(significant.data(), significant.data() + significant.size(), pattern, 16);
        return static_cast<std::int32_t>(pattern);
    }

    bool negative = false;
    if (s[0] == '+' || s[0] == '-') {
        negative = s[0] == '-';
        s.remove_prefix(1);
    }
    if (s.empty() || !allOf(s, isDigit))
        return std::nullopt;
    const std::string_view significant = withoutLeadingZeros(s);
    if (significant.size() > 10)
        return std::nullopt;
    std::int64_t magnitude = 0;
    std::from_chars(significant.data(), significant.data() + significant.size(), magnitude);
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value < INT32_MIN || value > INT32_MAX)
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

void check(bool condition) {
    if (!condition)
        std::abort();
}

std::string hexText(std::int32_t value) {
    char digits[8];
    const auto end = std::to_chars(digits, digits + 8, static_cast<std::uint32_t>(value), 16).ptr;
    return "0X" + std::string(digits, end);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<std::int32_t> value = sound::parseInteger(text);
    check(value == reference(text));
    if (value) {
        check(sound::parseInteger(std::to_string(*value)) == value);
        check(sound::parseInteger(hexText(*value)) == value);
        // Nothing may follow the number, not even a blank.
        check(!sound::parseInteger(std::string(text) + " "));
    }
    return 0;
}
