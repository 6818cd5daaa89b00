#pragma once
#include <cstdint>

namespace tobu {

// The sum of a double and a long double as the x87 unit forms it: rounded to a 64-bit
// significand, then to double, both half to even. Works wherever long double is wider
// or narrower (wasm's is 128-bit, whose single rounding gives other doubles), so every
// build of the game moves the runner by the same numbers. The step is first taken to a
// 64-bit significand, as an x87 constant of the same literal is.
double AddExtended64(double value, long double step);

}  // namespace tobu
