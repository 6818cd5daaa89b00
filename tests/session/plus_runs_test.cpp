// Plus changes what is drawn and the flow between screens, never a run: every committed
// replay's keys, played live in both profiles, give the same state on every tick and
// write the same best times and replay files.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "replay/replay_file.h"
#include "session_fixture.h"

namespace tobu::testing {
namespace {

namespace fs = std::filesystem;
const fs::path SourceDir = TOBU_SOURCE_DIR;

// The state line without the menu's cursor, which plus's three-row results menu moves,
// and without the card plus shows after the last level (always the line's last field).
std::string RunState(const Game& form) {
  std::string line = StateLine(form);
  const size_t at = line.find(" cursor=");
  line.erase(at, line.find(' ', at + 1) - at);
  const size_t ending = line.find(" ending=\"");
  return ending == std::string::npos ? line : line.erase(ending);
}

struct PlayedRun {
  std::vector<std::string> States;  // after every tick of the run and a few after it
  std::vector<uint8_t> Level, Record, Last;
};

// A new player named as the recorded one, the level chosen in the list, then the
// recorded keys delivered live before their ticks.
PlayedRun PlayLive(const Replay& replay, bool plus) {
  TempDir dir(true);
  fs::copy(SourceDir / "Levels", "Levels");
  SoftwareDisplay display;
  Game form(display);
  Session session(form, display);
  const auto press = [&](uint16_t key) {
    session.KeyDown(key);
    if (const auto character = KeyCharacter(key)) session.KeyPress(*character);
    session.KeyUp(key);
  };
  session.Start();
  session.SetPlus(plus);
  press(VkReturn);
  for (const char c : replay.PlayerName) session.KeyPress(static_cast<uint8_t>(c));
  press(VkReturn);
  press(VkReturn);
  const std::vector<std::string> levels = Stems(SourceDir / "Levels", ".vel");
  const auto row = std::find(levels.begin(), levels.end(), fs::path(replay.LevelFile).stem().string());
  for (auto i = levels.begin(); i != row; ++i) press(VkDown);
  session.KeyDown(VkReturn);
  session.KeyPress('\r');
  PlayedRun run;
  size_t next = 0;
  for (uint32_t tick = 0; tick < replay.TickCount + 5; ++tick) {
    for (; next < replay.Events.size() && replay.Events[next].Tick == tick; ++next) {
      const ReplayEvent& event = replay.Events[next];
      event.Down ? session.KeyDown(event.Key) : session.KeyUp(event.Key);
    }
    session.Tick(1);
    run.States.push_back(RunState(form));
  }
  const fs::path stem = fs::path(replay.LevelFile).stem();
  run.Level = ReadBytes(dir.Path() / "Levels" / replay.LevelFile);
  run.Record = ReadBytes(dir.Path() / "Replays" / (stem.string() + ".tbr"));
  run.Last = ReadBytes(dir.Path() / "Replays" / "last.tbr");
  return run;
}

class PlusRun : public ::testing::TestWithParam<std::string> {};

TEST_P(PlusRun, SameStatesAndFilesAsTheClassicGame) {
  const fs::path committed = SourceDir / "tests" / "replays" / (GetParam() + ".tbr");
  const Replay replay = ReadReplay(committed.string());
  const PlayedRun classic = PlayLive(replay, false);
  const PlayedRun plus = PlayLive(replay, true);
  ASSERT_EQ(classic.Record, ReadBytes(committed));  // the keys were delivered as recorded
  ASSERT_EQ(classic.States.size(), plus.States.size());
  for (size_t tick = 0; tick < classic.States.size(); ++tick) {
    ASSERT_EQ(plus.States[tick], classic.States[tick]) << "tick " << tick;
  }
  EXPECT_EQ(plus.Level, classic.Level);
  EXPECT_EQ(plus.Record, classic.Record);
  EXPECT_EQ(plus.Last, classic.Last);
}

INSTANTIATE_TEST_SUITE_P(Committed, PlusRun, ::testing::ValuesIn(Stems(SourceDir / "tests" / "replays", ".tbr")),
                         [](const ::testing::TestParamInfo<std::string>& param) {
                           std::string name = param.param;
                           std::replace(name.begin(), name.end(), '-', '_');
                           return name;
                         });

}  // namespace
}  // namespace tobu::testing
