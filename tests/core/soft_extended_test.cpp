// The software extended type against the x87 unit's own long double: every operation the
// model uses, on random operands and on the special values, bit for bit.
#include "extended.h"
#include "soft_extended.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <random>

#if LDBL_MANT_DIG == 64

namespace {

using sound::SoftExtended;

// The x87 value as SoftExtended's parts, then built from them.
SoftExtended fromHardware(long double v) {
    if (std::isnan(v))
        return SoftExtended(std::numeric_limits<double>::quiet_NaN());
    if (std::isinf(v) || v == 0)
        return SoftExtended(static_cast<double>(v));
    int e = 0;
    const long double f = std::frexp(std::fabs(v), &e);
    return SoftExtended::finite(v < 0, e - 1, static_cast<std::uint64_t>(std::ldexp(f, 64)));
}

testing::AssertionResult same(const SoftExtended& actual, long double expected, const char* what,
                              long double a, long double b) {
    const SoftExtended want = fromHardware(expected);
    const bool equal =
        std::isnan(expected)
            ? actual.isNan()
            : !actual.isNan() && actual.isNegative() == want.isNegative() &&
                  actual.significand() == want.significand() &&
                  (want.significand() == 0 || actual.exponent() == want.exponent()) &&
                  isfinite(actual) == isfinite(want);
    if (equal)
        return testing::AssertionSuccess();
    return testing::AssertionFailure()
           << what << " of " << std::hexfloat << a << " and " << b << ": x87 gives " << expected
           << ", soft gives sign " << actual.isNegative() << " exponent " << actual.exponent()
           << " significand " << std::hex << actual.significand();
}

// Operands with every bit of the significand used, over the exponents the model meets, and
// some that are equal, nearly equal, or far apart in size.
class Operands {
public:
    long double next() {
        switch (std::uniform_int_distribution<int>(0, 9)(rng_)) {
        case 0:
            return static_cast<long double>(
                std::uniform_int_distribution<std::int64_t>(-1000, 1000)(rng_));
        case 1:
            return last_; // the same again: x - x, x / x
        case 2:
            return std::nextafter(last_, 0.0L);
        default:
            break;
        }
        const auto significand =
            std::uniform_int_distribution<std::uint64_t>()(rng_) | (1ULL << 63);
        const int exponent = std::uniform_int_distribution<int>(-200, 200)(rng_);
        long double v = std::ldexp(static_cast<long double>(significand), exponent - 63);
        if (std::bernoulli_distribution(0.5)(rng_))
            v = -v;
        last_ = v;
        return v;
    }

private:
    std::mt19937_64 rng_{42};
    long double last_ = 1;
};

TEST(SoftExtended, ArithmeticRoundsAsTheX87Unit) {
    Operands operands;
    for (int i = 0; i < 200000; ++i) {
        const long double a = operands.next();
        const long double b = operands.next();
        const SoftExtended sa = fromHardware(a);
        const SoftExtended sb = fromHardware(b);
        ASSERT_TRUE(same(sa + sb, a + b, "sum", a, b));
        ASSERT_TRUE(same(sa - sb, a - b, "difference", a, b));
        ASSERT_TRUE(same(sa * sb, a * b, "product", a, b));
        ASSERT_TRUE(same(sa / sb, a / b, "quotient", a, b));
        ASSERT_TRUE(same(sqrt(fabs(sa)), std::sqrt(std::fabs(a)), "root", a, 0));
        ASSERT_EQ(sa < sb, a < b);
        ASSERT_EQ(sa <= sb, a <= b);
        ASSERT_EQ(sa == sb, a == b);
        ASSERT_EQ(static_cast<double>(sa), static_cast<double>(a));
        if (std::fabs(a) < 0x1p62L) {
            ASSERT_EQ(llrint(sa), std::llrint(a));
        }
    }
}

TEST(SoftExtended, ConversionsAreExact) {
    std::mt19937_64 rng(7);
    for (int i = 0; i < 100000; ++i) {
        const auto bits = std::uniform_int_distribution<std::uint64_t>()(rng);
        double d;
        std::memcpy(&d, &bits, sizeof d); // every double, subnormals, infinities and NaN included
        ASSERT_TRUE(same(SoftExtended(d), d, "from double", d, 0));
        const auto n = static_cast<std::int64_t>(bits);
        ASSERT_TRUE(same(SoftExtended(n), static_cast<long double>(n), "from integer", n, 0));
    }
}

// Rows of special operands: zeros of both signs, infinities, NaN, halves for the ties.
TEST(SoftExtended, SpecialValuesBehaveAsTheX87Unit) {
    const long double inf = std::numeric_limits<long double>::infinity();
    const long double values[] = {0.0L,          -0.0L,      inf,   -inf,
                                  std::nanl(""), 1.0L,       -2.5L, 0.5L,
                                  1.5L,          0x1p-1000L, 3.0L,  0x1.ffffffffffffffffp62L};
    for (long double a : values) {
        for (long double b : values) {
            const SoftExtended sa = fromHardware(a);
            const SoftExtended sb = fromHardware(b);
            EXPECT_TRUE(same(sa + sb, a + b, "sum", a, b));
            EXPECT_TRUE(same(sa - sb, a - b, "difference", a, b));
            EXPECT_TRUE(same(sa * sb, a * b, "product", a, b));
            EXPECT_TRUE(same(sa / sb, a / b, "quotient", a, b));
            EXPECT_EQ(sa < sb, a < b) << double(a) << " " << double(b);
            EXPECT_EQ(sa == sb, a == b) << double(a) << " " << double(b);
        }
        EXPECT_TRUE(same(sqrt(fromHardware(a)), std::sqrt(a), "root", a, 0));
        EXPECT_EQ(static_cast<double>(fromHardware(a)) == static_cast<double>(a) || std::isnan(a),
                  true);
    }
}

// The soft pi is the constant the hardware type makes of the model's decimal pi.
TEST(SoftExtended, PiIsTheExtendedConstant) {
    EXPECT_TRUE(same(sound::kSoftPi, 3.1415926535897932385L, "pi", 0, 0));
}

} // namespace

#endif
