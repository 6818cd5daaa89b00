#include "world/extended_sum.h"

#include <cmath>
#include <utility>

namespace tobu {
namespace {

__extension__ typedef unsigned __int128 Wide;

// A finite non-zero number as (-1)^Negative * Mantissa * 2^Exponent, Mantissa < 2^64.
struct Binary {
  bool Negative = false;
  uint64_t Mantissa = 0;
  int Exponent = 0;
};

int TopBit(Wide value) {
  int bit = -1;
  while (value != 0) {
    value >>= 1;
    ++bit;
  }
  return bit;
}

// Drops `bits` low bits of `value` (with `sticky` standing for more below them),
// rounding half to even.
Wide ShiftRounded(Wide value, int bits, bool sticky) {
  if (bits <= 0) return value;
  const Wide rest = value & ((Wide{1} << bits) - 1);
  const Wide half = Wide{1} << (bits - 1);
  Wide kept = value >> bits;
  if (rest > half || (rest == half && (sticky || (kept & 1) != 0))) ++kept;
  return kept;
}

// The step to 64 significant bits, half to even (exact for a double or an x87 number).
Binary SplitStep(long double step) {
  Binary split;
  split.Negative = std::signbit(step);
  int exponent = 0;
  const long double fraction = std::frexp(std::fabs(step), &exponent);  // [0.5, 1)
  const long double scaled = std::ldexp(fraction, 64);
  const long double whole = std::floor(scaled);
  const long double rest = scaled - whole;  // exact
  Wide mantissa = static_cast<Wide>(whole);
  if (rest > 0.5L || (rest == 0.5L && (mantissa & 1) != 0)) ++mantissa;
  int shift = exponent - 64;
  if (mantissa >> 64 != 0) {
    mantissa >>= 1;
    ++shift;
  }
  split.Mantissa = static_cast<uint64_t>(mantissa);
  split.Exponent = shift;
  return split;
}

Binary SplitDouble(double value) {
  Binary split;
  split.Negative = std::signbit(value);
  int exponent = 0;
  const double fraction = std::frexp(std::fabs(value), &exponent);
  split.Mantissa = static_cast<uint64_t>(std::ldexp(fraction, 53));
  split.Exponent = exponent - 53;
  return split;
}

// Places a mantissa so its top bit sits at bit 125 of a 128-bit number, leaving room
// for the carry of a sum.
constexpr int Top = 125;

}  // namespace

double AddExtended64(double value, long double step) {
  if (value == 0.0 || step == 0.0L || !std::isfinite(value) || !std::isfinite(step)) {
    return static_cast<double>(static_cast<long double>(value) + step);
  }
  Binary a = SplitDouble(value);
  Binary b = SplitStep(step);
  // `a` is the larger in magnitude, so the difference below cannot turn negative.
  if (std::fabs(static_cast<long double>(value)) < std::fabs(step)) std::swap(a, b);
  const int shiftA = Top - TopBit(a.Mantissa);
  const int exponent = a.Exponent - shiftA;  // of bit 0 of the aligned numbers
  const Wide big = Wide{a.Mantissa} << shiftA;
  // `b` at the same scale; bits falling below bit 0 only leave a sticky mark.
  const int shiftB = b.Exponent - exponent;
  Wide small = 0;
  bool sticky = false;
  if (shiftB >= 0) {
    small = Wide{b.Mantissa} << shiftB;
  } else if (shiftB > -64) {
    small = Wide{b.Mantissa} >> -shiftB;
    sticky = (b.Mantissa & ((uint64_t{1} << -shiftB) - 1)) != 0;
  } else {
    sticky = true;
  }
  Wide sum = 0;
  if (a.Negative == b.Negative) {
    sum = big + small;
  } else {
    // big - (small + f) = (big - small - 1) + (1 - f) for a lost fraction f in (0, 1).
    sum = big - small - (sticky ? 1 : 0);
    if (sum == 0 && !sticky) return 0.0;  // x - x is +0 when rounding to nearest
  }
  // Round to 64 significant bits (the x87 register), then to 53 (the stored double).
  const int top = TopBit(sum);
  const int drop = top - 63;
  const Wide extended = ShiftRounded(sum, drop, sticky);
  const double magnitude = std::ldexp(static_cast<double>(extended), exponent + (drop > 0 ? drop : 0));
  return a.Negative ? -magnitude : magnitude;
}

}  // namespace tobu
