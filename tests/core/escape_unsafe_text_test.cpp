// A message as the error box and the command's error line show it: everything a terminal acts
// on, everything that reorders text and every byte that is not UTF-8 shows as a visible escape.
#include "escape_unsafe_text.h"

#include <algorithm>
#include <cstdio>
#include <gtest/gtest.h>
#include <iterator>
#include <string>

namespace {

struct EscapeCase {
    const char* name;
    std::string message;
    std::string shown;
};

// Test listings show the row's name rather than its bytes.
void PrintTo(const EscapeCase& c, std::ostream* os) {
    *os << c.name;
}

class EscapeUnsafeText : public ::testing::TestWithParam<EscapeCase> {};

TEST_P(EscapeUnsafeText, ShowsWhatATerminalWouldActOnOrWhatReordersText) {
    EXPECT_EQ(sound::escapeUnsafeText(GetParam().message), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, EscapeUnsafeText,
    ::testing::Values(
        EscapeCase{"japanese_message_unchanged", "set.okd:5: 'abc' は整数ではありません",
                   "set.okd:5: 'abc' は整数ではありません"},
        EscapeCase{"replacement_character_unchanged", "'\uFFFD'", "'\uFFFD'"},
        EscapeCase{"escape_sequence", "\x1b[31mred", "\\x1b[31mred"},
        EscapeCase{"carriage_return_line_feed_tab", "a\rb\nc\td", "a\\rb\\nc\\td"},
        EscapeCase{"nul_and_bell", std::string("a\0\a", 3), "a\\x00\\x07"},
        EscapeCase{"delete", "\x7f", "\\x7f"},
        EscapeCase{"c1_control_sequence_introducer",
                   "\xC2\x9B"
                   "31m",
                   "\\u009b31m"},
        EscapeCase{"right_to_left_override", "a\u202Egnp.exe", "a\\u202egnp.exe"},
        EscapeCase{"isolates_and_marks", "\u2066\u2069\u200E\u200F\u061C",
                   "\\u2066\\u2069\\u200e\\u200f\\u061c"},
        EscapeCase{"no_break_space_and_ideographic_space_unchanged", "\u00A0\u3000",
                   "\u00A0\u3000"},
        EscapeCase{"bytes_that_are_not_utf8", "set\xff\xe9.okd", "set\\xff\\xe9.okd"},
        EscapeCase{"sequence_cut_short", "\xe2\x80", "\\xe2\\x80"},
        EscapeCase{"backslash_doubled", "a\\x1b", "a\\\\x1b"},
        // Which bytes make a UTF-8 character.
        EscapeCase{"two_byte", "\xC3\xA9", "\xC3\xA9"},
        EscapeCase{"four_byte", "\xF0\x9F\x8E\xB5", "\xF0\x9F\x8E\xB5"},
        EscapeCase{"last_code_point", "\xF4\x8F\xBF\xBF", "\xF4\x8F\xBF\xBF"},
        EscapeCase{"lone_continuation", "\x80", "\\x80"},
        EscapeCase{"overlong_nul", "\xC0\x80", "\\xc0\\x80"},
        EscapeCase{"overlong_three_byte", "\xE0\x80\xAF", "\\xe0\\x80\\xaf"},
        EscapeCase{"surrogate", "\xED\xA0\x80", "\\xed\\xa0\\x80"},
        EscapeCase{"past_last_code_point", "\xF4\x90\x80\x80", "\\xf4\\x90\\x80\\x80"},
        EscapeCase{"shift_jis_bytes", "\x94\x67", "\\x94g"},
        // Invisible and line-breaking characters, each in the format of its plane.
        EscapeCase{"line_and_paragraph_separators", "a\u2028b\u2029", "a\\u2028b\\u2029"},
        EscapeCase{"byte_order_mark_and_zero_width_space", "\uFEFF45\u200B", "\\ufeff45\\u200b"},
        EscapeCase{"tag_characters", "\U000E0001\U000E0041", "\\U000e0001\\U000e0041"},
        // Visible characters just beside the invisible ones, and an ideographic variation
        // sequence, which Japanese names use.
        EscapeCase{"neighbours_and_variation_selector", "\u200A\u2010\u2065\u2070\u845B\U000E0100",
                   "\u200A\u2010\u2065\u2070\u845B\U000E0100"}),
    [](const auto& info) { return info.param.name; });

std::string utf8(char32_t c) {
    std::string s;
    if (c < 0x80) {
        s += char(c);
    } else if (c < 0x800) {
        s += {char(0xC0 | c >> 6), char(0x80 | (c & 0x3F))};
    } else if (c < 0x10000) {
        s += {char(0xE0 | c >> 12), char(0x80 | (c >> 6 & 0x3F)), char(0x80 | (c & 0x3F))};
    } else {
        s += {char(0xF0 | c >> 18), char(0x80 | (c >> 12 & 0x3F)), char(0x80 | (c >> 6 & 0x3F)),
              char(0x80 | (c & 0x3F))};
    }
    return s;
}

// Every character is either shown as it is or as the one escape of its plane, and every one
// that is invisible, breaks a line or reorders text is escaped: the blocks below are whole
// ranges of format characters and separators, so a table that lost one would show here.
TEST(EscapeUnsafeText, EscapesEveryInvisibleCharacterOneWay) {
    struct Range {
        char32_t first;
        char32_t last;
    };
    const Range mustEscape[] = {{0x00AD, 0x00AD}, {0x0600, 0x0605},   {0x061C, 0x061C},
                                {0x180E, 0x180E}, {0x200B, 0x200F},   {0x2028, 0x202E},
                                {0x2060, 0x2064}, {0x2066, 0x206F},   {0xFEFF, 0xFEFF},
                                {0xFFF9, 0xFFFB}, {0x1D173, 0x1D17A}, {0xE0000, 0xE007F}};
    int escapedCount = 0;
    for (char32_t c = 0x80; c <= 0x10FFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue;
        const std::string shown = sound::escapeUnsafeText(utf8(c));
        char escape[16];
        std::snprintf(escape, sizeof escape, c <= 0xFFFF ? "\\u%04x" : "\\U%08x", unsigned(c));
        const bool required = std::any_of(std::begin(mustEscape), std::end(mustEscape),
                                          [c](Range r) { return c >= r.first && c <= r.last; });
        if (shown != utf8(c)) {
            ASSERT_EQ(shown, escape);
            ++escapedCount;
        } else {
            ASSERT_FALSE(required) << std::hex << unsigned(c);
        }
    }
    // The C1 controls, the separators and the format characters, and nothing much else.
    EXPECT_LT(escapedCount, 400);
}

} // namespace
