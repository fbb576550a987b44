#include "escape_unsafe_text.h"

#include "settings_file.h"

#include <cstdint>
#include <cstdio>

namespace sound {

namespace {

// The code point of a well-formed UTF-8 sequence.
std::uint32_t codePoint(std::string_view sequence) {
    const auto byte = [&](std::size_t i) { return std::uint32_t(std::uint8_t(sequence[i])); };
    switch (sequence.size()) {
    case 1:
        return byte(0);
    case 2:
        return (byte(0) & 0x1F) << 6 | (byte(1) & 0x3F);
    case 3:
        return (byte(0) & 0x0F) << 12 | (byte(1) & 0x3F) << 6 | (byte(2) & 0x3F);
    default:
        return (byte(0) & 0x07) << 18 | (byte(1) & 0x3F) << 12 | (byte(2) & 0x3F) << 6 |
               (byte(3) & 0x3F);
    }
}

// Characters a terminal acts on, or that reorder the text around them.
bool needsEscape(std::uint32_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x061C || c == 0x200E || c == 0x200F ||
           (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

std::string escaped(const char* format, std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, format, unsigned(value));
    return text;
}

} // namespace

std::string escapeUnsafeText(std::string_view message) {
    std::string text;
    text.reserve(message.size());
    std::size_t i = 0;
    while (i < message.size()) {
        const std::size_t length = utf8SequenceLength(message.substr(i));
        if (length == 0) {
            text += escaped("\\x%02x", std::uint8_t(message[i]));
            ++i;
            continue;
        }
        const std::string_view sequence = message.substr(i, length);
        i += length;
        const std::uint32_t c = codePoint(sequence);
        if (c == '\\')
            text += "\\\\";
        else if (c == '\n')
            text += "\\n";
        else if (c == '\r')
            text += "\\r";
        else if (c == '\t')
            text += "\\t";
        else if (c < 0x80 && needsEscape(c))
            text += escaped("\\x%02x", c);
        else if (needsEscape(c))
            text += escaped("\\u%04x", c);
        else
            text += sequence;
    }
    return text;
}

} // namespace sound
