// The replay file: its bytes field by field, round trips, and every way a file is refused.
#include "replay/replay_file.h"

#include <gtest/gtest.h>

#include <span>
#include <string>
#include <vector>

#include "replay/crc32.h"
#include "replay/level_crc.h"
#include "support/temp_dir.h"
#include "world/file_error.h"
#include "world/level_file.h"

namespace tobu::testing {
namespace {

Replay SmallReplay() {
  Replay replay;
  replay.LevelFile = "a.vel";
  replay.LevelCrc = 0x11223344;
  replay.PlayerName = "Ann";
  replay.FinishTime = 633;
  replay.TickCount = 300;
  replay.Events = {{0, 39, true}, {0, 13, false}, {200, 32, true}, {300, 32, false}};
  return replay;
}

// The bytes with their last four made the CRC of the rest, so that a test reaches the
// field it changed rather than the file CRC.
std::vector<uint8_t> Sealed(std::vector<uint8_t> bytes) {
  const size_t covered = bytes.size() - 4;
  const auto crc = Crc32(std::span<const uint8_t>(bytes).first(covered));
  for (size_t i = 0; i < 4; ++i) bytes[covered + i] = static_cast<uint8_t>(crc >> (8 * i));
  return bytes;
}

std::string ParseMessage(const std::vector<uint8_t>& bytes) {
  try {
    ParseReplay("x.tbr", bytes);
  } catch (const FileError& error) {
    return error.what();
  }
  return "accepted";
}

TEST(ReplayFile, WritesFieldByFieldLittleEndian) {
  const std::vector<uint8_t> expected = {'T',  'B',  'R',  'P',  1,         // magic, version
                                         5,    'a',  '.',  'v',  'e', 'l',  // level file name
                                         0x44, 0x33, 0x22, 0x11,            // CRC-32
                                         3,    'A',  'n',  'n',             // player
                                         0x79, 0x02, 0,    0,               // finishing time 633
                                         0x2C, 0x01, 0,    0,               // 300 ticks
                                         4,    0,    0,    0,               // events
                                         0,    39,   1,    0,    13,  0,   0xC8,
                                         0x01, 32,   1,    100,  32,  0};  // delta, key, down
  const std::vector<uint8_t> bytes = EncodeReplay(SmallReplay());
  ASSERT_EQ(bytes.size(), expected.size() + 4);
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.end() - 4), expected);
  // CRC-32 of the bytes before it (crc32_test pins the function to the published values).
  const uint32_t crc = Crc32(expected);
  EXPECT_EQ(std::vector<uint8_t>(bytes.end() - 4, bytes.end()),
            (std::vector<uint8_t>{static_cast<uint8_t>(crc), static_cast<uint8_t>(crc >> 8),
                                  static_cast<uint8_t>(crc >> 16), static_cast<uint8_t>(crc >> 24)}));
}

struct RoundTrip {
  const char* Name;
  Replay Value;
};

Replay WithTicks(uint32_t ticks, std::vector<ReplayEvent> events) {
  Replay replay = SmallReplay();
  replay.TickCount = ticks;
  replay.Events = std::move(events);
  return replay;
}

class ReplayRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(ReplayRoundTrip, ReadsBackWhatWasWritten) {
  const Replay& replay = GetParam().Value;
  EXPECT_EQ(ParseReplay("x.tbr", EncodeReplay(replay)), replay);
}

INSTANTIATE_TEST_SUITE_P(
    Replays, ReplayRoundTrip,
    ::testing::Values(RoundTrip{"Small", SmallReplay()}, RoundTrip{"NoEvents", WithTicks(0, {})},
                      RoundTrip{"DayLong", WithTicks(LongestReplayTicks,
                                                     {{0, 255, true}, {LongestReplayTicks, 255, false}})},
                      RoundTrip{"VarintEdges", WithTicks(1u << 21, {{127, 1, true},
                                                                    {255, 1, false},
                                                                    {16383 + 255, 2, true},
                                                                    {1u << 21, 2, false}})}),
    [](const ::testing::TestParamInfo<RoundTrip>& param) { return std::string(param.param.Name); });

struct Damage {
  const char* Name;
  size_t Offset;  // of the byte changed in the small replay's bytes
  uint8_t Value;
};

class DamagedReplay : public ::testing::TestWithParam<Damage> {};

TEST_P(DamagedReplay, IsRefused) {
  std::vector<uint8_t> bytes = EncodeReplay(SmallReplay());
  bytes[GetParam().Offset] = GetParam().Value;
  EXPECT_EQ(ParseMessage(Sealed(bytes)), "Replay file x.tbr is damaged");
}

// Offsets in the small replay: magic 0, version 4, name 6..10, player length 15,
// time 19, ticks 23, event count 27, first event 31, fourth event's delta 41, flag 43.
INSTANTIATE_TEST_SUITE_P(
    Fields, DamagedReplay,
    ::testing::Values(Damage{"Magic", 0, 'X'}, Damage{"Version", 4, 2}, Damage{"NameWithSlash", 7, '/'},
                      Damage{"NameWithNul", 8, 0}, Damage{"PlayerPastEnd", 15, 200},
                      Damage{"NegativeTime", 22, 0x80}, Damage{"TicksOverADay", 26, 0x7F},
                      Damage{"FewerTicksThanEvents", 24, 0}, Damage{"MoreEventsThanBytes", 27, 5},
                      Damage{"FlagNeitherDownNorUp", 33, 2}, Damage{"EventPastLastTick", 41, 101},
                      Damage{"LastFlag", 43, 7}),
    [](const ::testing::TestParamInfo<Damage>& param) { return std::string(param.param.Name); });

TEST(ReplayFile, RefusesEveryTruncationAndTrailingBytes) {
  const std::vector<uint8_t> whole = EncodeReplay(SmallReplay());
  for (size_t size = 0; size < whole.size(); ++size) {
    const std::vector<uint8_t> cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size));
    EXPECT_EQ(ParseMessage(cut), "Replay file x.tbr is damaged") << size;
    if (size >= 4) {
      EXPECT_EQ(ParseMessage(Sealed(cut)), "Replay file x.tbr is damaged") << size << " sealed";
    }
  }
  std::vector<uint8_t> longer = whole;
  longer.insert(longer.end() - 4, 0);
  EXPECT_EQ(ParseMessage(Sealed(longer)), "Replay file x.tbr is damaged");
}

TEST(ReplayFile, RefusesEveryFlippedBit) {
  const std::vector<uint8_t> whole = EncodeReplay(SmallReplay());
  for (size_t at = 0; at < whole.size(); ++at) {
    for (int bit = 0; bit < 8; ++bit) {
      std::vector<uint8_t> flipped = whole;
      flipped[at] = static_cast<uint8_t>(flipped[at] ^ (1 << bit));
      EXPECT_EQ(ParseMessage(flipped), "Replay file x.tbr is damaged") << at << ":" << bit;
    }
  }
}

// The bytes of a one-event replay with its tick delta written as `delta`.
std::vector<uint8_t> WithDeltaBytes(const std::vector<uint8_t>& delta) {
  const std::vector<uint8_t> canonical = EncodeReplay(WithTicks(LongestReplayTicks, {{0, 39, true}}));
  std::vector<uint8_t> bytes(canonical.begin(), canonical.end() - 7);
  bytes.insert(bytes.end(), delta.begin(), delta.end());
  bytes.insert(bytes.end(), canonical.end() - 6, canonical.end());
  return Sealed(bytes);
}

TEST(ReplayFile, TakesOnlyShortestTickDeltasWithin32Bits) {
  EXPECT_EQ(ParseMessage(WithDeltaBytes({0x00})), "accepted");
  EXPECT_EQ(ParseMessage(WithDeltaBytes({0x80, 0x00})), "Replay file x.tbr is damaged");
  EXPECT_EQ(ParseMessage(WithDeltaBytes({0xFF, 0xFF, 0xFF, 0xFF, 0x1F})), "Replay file x.tbr is damaged");
  EXPECT_EQ(ParseMessage(WithDeltaBytes({0x80, 0x80, 0x80, 0x80, 0x80, 0x00})),
            "Replay file x.tbr is damaged");
}

// A key-down for each key held at the start, then one event a tick on average: one
// event more is no run of this game (and a crafted file's millions of them cost memory).
TEST(ReplayFile, RefusesMoreEventsThanARunMakes) {
  for (const uint32_t ticks : {0u, 10u, 100000u}) {
    std::vector<ReplayEvent> events(MostReplayEvents(ticks), ReplayEvent{ticks, 39, true});
    EXPECT_EQ(ParseMessage(EncodeReplay(WithTicks(ticks, events))), "accepted") << ticks;
    events.push_back(events.back());
    EXPECT_EQ(ParseMessage(EncodeReplay(WithTicks(ticks, events))), "Replay file x.tbr is damaged") << ticks;
  }
}

TEST(ReplayFile, RefusesDotNames) {
  for (const char* name : {".", ".."}) {
    Replay replay = SmallReplay();
    replay.LevelFile = name;
    EXPECT_EQ(ParseMessage(EncodeReplay(replay)), "Replay file x.tbr is damaged") << name;
  }
}

TEST(LevelCrc, CoversTheLevelButNotTheTable) {
  TempDir dir;
  World world;
  world.ClearLevel();
  world.AppendObject() = LevelObject{ObjectExit, 300, 200};
  const std::string file = dir.File("a.vel");
  SaveLevel(file, world);
  const uint32_t bare = LevelFileCrc(file);
  BestTimes times;
  times.BestNames[1] = "Ann";
  times.BestTime[1] = 633;
  WriteBestTimes(file, GridSize * GridSize + 4 + 9 + 8, times);
  EXPECT_EQ(LevelFileCrc(file), bare);
  world.SetCell(50, 50, TileGrass);
  SaveLevel(file, world);
  EXPECT_NE(LevelFileCrc(file), bare);
}

TEST(LevelCrc, RefusesALevelShorterThanItsObjects) {
  TempDir dir;
  World world;
  world.ClearLevel();
  world.AppendObject() = LevelObject{ObjectExit, 300, 200};
  const std::string file = dir.File("a.vel");
  SaveLevel(file, world);
  std::vector<uint8_t> bytes = ReadBytes(file);
  bytes.pop_back();
  EXPECT_THROW(LevelCrc("a.vel", bytes), FileError);
  bytes[GridSize * GridSize + 3] = 0x80;  // a negative object count
  EXPECT_THROW(LevelCrc("a.vel", bytes), FileError);
}

}  // namespace
}  // namespace tobu::testing
