#include "integer_text.h"

namespace sound {

namespace {

bool isDecimalDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

int hexDigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

void IntegerTextReader::add(char c) {
    switch (state_) {
    case State::Blanks:
        if (c == ' ')
            return;
        if (c == '+' || c == '-') {
            negative_ = c == '-';
            state_ = State::Sign;
        } else if (c == '$' || c == 'x' || c == 'X') {
            state_ = State::HexPrefix;
        } else if (c == '0') {
            state_ = State::LoneZero;
        } else if (isDecimalDigit(c)) {
            magnitude_ = c - '0';
            state_ = State::Decimal;
        } else {
            state_ = State::Invalid;
        }
        return;
    case State::LoneZero:
        if (c == 'x' || c == 'X') {
            state_ = State::HexPrefix;
            return;
        }
        [[fallthrough]];
    case State::Sign:
    case State::Decimal:
        if (!isDecimalDigit(c)) {
            state_ = State::Invalid;
            return;
        }
        state_ = State::Decimal;
        magnitude_ = magnitude_ * 10 + (c - '0');
        if (magnitude_ > (negative_ ? 2147483648LL : 2147483647LL))
            state_ = State::Invalid;
        return;
    case State::HexPrefix:
    case State::Hex: {
        const int d = hexDigitValue(c);
        if (d < 0) {
            state_ = State::Invalid;
            return;
        }
        state_ = State::Hex;
        // Leading zeros are skipped rather than counted; the eight digits that remain are
        // a 32-bit pattern.
        if (pattern_ == 0 && d == 0)
            return;
        if (++significantHexDigits_ > 8) {
            state_ = State::Invalid;
            return;
        }
        pattern_ = (pattern_ << 4) | static_cast<std::uint32_t>(d);
        return;
    }
    case State::Invalid:
        return;
    }
}

std::optional<std::int32_t> IntegerTextReader::value() const {
    switch (state_) {
    case State::LoneZero:
        return 0;
    case State::Decimal:
        return static_cast<std::int32_t>(negative_ ? -magnitude_ : magnitude_);
    case State::Hex:
        return static_cast<std::int32_t>(pattern_);
    default:
        return std::nullopt;
    }
}

std::optional<std::int32_t> parseInteger(std::string_view text) {
    IntegerTextReader reader;
    for (char c : text)
        reader.add(c);
    return reader.value();
}

} // namespace sound
