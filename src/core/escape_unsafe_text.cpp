#include "escape_unsafe_text.h"

#include "settings_file.h"

#include <algorithm>
#include <array>
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

struct CodePointRange {
    std::uint32_t first;
    std::uint32_t last;
};

// Unicode's format characters (general category Cf) as of Unicode 14.0, made once with
// Python's unicodedata: they are invisible, join or part letters, or reorder the text around
// them (the marks, embeddings, overrides and isolates). The tag block is taken whole, its
// unassigned code points too, because a newer font may draw nothing for them either.
constexpr std::array kFormatCharacters = {
    CodePointRange{0x00AD, 0x00AD},   CodePointRange{0x0600, 0x0605},
    CodePointRange{0x061C, 0x061C},   CodePointRange{0x06DD, 0x06DD},
    CodePointRange{0x070F, 0x070F},   CodePointRange{0x0890, 0x0891},
    CodePointRange{0x08E2, 0x08E2},   CodePointRange{0x180E, 0x180E},
    CodePointRange{0x200B, 0x200F},   CodePointRange{0x202A, 0x202E},
    CodePointRange{0x2060, 0x2064},   CodePointRange{0x2066, 0x206F},
    CodePointRange{0xFEFF, 0xFEFF},   CodePointRange{0xFFF9, 0xFFFB},
    CodePointRange{0x110BD, 0x110BD}, CodePointRange{0x110CD, 0x110CD},
    CodePointRange{0x13430, 0x13438}, CodePointRange{0x1BCA0, 0x1BCA3},
    CodePointRange{0x1D173, 0x1D17A}, CodePointRange{0xE0000, 0xE007F},
};
static_assert(std::is_sorted(kFormatCharacters.begin(), kFormatCharacters.end(),
                             [](auto a, auto b) { return a.last < b.first; }));

bool isFormatCharacter(std::uint32_t c) {
    const auto range =
        std::lower_bound(kFormatCharacters.begin(), kFormatCharacters.end(), c,
                         [](CodePointRange r, std::uint32_t c) { return r.last < c; });
    return range != kFormatCharacters.end() && range->first <= c;
}

// Characters a terminal acts on, that break the line (the line and paragraph separators,
// which the error box honours), or that are invisible or reorder the text around them.
bool needsEscape(std::uint32_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029 ||
           isFormatCharacter(c);
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
        else if (!needsEscape(c))
            text += sequence;
        else if (c < 0x80)
            text += escaped("\\x%02x", c);
        else if (c <= 0xFFFF)
            text += escaped("\\u%04x", c);
        else
            text += escaped("\\U%08x", c);
    }
    return text;
}

std::string commandErrorLine(std::string_view command, std::string_view message) {
    std::string line(command);
    line += ": ";
    line += escapeUnsafeText(message);
    line += '\n';
    return line;
}

} // namespace sound
