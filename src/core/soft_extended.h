#pragma once

#include <cstdint>

namespace sound {

// The x86 80-bit extended type done in integer arithmetic: a 64-bit significand, every
// operation rounded to nearest, ties to even, exactly as the x87 unit rounds long double. The
// model's formulas are defined in that type; where the compiler's long double is another one
// (IEEE binary128 in WebAssembly and on 64-bit ARM Linux) the program uses this instead, so
// that every frame is the same on every machine. Its sine and cosine need that wider long
// double; a long double of only 53 bits is refused at compile time.
//
// The exponent is not limited: the model's values lie between 10^-1000 and 10^1000 in size,
// far inside the hardware type's range, so its overflow, underflow and subnormal numbers never
// arise.
class SoftExtended {
public:
    constexpr SoftExtended() = default;
    SoftExtended(double v); // exact
    SoftExtended(int v) : SoftExtended(static_cast<std::int64_t>(v)) {}
    SoftExtended(std::int64_t v); // exact

    // The value (-1)^negative * significand * 2^(exponent - 63); significand's top bit set.
    static constexpr SoftExtended finite(bool negative, std::int32_t exponent,
                                         std::uint64_t significand) {
        SoftExtended x;
        x.kind_ = Kind::Finite;
        x.negative_ = negative;
        x.exponent_ = exponent;
        x.significand_ = significand;
        return x;
    }

    explicit operator double() const; // rounded to nearest, ties to even

    friend SoftExtended operator+(const SoftExtended& a, const SoftExtended& b);
    friend SoftExtended operator-(const SoftExtended& a, const SoftExtended& b);
    friend SoftExtended operator*(const SoftExtended& a, const SoftExtended& b);
    friend SoftExtended operator/(const SoftExtended& a, const SoftExtended& b);
    friend SoftExtended operator-(const SoftExtended& a) {
        SoftExtended r = a;
        r.negative_ = !r.negative_;
        return r;
    }
    friend bool operator==(const SoftExtended& a, const SoftExtended& b) {
        return compare(a, b) == 0;
    }
    friend bool operator<(const SoftExtended& a, const SoftExtended& b) {
        return compare(a, b) == -1;
    }
    friend bool operator>(const SoftExtended& a, const SoftExtended& b) { return b < a; }
    friend bool operator<=(const SoftExtended& a, const SoftExtended& b) {
        const int c = compare(a, b);
        return c == -1 || c == 0;
    }
    friend bool operator>=(const SoftExtended& a, const SoftExtended& b) { return b <= a; }

    friend SoftExtended sqrt(const SoftExtended& x);
    // Sine and cosine correctly rounded from the exact argument, where the standard library
    // has a wider long double to compute them in; otherwise the library's own.
    friend SoftExtended sin(const SoftExtended& x);
    friend SoftExtended cos(const SoftExtended& x);
    friend SoftExtended fabs(const SoftExtended& x) {
        SoftExtended r = x;
        r.negative_ = false;
        return r;
    }
    friend bool isfinite(const SoftExtended& x) {
        return x.kind_ == Kind::Zero || x.kind_ == Kind::Finite;
    }
    // To the nearest integer, ties to even, for |x| < 2^63.
    friend std::int64_t llrint(const SoftExtended& x);

    // The parts, for tests: sign, exponent and significand as finite() takes them.
    bool isNegative() const { return negative_; }
    bool isNan() const { return kind_ == Kind::NaN; }
    std::int32_t exponent() const { return exponent_; }
    std::uint64_t significand() const { return kind_ == Kind::Finite ? significand_ : 0; }

private:
    enum class Kind : std::uint8_t { Zero, Finite, Infinite, NaN };

    static SoftExtended special(Kind kind, bool negative) {
        SoftExtended x;
        x.kind_ = kind;
        x.negative_ = negative;
        return x;
    }
    // -1, 0, 1 for less, equal, greater; 2 when either is NaN.
    static int compare(const SoftExtended& a, const SoftExtended& b);
    // The value sig * 2^(exponent - 127), sig non-zero, rounded to 64 bits.
    static SoftExtended round(bool negative, std::int32_t exponent, unsigned __int128 sig);
    static SoftExtended add(const SoftExtended& a, const SoftExtended& b, bool negateB);
    // The standard library's long double holds every SoftExtended exactly; the way back rounds.
    long double toLongDouble() const;
    static SoftExtended fromLongDouble(long double v);

    Kind kind_ = Kind::Zero;
    bool negative_ = false;
    std::int32_t exponent_ = 0;
    std::uint64_t significand_ = 0;
};

} // namespace sound
