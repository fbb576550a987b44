// Option text: any bytes are safe to convert; every spelling of True and False is read in
// any letter case; numbers built from the input read as true exactly when a mantissa digit
// is not zero, however extreme the exponent.
#include "option_text.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace {

void check(bool condition) {
    if (!condition)
        std::abort();
}

// Reads the input as a stream of choices; past its end every choice is zero.
class Choices {
public:
    Choices(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    unsigned next() { return pos_ < size_ ? data_[pos_++] : 0; }
    unsigned below(unsigned n) { return next() % n; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

std::string caseVariant(std::string_view word, Choices& choices) {
    std::string s(word);
    for (char& c : s)
        if (choices.below(2) == 1)
            c = static_cast<char>(c >= 'a' ? c - 'a' + 'A' : c - 'A' + 'a');
    return s;
}

std::string digits(Choices& choices, bool& nonZero) {
    std::string s;
    const unsigned count = choices.below(12);
    for (unsigned i = 0; i < count; ++i) {
        // Mostly zeros, so that all-zero mantissas of every shape turn up.
        const unsigned pick = choices.below(16);
        const char d = pick < 10 ? '0' : static_cast<char>('0' + pick - 9);
        nonZero = nonZero || d != '0';
        s.push_back(d);
    }
    return s;
}

// A decimal number of the accepted shape, and whether its value is non-zero.
std::string number(Choices& choices, bool& nonZero) {
    nonZero = false;
    std::string s(choices.below(3), ' ');
    const char* signs[] = {"", "+", "-"};
    s += signs[choices.below(3)];
    std::string mantissa = digits(choices, nonZero);
    if (choices.below(2) == 1 || mantissa.empty())
        mantissa += "." + digits(choices, nonZero);
    s += mantissa;
    if (choices.below(2) == 1) {
        s += choices.below(2) == 1 ? "E" : "e";
        s += signs[choices.below(3)];
        // No exponent digits at all, or exponents far beyond any floating-point range.
        if (choices.below(4) != 0)
            s += std::to_string(choices.next() * 997u) + std::string(choices.below(4), '9');
    }
    s += std::string(choices.below(3), ' ');
    return s;
}

bool isWord(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return lower == "true" || lower == "false";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<bool> value = sound::parseOption(text);

    // An accepted number stays the same number between blanks; a word does not.
    if (value) {
        const std::optional<bool> padded = sound::parseOption(" " + std::string(text) + " ");
        check(isWord(text) ? !padded.has_value() : padded == value);
    }

    Choices choices(data, size);
    check(sound::parseOption(caseVariant("true", choices)) == true);
    check(sound::parseOption(caseVariant("false", choices)) == false);
    bool nonZero = false;
    const std::string n = number(choices, nonZero);
    check(sound::parseOption(n) == nonZero);
    // Anything after the number that is not a blank makes it no number, and no word either.
    check(!sound::parseOption(n + "x").has_value());
    return 0;
}
