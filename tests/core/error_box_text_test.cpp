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

TEST_P(ErrorBoxText, AddsFullStopOnlyAfterAByteAboveFullStop) {
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
        EndingCase{"control_byte", std::string("bell\x01"), std::string("bell\x01")},
        // '/' is the first byte above '.'.
        EndingCase{"slash", "a/", "a/."},
        // Every byte of a UTF-8 character is at least 0x80, so Japanese gets an ASCII stop.
        EndingCase{"japanese", "タイマーを取得できません", "タイマーを取得できません."},
        EndingCase{"japanese_quote", "'abc' は整数ではありません", "'abc' は整数ではありません."},
        EndingCase{"empty", "", ""}),
    [](const auto& info) { return info.param.name; });

} // namespace
