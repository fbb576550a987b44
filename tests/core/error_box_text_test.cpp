#include "error_box_text.h"

#include <gtest/gtest.h>
#include <string>

namespace {

struct EndingCase {
    const char* name;
    std::string message;
    std::string shown;
};

class ErrorBoxText : public ::testing::TestWithParam<EndingCase> {};

TEST_P(ErrorBoxText, EscapesTheMessageAndAddsFullStopOnlyAfterAByteAboveFullStop) {
    EXPECT_EQ(sound::errorBoxText(GetParam().message), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Endings, ErrorBoxText,
    ::testing::Values(
        EndingCase{"ascii_letter", "File not found", "File not found."},
        EndingCase{"digit", "I/O エラー (32", "I/O エラー (32."},
        EndingCase{"full_stop", "Done.", "Done."},
        EndingCase{"closing_bracket", "I/O エラー (32)", "I/O エラー (32)"},
        EndingCase{"blank", "trailing blank ", "trailing blank "},
        EndingCase{"hyphen", "minus -", "minus -"},
        // The rule reads the text as shown, escapes included.
        EndingCase{"control_byte", std::string("bell\x01"), "bell\\x01."},
        EndingCase{"escaped_backslash_at_the_end", "C:\\", "C:\\\\."},
        // '/' is the first byte above '.'.
        EndingCase{"slash", "a/", "a/."},
        // Every byte of a UTF-8 character is at least 0x80, so Japanese gets an ASCII stop.
        EndingCase{"japanese", "タイマーを取得できません", "タイマーを取得できません."},
        EndingCase{"japanese_quote", "'abc' は整数ではありません", "'abc' は整数ではありません."},
        EndingCase{"empty", "", ""},
        // A quoted line of a shared file can neither reorder the message nor hide part of it.
        EndingCase{"right_to_left_override", "'\u202E12' は整数ではありません",
                   "'\\u202e12' は整数ではありません."},
        EndingCase{"escape_sequence", "'\x1b[8m1' は整数ではありません",
                   "'\\x1b[8m1' は整数ではありません."},
        EndingCase{"byte_that_is_not_utf8", "'\xFF' は整数ではありません",
                   "'\\xff' は整数ではありません."},
        EndingCase{"nul", std::string("'1") + '\0' + "' は整数ではありません",
                   "'1\\x00' は整数ではありません."}),
    [](const auto& info) { return info.param.name; });

} // namespace
