// A message as the error box and the command's error line show it: everything a terminal acts
// on, everything that reorders text and every byte that is not UTF-8 shows as a visible escape.
#include "escape_unsafe_text.h"

#include <gtest/gtest.h>
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
        EscapeCase{"shift_jis_bytes", "\x94\x67", "\\x94g"}),
    [](const auto& info) { return info.param.name; });

} // namespace
