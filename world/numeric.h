#pragma once
#include <cfloat>
#include <cmath>
#include <cstdint>

#include "world/extended_sum.h"

namespace tobu {

// Positions, speeds and the clock are summed in x87 extended precision and rounded
// to double when stored; the game's numbers (a top speed of 3.0000000000000013,
// a clock minute of 5098 ticks) depend on exactly this. Where long double is not the
// x87 format (WebAssembly), the same rounding is done in integers.
inline double AddExtended(double value, long double step) {
#if LDBL_MANT_DIG == 64
  return static_cast<double>(static_cast<long double>(value) + step);
#else
  return AddExtended64(value, step);
#endif
}

// A double becomes a whole pixel by rounding half to even (the default rounding mode).
inline int32_t RoundPixel(double value) { return static_cast<int32_t>(std::lrint(value)); }

}  // namespace tobu
