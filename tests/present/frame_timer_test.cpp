#include "present/frame_timer.h"

#include <gtest/gtest.h>

namespace tobu {
namespace {

struct PollCase {
  const char* Name;
  uint32_t Start;
  std::vector<uint32_t> Polls;
  std::vector<int32_t> Lags;
};

class FrameTimerPolls : public ::testing::TestWithParam<PollCase> {};

TEST_P(FrameTimerPolls, GivesTheLagOfEachDueTick) {
  const PollCase& c = GetParam();
  FrameTimer timer;
  timer.Start(c.Start);
  std::vector<int32_t> lags;
  for (uint32_t now : c.Polls) lags.push_back(timer.Poll(now));
  EXPECT_EQ(lags, c.Lags);
}

INSTANTIATE_TEST_SUITE_P(
    Clock, FrameTimerPolls,
    ::testing::Values(PollCase{"FirstTickAfterTen", 1000, {1000, 1009, 1010}, {0, 0, 1}},
                      PollCase{"ThirtyFiveGivesThree", 1000, {1010, 1045}, {1, 3}},
                      PollCase{"NineGivesNoTick", 1000, {1010, 1019, 1020}, {1, 0, 1}},
                      PollCase{"LateByNineteenStillOne", 0, {19, 28, 29}, {1, 0, 1}},
                      PollCase{"WrapAround", 0xFFFFFFF8u, {0xFFFFFFFFu, 2, 12, 47}, {0, 1, 1, 3}},
                      PollCase{"ClockGoingBackIsHugeNotNegative", 1000, {990}, {429496728}}),
    [](const ::testing::TestParamInfo<PollCase>& param) { return param.param.Name; });

TEST(FrameTimer, EveryDueTickHasLagAtLeastOne) {
  for (uint32_t elapsed = 0; elapsed < 1000; ++elapsed) {
    FrameTimer timer;
    timer.Start(77);
    const int32_t lag = timer.Poll(77 + elapsed);
    EXPECT_EQ(lag, elapsed < 10 ? 0 : static_cast<int32_t>(elapsed / 10)) << elapsed;
  }
}

TEST(FrameTimer, StoppedGivesNothingAndRestartWaitsTenMore) {
  FrameTimer timer;
  EXPECT_EQ(timer.Poll(500), 0);  // never started
  timer.Start(0);
  EXPECT_EQ(timer.Poll(10), 1);
  timer.Stop();
  EXPECT_FALSE(timer.Running());
  EXPECT_EQ(timer.Poll(5000), 0);
  timer.Start(5000);
  EXPECT_TRUE(timer.Running());
  EXPECT_EQ(timer.MillisecondsUntilNextTick(5000), 10u);
  EXPECT_EQ(timer.Poll(5009), 0);
  EXPECT_EQ(timer.MillisecondsUntilNextTick(5009), 1u);
  EXPECT_EQ(timer.Poll(5010), 1);
  EXPECT_EQ(timer.MillisecondsUntilNextTick(5013), 7u);
  EXPECT_EQ(timer.MillisecondsUntilNextTick(5030), 0u);
}

}  // namespace
}  // namespace tobu
