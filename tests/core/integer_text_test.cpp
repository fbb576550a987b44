#include "integer_text.h"
#include "row_text.h"

#include <gtest/gtest.h>
#include <string>

namespace {

using sound::parseInteger;
using testsupport::RowText;

struct AcceptedCase {
    const char* name;
    std::string text;
    std::int32_t value;
};

class AcceptedInteger : public ::testing::TestWithParam<AcceptedCase> {};

TEST_P(AcceptedInteger, GivesItsValue) {
    const AcceptedCase& c = GetParam();
    const auto value = parseInteger(c.text);
    ASSERT_TRUE(value.has_value()) << "'" << c.text << "'";
    EXPECT_EQ(*value, c.value) << "'" << c.text << "'";
}

INSTANTIATE_TEST_SUITE_P(
    IntegerText, AcceptedInteger,
    ::testing::Values(
        AcceptedCase{"plain", "12", 12}, AcceptedCase{"lone_zero", "0", 0},
        AcceptedCase{"minus_zero", "-0", 0}, AcceptedCase{"plus_sign", "+7", 7},
        AcceptedCase{"minus_sign", "-45", -45}, AcceptedCase{"leading_zeros", "007", 7},
        AcceptedCase{"zero_then_digits_is_decimal", "012", 12},
        AcceptedCase{"sign_then_leading_zeros", "-0009", -9},
        AcceptedCase{"two_leading_blanks", "  12", 12},
        AcceptedCase{"blanks_before_sign", "   -3", -3},
        AcceptedCase{"upper_limit", "2147483647", 2147483647},
        AcceptedCase{"lower_limit", "-2147483648", -2147483647 - 1},
        AcceptedCase{"upper_limit_after_many_zeros", "0000000000002147483647", 2147483647},
        AcceptedCase{"dollar_prefix", "$10", 16}, AcceptedCase{"x_prefix", "x10", 16},
        AcceptedCase{"capital_x_prefix", "X10", 16}, AcceptedCase{"zero_x_prefix", "0x10", 16},
        AcceptedCase{"zero_capital_x_prefix", "0X10", 16},
        AcceptedCase{"hex_mixed_case_digits", "$aBcD", 0xABCD},
        AcceptedCase{"hex_after_blanks", "  $1F", 31},
        AcceptedCase{"hex_all_ones_is_minus_one", "$FFFFFFFF", -1},
        AcceptedCase{"hex_sign_bit_alone", "0x80000000", -2147483647 - 1},
        AcceptedCase{"hex_largest_positive", "x7FFFFFFF", 2147483647},
        AcceptedCase{"hex_zero", "$0", 0},
        AcceptedCase{"hex_zeros_do_not_count", "$000000000000FFFFFFFF", -1},
        AcceptedCase{"hex_many_zeros_only", std::string("0x") + std::string(100000, '0'), 0},
        AcceptedCase{"marker_value_decimal", "7296183", 7296183},
        AcceptedCase{"marker_value_hex", "$6F54B7", 7296183}),
    [](const auto& info) { return info.param.name; });

struct RejectedCase {
    const char* name;
    RowText text;
};

class RejectedInteger : public ::testing::TestWithParam<RejectedCase> {};

TEST_P(RejectedInteger, GivesNoValue) {
    const std::string text = GetParam().text.str();
    EXPECT_FALSE(parseInteger(text).has_value()) << "'" << text << "'";
}

INSTANTIATE_TEST_SUITE_P(
    IntegerText, RejectedInteger,
    ::testing::Values(
        RejectedCase{"empty", ""}, RejectedCase{"blanks_only", "   "},
        RejectedCase{"leading_tab", "\t12"}, RejectedCase{"trailing_blank", "12 "},
        RejectedCase{"trailing_line_feed", "12\n"}, RejectedCase{"trailing_cr", "12\r"},
        RejectedCase{"blank_after_sign", "- 5"}, RejectedCase{"sign_alone", "-"},
        RejectedCase{"two_signs", "+-5"}, RejectedCase{"minus_before_dollar", "-$10"},
        RejectedCase{"plus_before_zero_x", "+0x10"}, RejectedCase{"dollar_alone", "$"},
        RejectedCase{"x_alone", "x"}, RejectedCase{"zero_x_alone", "0x"},
        RejectedCase{"two_prefixes", "$x10"}, RejectedCase{"blank_after_prefix", "$ 10"},
        RejectedCase{"bad_hex_digit", "$1G"}, RejectedCase{"hex_trailing_blank", "$10 "},
        RejectedCase{"nine_significant_hex_digits", "$100000000"},
        RejectedCase{"one_past_upper_limit", "2147483648"},
        RejectedCase{"one_past_lower_limit", "-2147483649"},
        RejectedCase{"far_past_limit", "99999999999999999999999999"},
        RejectedCase{"decimal_point", "1.5"}, RejectedCase{"exponent", "1e3"},
        RejectedCase{"thousands_comma", "1,000"},
        RejectedCase{"full_width_digits", "\xEF\xBC\x91\xEF\xBC\x92"},
        RejectedCase{"letters", "abc"},
        RejectedCase{"nul_inside", std::string("1\0"
                                               "2",
                                               3)},
        RejectedCase{"nul_after", std::string("12\0", 3)}, RejectedCase{"high_bytes", "\xFF\xFE"},
        RejectedCase{"megabytes_of_digits",
                     RowText::madeBy([] { return std::string(4 << 20, '9'); })}),
    [](const auto& info) { return info.param.name; });

} // namespace
