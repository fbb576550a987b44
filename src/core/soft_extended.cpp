#include "soft_extended.h"

#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>

namespace sound {

namespace {

using U128 = unsigned __int128;

constexpr std::uint64_t kTopBit = std::uint64_t(1) << 63;

int leadingZeros(U128 v) {
    const auto high = static_cast<std::uint64_t>(v >> 64);
    if (high != 0)
        return __builtin_clzll(high);
    return 64 + __builtin_clzll(static_cast<std::uint64_t>(v));
}

// Rounds m to a multiple of 2^drop, to nearest with ties to even, and gives m / 2^drop; for
// drop of 1 ... 64.
std::uint64_t roundRight(std::uint64_t m, int drop) {
    const std::uint64_t kept = drop < 64 ? m >> drop : 0;
    const std::uint64_t rest = drop < 64 ? m & ((std::uint64_t(1) << drop) - 1) : m;
    const std::uint64_t half = std::uint64_t(1) << (drop - 1);
    return kept + (rest > half || (rest == half && (kept & 1)) ? 1 : 0);
}

// Largest q with q * q <= r, for 2^126 <= r < 2^128.
std::uint64_t rootFloor(U128 r) {
    const double estimate = std::sqrt(static_cast<double>(r));
    const double largest = 18446744073709549568.0; // the largest double below 2^64
    U128 q = estimate >= largest ? U128(std::numeric_limits<std::uint64_t>::max())
                                 : U128(static_cast<std::uint64_t>(estimate));
    // One Newton step brings the estimate, good to about 2^11, within one of the root.
    q = (q + r / q) / 2;
    if (q > std::numeric_limits<std::uint64_t>::max())
        q = std::numeric_limits<std::uint64_t>::max();
    while (q * q > r)
        --q;
    while (q < std::numeric_limits<std::uint64_t>::max() && (q + 1) * (q + 1) <= r)
        ++q;
    return static_cast<std::uint64_t>(q);
}

} // namespace

SoftExtended::SoftExtended(double v) {
    std::uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    negative_ = (bits >> 63) != 0;
    const int biased = static_cast<int>((bits >> 52) & 0x7FF);
    const std::uint64_t fraction = bits & ((std::uint64_t(1) << 52) - 1);
    if (biased == 0x7FF) {
        kind_ = fraction != 0 ? Kind::NaN : Kind::Infinite;
    } else if (biased == 0) {
        if (fraction != 0) { // subnormal: fraction * 2^-1074
            const int shift = __builtin_clzll(fraction);
            kind_ = Kind::Finite;
            significand_ = fraction << shift;
            exponent_ = -1011 - shift;
        }
    } else {
        kind_ = Kind::Finite;
        significand_ = (fraction | (std::uint64_t(1) << 52)) << 11;
        exponent_ = biased - 1023;
    }
}

SoftExtended::SoftExtended(std::int64_t v) {
    if (v == 0)
        return;
    negative_ = v < 0;
    const std::uint64_t magnitude =
        negative_ ? std::uint64_t(-(v + 1)) + 1 : static_cast<std::uint64_t>(v);
    const int shift = __builtin_clzll(magnitude);
    kind_ = Kind::Finite;
    significand_ = magnitude << shift;
    exponent_ = 63 - shift;
}

SoftExtended::operator double() const {
    const double sign = negative_ ? -1.0 : 1.0;
    switch (kind_) {
    case Kind::Zero:
        return sign * 0.0;
    case Kind::Infinite:
        return sign * std::numeric_limits<double>::infinity();
    case Kind::NaN:
        return std::numeric_limits<double>::quiet_NaN();
    case Kind::Finite:
        break;
    }
    if (exponent_ > 1023)
        return sign * std::numeric_limits<double>::infinity();
    // 53 bits for a normal double, fewer below 2^-1022.
    const int kept = exponent_ >= -1022 ? 53 : 53 - (-1022 - exponent_);
    const int drop = 64 - kept;
    if (drop > 64)
        return sign * 0.0;
    const std::uint64_t m = roundRight(significand_, drop);
    // m has at most 54 bits and the scaling is exact, overflow to infinity included.
    return sign * std::ldexp(static_cast<double>(m), exponent_ - 63 + drop);
}

std::int64_t llrint(const SoftExtended& x) {
    if (x.kind_ != SoftExtended::Kind::Finite || x.exponent_ < -1)
        return 0;
    const int drop = 63 - x.exponent_;
    const std::uint64_t m = drop > 0 ? roundRight(x.significand_, drop) : x.significand_;
    return x.negative_ ? -static_cast<std::int64_t>(m) : static_cast<std::int64_t>(m);
}

int SoftExtended::compare(const SoftExtended& a, const SoftExtended& b) {
    if (a.kind_ == Kind::NaN || b.kind_ == Kind::NaN)
        return 2;
    auto signOf = [](const SoftExtended& x) {
        return x.kind_ == Kind::Zero ? 0 : x.negative_ ? -1 : 1;
    };
    const int sa = signOf(a);
    const int sb = signOf(b);
    if (sa != sb)
        return sa < sb ? -1 : 1;
    if (sa == 0)
        return 0;
    int magnitude = 0;
    if (a.kind_ != b.kind_)
        magnitude = a.kind_ == Kind::Infinite ? 1 : -1;
    else if (a.kind_ == Kind::Finite && a.exponent_ != b.exponent_)
        magnitude = a.exponent_ < b.exponent_ ? -1 : 1;
    else if (a.kind_ == Kind::Finite && a.significand_ != b.significand_)
        magnitude = a.significand_ < b.significand_ ? -1 : 1;
    return sa > 0 ? magnitude : -magnitude;
}

SoftExtended SoftExtended::round(bool negative, std::int32_t exponent, U128 sig) {
    const int shift = leadingZeros(sig);
    sig <<= shift;
    exponent -= shift;
    std::uint64_t kept = static_cast<std::uint64_t>(sig >> 64);
    const auto rest = static_cast<std::uint64_t>(sig);
    if (rest > kTopBit || (rest == kTopBit && (kept & 1))) {
        if (++kept == 0) {
            kept = kTopBit;
            ++exponent;
        }
    }
    return finite(negative, exponent, kept);
}

SoftExtended SoftExtended::add(const SoftExtended& a, const SoftExtended& bIn, bool negateB) {
    SoftExtended b = bIn;
    b.negative_ = b.negative_ != negateB;
    if (a.kind_ == Kind::NaN || b.kind_ == Kind::NaN)
        return special(Kind::NaN, false);
    if (a.kind_ == Kind::Infinite && b.kind_ == Kind::Infinite)
        return a.negative_ == b.negative_ ? a : special(Kind::NaN, false);
    if (a.kind_ == Kind::Infinite)
        return a;
    if (b.kind_ == Kind::Infinite)
        return b;
    if (a.kind_ == Kind::Zero && b.kind_ == Kind::Zero)
        return special(Kind::Zero, a.negative_ && b.negative_);
    if (a.kind_ == Kind::Zero)
        return b;
    if (b.kind_ == Kind::Zero)
        return a;

    const bool aLarger =
        a.exponent_ != b.exponent_ ? a.exponent_ > b.exponent_ : a.significand_ >= b.significand_;
    const SoftExtended& x = aLarger ? a : b;
    const SoftExtended& y = aLarger ? b : a;
    const U128 sigX = U128(x.significand_) << 64;
    U128 sigY = U128(y.significand_) << 64;
    // The bits shifted out of the smaller operand only decide the rounding: one sticky bit
    // far below the rounding position keeps that.
    const std::int64_t d = std::int64_t(x.exponent_) - y.exponent_;
    if (d >= 128) {
        sigY = 1;
    } else if (d > 0) {
        const bool lost = (sigY & ((U128(1) << d) - 1)) != 0;
        sigY = (sigY >> d) | (lost ? 1 : 0);
    }
    if (x.negative_ == y.negative_) {
        U128 sum = sigX + sigY;
        std::int32_t exponent = x.exponent_;
        if (sum < sigX) { // carried out of 128 bits
            sum = (sum >> 1) | (U128(1) << 127) | (sum & 1);
            ++exponent;
        }
        return round(x.negative_, exponent, sum);
    }
    const U128 difference = sigX - sigY;
    if (difference == 0)
        return special(Kind::Zero, false);
    return round(x.negative_, x.exponent_, difference);
}

SoftExtended operator+(const SoftExtended& a, const SoftExtended& b) {
    return SoftExtended::add(a, b, false);
}

SoftExtended operator-(const SoftExtended& a, const SoftExtended& b) {
    return SoftExtended::add(a, b, true);
}

SoftExtended operator*(const SoftExtended& a, const SoftExtended& b) {
    using Kind = SoftExtended::Kind;
    const bool negative = a.negative_ != b.negative_;
    if (a.kind_ == Kind::NaN || b.kind_ == Kind::NaN)
        return SoftExtended::special(Kind::NaN, false);
    if (a.kind_ == Kind::Infinite || b.kind_ == Kind::Infinite) {
        if (a.kind_ == Kind::Zero || b.kind_ == Kind::Zero)
            return SoftExtended::special(Kind::NaN, false);
        return SoftExtended::special(Kind::Infinite, negative);
    }
    if (a.kind_ == Kind::Zero || b.kind_ == Kind::Zero)
        return SoftExtended::special(Kind::Zero, negative);
    // The product of the significands is exact in 128 bits.
    return SoftExtended::round(negative, a.exponent_ + b.exponent_ + 1,
                               U128(a.significand_) * b.significand_);
}

SoftExtended operator/(const SoftExtended& a, const SoftExtended& b) {
    using Kind = SoftExtended::Kind;
    const bool negative = a.negative_ != b.negative_;
    if (a.kind_ == Kind::NaN || b.kind_ == Kind::NaN)
        return SoftExtended::special(Kind::NaN, false);
    if (a.kind_ == b.kind_ && (a.kind_ == Kind::Infinite || a.kind_ == Kind::Zero))
        return SoftExtended::special(Kind::NaN, false);
    if (a.kind_ == Kind::Infinite || b.kind_ == Kind::Zero)
        return SoftExtended::special(Kind::Infinite, negative);
    if (a.kind_ == Kind::Zero || b.kind_ == Kind::Infinite)
        return SoftExtended::special(Kind::Zero, negative);
    // floor(ma 2^127 / mb) in two steps of 64 bits, 127 or 128 bits in all; a non-zero
    // remainder becomes a sticky bit far below the rounding position.
    const std::uint64_t mb = b.significand_;
    const U128 first = U128(a.significand_) << 63;
    const U128 high = first / mb;
    const U128 low = ((first % mb) << 64) / mb;
    const bool inexact = (((first % mb) << 64) % mb) != 0;
    return SoftExtended::round(negative, a.exponent_ - b.exponent_,
                               (high << 64) | low | (inexact ? 1 : 0));
}

SoftExtended sqrt(const SoftExtended& x) {
    using Kind = SoftExtended::Kind;
    if (x.kind_ == Kind::Zero)
        return x;
    if (x.kind_ == Kind::NaN || x.negative_)
        return SoftExtended::special(Kind::NaN, false);
    if (x.kind_ == Kind::Infinite)
        return x;
    // x = m 2^e with e = exponent - 63; m shifted by s so that e - s is even has a root of
    // exactly 64 bits. The root of an integer is never a half-integer, so comparing the
    // remainder with the root decides the rounding.
    const std::int32_t e = x.exponent_ - 63;
    const int s = (e - 63) % 2 == 0 ? 63 : 64;
    const U128 r = U128(x.significand_) << s;
    std::uint64_t q = rootFloor(r);
    std::int32_t exponent = (e - s) / 2 + 63;
    if (r - U128(q) * q > q) {
        if (++q == 0) {
            q = kTopBit;
            ++exponent;
        }
    }
    return SoftExtended::finite(false, exponent, q);
}

// The standard library's long double is binary128 or the x87 type itself.
static_assert(LDBL_MANT_DIG >= 64);

long double SoftExtended::toLongDouble() const {
    switch (kind_) {
    case Kind::Zero:
        return negative_ ? -0.0L : 0.0L;
    case Kind::Infinite:
        return negative_ ? -std::numeric_limits<long double>::infinity()
                         : std::numeric_limits<long double>::infinity();
    case Kind::NaN:
        return std::numeric_limits<long double>::quiet_NaN();
    case Kind::Finite:
        break;
    }
    const long double magnitude =
        std::ldexp(static_cast<long double>(significand_), exponent_ - 63);
    return negative_ ? -magnitude : magnitude;
}

SoftExtended SoftExtended::fromLongDouble(long double v) {
    if (std::isnan(v))
        return special(Kind::NaN, false);
    if (std::isinf(v))
        return special(Kind::Infinite, v < 0);
    if (v == 0)
        return special(Kind::Zero, std::signbit(v));
    // v = f 2^e with f in [1/2, 1); f 2^LDBL_MANT_DIG is a whole number.
    int e = 0;
    const long double f = std::frexp(std::fabs(v), &e);
    const auto sig = static_cast<U128>(std::ldexp(f, LDBL_MANT_DIG));
    return round(v < 0, e - 1, sig << (128 - LDBL_MANT_DIG));
}

SoftExtended sin(const SoftExtended& x) {
    return SoftExtended::fromLongDouble(std::sin(x.toLongDouble()));
}

SoftExtended cos(const SoftExtended& x) {
    return SoftExtended::fromLongDouble(std::cos(x.toLongDouble()));
}

} // namespace sound
