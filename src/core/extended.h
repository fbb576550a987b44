#pragma once

#include "soft_extended.h"

#include <cfloat>
#include <cmath>
#include <cstdint>

namespace sound {

// The type every formula of the model is evaluated in: the x86 80-bit extended type. Where
// the compiler's long double is that type it is used as it is; where it is binary128
// (WebAssembly) SoftExtended computes the same bits, so a frame is the same on every machine.
// pi to the precision of the extended type: the 64-bit significand of 3.1415926535897932385.
inline constexpr SoftExtended kSoftPi = SoftExtended::finite(false, 1, 0xC90FDAA22168C235);

#if LDBL_MANT_DIG == 64
using Extended = long double;
// pi to the precision of the extended type.
inline constexpr Extended kPi = 3.1415926535897932385L;
#else
using Extended = SoftExtended;
inline constexpr Extended kPi = kSoftPi;
#endif

// The functions of the model on Extended, by the same names for both kinds.
namespace ext {

inline Extended sin(Extended x) {
    using std::sin;
    return sin(x);
}
inline Extended cos(Extended x) {
    using std::cos;
    return cos(x);
}
inline Extended sqrt(Extended x) {
    using std::sqrt;
    return sqrt(x);
}
inline Extended fabs(Extended x) {
    using std::fabs;
    return fabs(x);
}
inline bool isfinite(Extended x) {
    using std::isfinite;
    return isfinite(x);
}
// To the nearest integer, ties to even.
inline std::int64_t llrint(Extended x) {
    using std::llrint;
    return llrint(x);
}

} // namespace ext

} // namespace sound
