#include "world/extended_sum.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cstring>
#include <random>
#include <string>

namespace tobu {
namespace {

uint64_t Bits(double value) {
  uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

// The numbers the game's sums are known to give, whatever the build's long double.
TEST(ExtendedSum, GameNumbers) {
  double speed = 0.0;
  for (int i = 0; i < 30; ++i) speed = AddExtended64(speed, 0.1L);
  EXPECT_EQ(speed, 3.0000000000000013);
  double clock = 0.0;
  int ticks = 0;
  while (clock <= 6000.0) {
    clock = AddExtended64(clock, 1.177L);
    ++ticks;
  }
  EXPECT_EQ(ticks, 5098);
  // Friction from top speed comes back to exactly what the runner stops at.
  for (int i = 0; i < 29; ++i) speed = AddExtended64(speed, -0.1L);
  EXPECT_LT(speed, 0.1);
  EXPECT_GT(speed, -0.1);
  EXPECT_NE(speed, 0.0);
}

struct SumCase {
  const char* Name;
  double Value;
  long double Step;
};

class ExtendedSumMatchesX87 : public ::testing::TestWithParam<SumCase> {};

// Double rounding, ties, cancellation, a step far below the value and far above it.
const SumCase Cases[] = {
    {"tenth_to_one", 0.9, 0.1L},
    {"tenth_to_top_speed", 2.9000000000000012, 0.1L},
    {"hundredth", 0.35, 0.01L},
    {"clock", 5997.119999999, 1.177L},
    {"negative_step", 1.3, -0.1L},
    {"cancel", 0.1, -0.1L},
    {"whole_pixel", 2193.4999999999995, 1.0L},
    {"pixel_back", -0.5, 1.0L},
    {"tiny_value", 1e-300, 0.1L},
    {"tiny_step", 4096.0, 1e-30L},
    {"tiny_negative_step", 4096.0, -1e-30L},
    {"tie_at_64_bits", 1.0, 0x1p-64L},
    {"tie_at_53_bits", 1.0, 0x1p-53L},
    {"just_over_tie", 1.0, 0x1.0000000000001p-53L},
    {"double_speed", 449.10000000000002, 3.7000000000000037},
};

TEST_P(ExtendedSumMatchesX87, Case) {
#if LDBL_MANT_DIG == 64
  const SumCase& c = GetParam();
  const double native = static_cast<double>(static_cast<long double>(c.Value) + c.Step);
  EXPECT_EQ(Bits(AddExtended64(c.Value, c.Step)), Bits(native))
      << c.Value << " + " << static_cast<double>(c.Step);
#else
  GTEST_SKIP() << "no x87 long double to compare with";
#endif
}

INSTANTIATE_TEST_SUITE_P(Sums, ExtendedSumMatchesX87, ::testing::ValuesIn(Cases),
                         [](const auto& param) { return std::string(param.param.Name); });

// Long random walks of the game's kinds of sums, each step checked against the x87 unit.
TEST(ExtendedSum, RandomWalksMatchX87) {
#if LDBL_MANT_DIG == 64
  std::mt19937_64 random(17);
  const long double steps[] = {0.1L, -0.1L, 0.01L, 1.177L, 1.0L, -1.0L};
  std::uniform_int_distribution<int> pick(0, 7);
  std::uniform_real_distribution<double> speed(-8.0, 8.0);
  std::uniform_int_distribution<int> scale(-60, 60);
  int mismatches = 0;
  for (int walk = 0; walk < 200; ++walk) {
    double value = std::ldexp(speed(random), scale(random));
    for (int i = 0; i < 500; ++i) {
      const int which = pick(random);
      const long double step = which < 6 ? steps[which] : static_cast<long double>(speed(random));
      const double expected = static_cast<double>(static_cast<long double>(value) + step);
      if (Bits(AddExtended64(value, step)) != Bits(expected)) ++mismatches;
      value = expected;
    }
  }
  EXPECT_EQ(mismatches, 0);
#else
  GTEST_SKIP() << "no x87 long double to compare with";
#endif
}

}  // namespace
}  // namespace tobu
