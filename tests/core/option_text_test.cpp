#include "option_text.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace {

using sound::parseOption;

struct OptionCase {
    const char* name;
    std::string text;
    std::optional<bool> expected; // no value: the text is rejected
};

class OptionText : public ::testing::TestWithParam<OptionCase> {};

TEST_P(OptionText, ReadsAsExpected) {
    const OptionCase& c = GetParam();
    EXPECT_EQ(parseOption(c.text), c.expected) << "'" << c.text << "'";
}

constexpr std::optional<bool> kTrue = true;
constexpr std::optional<bool> kFalse = false;
constexpr std::optional<bool> kRejected = std::nullopt;

INSTANTIATE_TEST_SUITE_P(
    Numbers, OptionText,
    ::testing::Values(
        OptionCase{"minus_one_as_written", "-1", kTrue}, OptionCase{"zero_as_written", "0", kFalse},
        OptionCase{"one", "1", kTrue}, OptionCase{"plus_two", "+2", kTrue},
        OptionCase{"fraction", "2.5", kTrue}, OptionCase{"half", "0.5", kTrue},
        OptionCase{"exponent", "1e3", kTrue},
        OptionCase{"capital_exponent_with_sign", "1E+3", kTrue},
        OptionCase{"minus_zero", "-0", kFalse}, OptionCase{"zero_point_zero", "0.0", kFalse},
        OptionCase{"zero_between_blanks", "  0  ", kFalse},
        OptionCase{"one_between_blanks", " 1 ", kTrue}, OptionCase{"leading_fraction", ".5", kTrue},
        OptionCase{"trailing_point", "3.", kTrue}, OptionCase{"point_alone_is_zero", ".", kFalse},
        OptionCase{"signed_point_alone_is_zero", "-.", kFalse},
        OptionCase{"zero_with_huge_exponent", "0e99999", kFalse},
        OptionCase{"tiny_but_not_zero", "1e-99999", kTrue}, OptionCase{"huge", "1e99999", kTrue},
        OptionCase{"exponent_without_digits", "1e", kTrue},
        OptionCase{"exponent_sign_without_digits", "7e-", kTrue},
        OptionCase{"many_zeros", std::string(100000, '0'), kFalse},
        OptionCase{"late_non_zero_digit", "0.000000000000000000000000000000000001", kTrue}),
    [](const auto& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(Words, OptionText,
                         ::testing::Values(OptionCase{"True", "True", kTrue},
                                           OptionCase{"False", "False", kFalse},
                                           OptionCase{"all_capitals", "FALSE", kFalse},
                                           OptionCase{"mixed_case", "tRuE", kTrue},
                                           OptionCase{"small_letters", "false", kFalse}),
                         [](const auto& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    Rejected, OptionText,
    ::testing::Values(
        OptionCase{"empty", "", kRejected}, OptionCase{"blanks_only", "   ", kRejected},
        OptionCase{"yes", "yes", kRejected}, OptionCase{"word_with_blank", "True ", kRejected},
        OptionCase{"blank_before_word", " False", kRejected},
        OptionCase{"sign_alone", "-", kRejected}, OptionCase{"exponent_alone", "e5", kRejected},
        OptionCase{"blank_after_sign", "- 1", kRejected},
        OptionCase{"two_points", "1.2.3", kRejected}, OptionCase{"comma", "1,5", kRejected},
        OptionCase{"tab", "\t1", kRejected}, OptionCase{"hexadecimal", "$1", kRejected},
        OptionCase{"exponent_twice", "1e3e3", kRejected},
        OptionCase{"nul_after_number", std::string("1\0", 2), kRejected},
        OptionCase{"true_with_nul", std::string("True\0", 5), kRejected},
        OptionCase{"full_width_one", "\xEF\xBC\x91", kRejected}),
    [](const auto& info) { return info.param.name; });

} // namespace
