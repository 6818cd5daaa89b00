#include <gtest/gtest.h>

#include <string>

#include "sim/clock.h"
#include "sim/ranking.h"

namespace tobu {
namespace {

TEST(RunClock, OneMinuteIs5098Ticks) {
  RunClock clock;
  for (int tick = 1; tick <= 5097; ++tick) clock.Step();
  EXPECT_EQ(clock.ClockMinutes, 0);
  EXPECT_GT(clock.Clock, 5999.0);
  EXPECT_LE(clock.Clock, 6000.0);
  EXPECT_EQ(clock.ClockSeconds, 59);
  EXPECT_EQ(clock.ClockHundredths, 99);
  clock.Step();
  EXPECT_EQ(clock.Clock, 0.0);
  EXPECT_EQ(clock.ClockMinutes, 1);
  EXPECT_EQ(clock.ClockSeconds, 0);
  EXPECT_EQ(clock.ClockHundredths, 0);
  EXPECT_EQ(ClockTimeText(clock), "01:00:00");
}

TEST(RunClock, ShownDigitsAfterSomeTicks) {
  struct Case {
    int ticks;
    int seconds, hundredths;
  };
  // 1.177 per tick: 85 ticks are 100.045 hundredths, 1000 ticks 1177.
  const Case cases[] = {{1, 0, 1}, {2, 0, 2}, {42, 0, 49}, {85, 1, 0}, {1000, 11, 77}};
  for (const Case& c : cases) {
    RunClock clock;
    for (int tick = 0; tick < c.ticks; ++tick) clock.Step();
    EXPECT_EQ(clock.ClockSeconds, c.seconds) << c.ticks;
    EXPECT_EQ(clock.ClockHundredths, c.hundredths) << c.ticks;
    EXPECT_NEAR(clock.Clock, 1.177 * c.ticks, 1e-9);
  }
}

TEST(RunClock, MinutesWrapAt255) {
  RunClock clock;
  clock.ClockMinutes = 255;
  clock.Clock = 5999.5;
  clock.Step();
  EXPECT_EQ(clock.ClockMinutes, 0);
  EXPECT_EQ(clock.Clock, 0.0);
}

TEST(TimeText, StoredTimeDigitsFromTheRight) {
  struct Case {
    int32_t time;
    const char* text;
  };
  const Case cases[] = {{10523, "01:05:23"},
                        {7, "00:00:07"},
                        {0, "00:00:00"},
                        {12345, "01:23:45"},
                        {999999, "99:99:99"},
                        {1234567, "23:45:67"},
                        // A negative time (only an edited file holds one) reads as unsigned: 4294967291.
                        {-5, "96:72:91"}};
  for (const Case& c : cases) EXPECT_EQ(StoredTimeText(c.time), c.text) << c.time;
}

// Plus reads times as a stopwatch does; the stored digits are read unsigned, as above.
TEST(TimeText, StopwatchFromStoredTimes) {
  const struct {
    int32_t Time;
    const char* Text;
  } cases[] = {{10523, "1:05.23"}, {4201, "42.01"},       {7, "0.07"},         {0, "0.00"},
               {905, "9.05"},      {999999, "100:39.99"}, {-5, "429497:12.91"}};
  for (const auto& c : cases) EXPECT_EQ(StopwatchText(StoredHundredths(c.Time)), c.Text) << c.Time;
}

TEST(TimeText, ClockDigitsWithLeadingZeros) {
  RunClock clock;
  clock.ClockMinutes = 1;
  clock.ClockSeconds = 5;
  clock.ClockHundredths = 23;
  EXPECT_EQ(ClockTimeText(clock), "01:05:23");
  clock.ClockMinutes = 123;
  EXPECT_EQ(ClockTimeText(clock), "123:05:23");
}

// Ranking: a table given as (name, time) pairs from place 1.
using Table = std::vector<std::pair<std::string, int32_t>>;

BestTimes MakeTimes(const Table& table) {
  BestTimes times;
  for (size_t i = 0; i < table.size(); ++i) {
    times.BestNames[i + 1] = table[i].first;
    times.BestTime[i + 1] = table[i].second;
  }
  return times;
}

RunClock ClockShowing(int minutes, int seconds, int hundredths) {
  RunClock clock;
  clock.ClockMinutes = static_cast<uint8_t>(minutes);
  clock.ClockSeconds = static_cast<uint8_t>(seconds);
  clock.ClockHundredths = static_cast<uint8_t>(hundredths);
  return clock;
}

Table FullTable() {
  Table table;
  for (int place = 1; place <= 10; ++place) table.emplace_back("P" + std::to_string(place), 1000 * place);
  return table;
}

struct RankCase {
  std::string name;
  Table before;
  RunClock clock;
  Table after;
  bool newBest;
  bool inTopTen;
};

class RankingTest : public ::testing::TestWithParam<RankCase> {};

TEST_P(RankingTest, PlacesTheTimeAndSetsTheFlags) {
  const RankCase& c = GetParam();
  BestTimes times = MakeTimes(c.before);
  RunOutcome outcome;
  outcome.RunFinished = true;
  outcome.InTopTen = true;  // left over from an earlier run
  outcome.BestTimeText = "00:00:01";
  RankFinishedRun(outcome, c.clock, "Al", times);
  EXPECT_EQ(times, MakeTimes(c.after));
  EXPECT_FALSE(outcome.RunFinished);
  EXPECT_EQ(outcome.NewBestTime, c.newBest);
  EXPECT_EQ(outcome.InTopTen, c.inTopTen);
  EXPECT_EQ(outcome.ResultText, ClockTimeText(c.clock));
  EXPECT_EQ(outcome.BestTimeText, c.newBest ? "" : "00:00:01");
}

Table Insert(Table table, size_t place, int32_t time) {
  table.insert(table.begin() + static_cast<std::ptrdiff_t>(place - 1), {"Al", time});
  table.resize(std::min<size_t>(table.size(), 10));
  return table;
}

std::vector<RankCase> RankCases() {
  std::vector<RankCase> cases = {
      // Taking an empty place 1 leaves InTopTen as the last ranking left it (true here).
      {"EmptyTable", {}, ClockShowing(1, 5, 23), {{"Al", 10523}}, true, true},
      {"FirstTickZero", {}, ClockShowing(0, 0, 0), {{"Al", 0}}, true, true},
      {"EqualToBestGoesSecond",
       {{"Bo", 10523}, {"Cy", 20000}},
       ClockShowing(1, 5, 23),
       {{"Bo", 10523}, {"Al", 10523}, {"Cy", 20000}},
       false,
       true},
      {"EqualToLastGoesAfter",
       {{"Bo", 100}, {"Cy", 10523}},
       ClockShowing(1, 5, 23),
       {{"Bo", 100}, {"Cy", 10523}, {"Al", 10523}},
       false,
       false},
      {"SlowerAppends",
       {{"Bo", 100}, {"Cy", 200}},
       ClockShowing(0, 3, 0),
       {{"Bo", 100}, {"Cy", 200}, {"Al", 300}},
       false,
       false},
      {"FullAndSlowerUnchanged", FullTable(), ClockShowing(1, 0, 1), FullTable(), false, false},
      {"FullAndEqualToLastUnchanged", FullTable(), ClockShowing(1, 0, 0), FullTable(), false, false},
      {"ThreeDigitMinutes",
       {{"Bo", 100}},
       ClockShowing(123, 4, 5),
       {{"Bo", 100}, {"Al", 1230405}},
       false,
       false},
  };
  // A full table of 1000, 2000 .. 10000: 1000 k - 1 takes place k.
  for (int rank = 1; rank <= 10; ++rank) {
    const int32_t time = 1000 * rank - 1;  // e.g. 00:09:99 for place 1
    cases.push_back(RankCase{"FullRank" + std::to_string(rank), FullTable(),
                             ClockShowing(0, time / 100, time % 100),
                             Insert(FullTable(), static_cast<size_t>(rank), time), rank == 1, true});
  }
  return cases;
}

INSTANTIATE_TEST_SUITE_P(Ranks, RankingTest, ::testing::ValuesIn(RankCases()),
                         [](const ::testing::TestParamInfo<RankCase>& param) { return param.param.name; });

TEST(Ranking, FreeNameInTheMiddleIsTakenWhenSlower) {
  // A table read from a file may hold a free place (a name of length 0) between entries.
  BestTimes times = MakeTimes({{"Bo", 100}, {"", 0}, {"Cy", 300}});
  RunOutcome outcome;
  RankFinishedRun(outcome, ClockShowing(0, 5, 0), "Al", times);
  EXPECT_EQ(times, MakeTimes({{"Bo", 100}, {"Al", 500}, {"Cy", 300}}));
  EXPECT_FALSE(outcome.InTopTen);
}

}  // namespace
}  // namespace tobu
