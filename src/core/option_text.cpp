#include "option_text.h"

namespace sound {

namespace {

bool isAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

constexpr std::string_view kTrue = "true";
constexpr std::string_view kFalse = "false";

} // namespace

void OptionTextReader::add(char c) {
    if (mayBeTrue_ || mayBeFalse_) {
        const char lower = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        mayBeTrue_ = mayBeTrue_ && wordLength_ < kTrue.size() && kTrue[wordLength_] == lower;
        mayBeFalse_ = mayBeFalse_ && wordLength_ < kFalse.size() && kFalse[wordLength_] == lower;
        ++wordLength_;
    }

    const bool digit = isAsciiDigit(c);
    switch (number_) {
    case Number::LeadingBlanks:
        if (c == ' ')
            return;
        if (c == '+' || c == '-') {
            number_ = Number::Sign;
            return;
        }
        [[fallthrough]];
    case Number::Sign:
        // A full stop on its own (".", "-.") is still a number, and that number is zero.
        number_ = digit ? Number::Digits : c == '.' ? Number::Fraction : Number::Invalid;
        nonZero_ = nonZero_ || (digit && c != '0');
        return;
    case Number::Digits:
    case Number::Fraction:
        if (digit) {
            nonZero_ = nonZero_ || c != '0';
            return;
        }
        if (c == '.' && number_ == Number::Digits)
            number_ = Number::Fraction;
        else if (c == 'E' || c == 'e')
            number_ = Number::Exponent;
        else
            number_ = c == ' ' ? Number::TrailingBlanks : Number::Invalid;
        return;
    case Number::Exponent:
        if (c == '+' || c == '-') {
            number_ = Number::ExponentDigits;
            return;
        }
        [[fallthrough]];
    case Number::ExponentDigits:
        number_ = digit      ? Number::ExponentDigits
                  : c == ' ' ? Number::TrailingBlanks
                             : Number::Invalid;
        return;
    case Number::TrailingBlanks:
        if (c != ' ')
            number_ = Number::Invalid;
        return;
    case Number::Invalid:
        return;
    }
}

std::optional<bool> OptionTextReader::value() const {
    switch (number_) {
    case Number::Digits:
    case Number::Fraction:
    case Number::Exponent:
    case Number::ExponentDigits:
    case Number::TrailingBlanks:
        return nonZero_;
    default:
        break;
    }
    if (mayBeTrue_ && wordLength_ == kTrue.size())
        return true;
    if (mayBeFalse_ && wordLength_ == kFalse.size())
        return false;
    return std::nullopt;
}

std::optional<bool> parseOption(std::string_view text) {
    OptionTextReader reader;
    for (char c : text)
        reader.add(c);
    return reader.value();
}

} // namespace sound
