// Each shipped level's recorded run, saved as a replay and played again by tobu-script:
// the same final state line, bit for bit; the committed replays give their committed
// lines; a changed level refuses them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace tobu {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::Stems;
using testing::ReadText;
using testing::TempDir;
using testing::WriteBytes;

const fs::path SourceDir = TOBU_SOURCE_DIR;

// tobu-script in `dir` with `arguments`, and everything it printed.
std::string RunScript(const fs::path& dir, const std::string& arguments) {
  const std::string command = "cd '" + dir.string() + "' && '" + TOBU_SCRIPT_PATH + "' " + arguments;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return "popen failed";
  std::string output;
  char buffer[4096];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
  if (pclose(pipe) != 0) output += "\nexit status";
  return output;
}

std::string LastLine(const std::string& output) {
  const size_t end = output.find_last_not_of('\n');
  if (end == std::string::npos) return {};
  const size_t start = output.rfind('\n', end);
  return output.substr(start == std::string::npos ? 0 : start + 1,
                       end - (start == std::string::npos ? 0 : start + 1) + 1);
}

// The run's script up to the level list with the level highlighted: its key presses
// before the first tick, without the Return that starts the run.
std::string ScriptToLevelList(const fs::path& script) {
  std::istringstream lines(ReadText(script));
  std::vector<std::string> presses;
  for (std::string line; std::getline(lines, line);) {
    if (line.empty() || line[0] == '#') continue;
    if (line.rfind("press ", 0) != 0 && line.rfind("type ", 0) != 0) break;
    presses.push_back(line);
  }
  if (!presses.empty() && presses.back() == "press Return") presses.pop_back();
  std::string text;
  for (const std::string& line : presses) text += line + "\n";
  return text;
}

class ShippedReplay : public ::testing::TestWithParam<std::string> {
 protected:
  // Plays the level's recorded run in `played`, which then holds Replays/.
  std::string PlayRecordedRun(const TempDir& played) {
    fs::copy(SourceDir / "Levels", played.Path() / "Levels");
    const fs::path script = SourceDir / "levels" / "runs" / (GetParam() + ".script");
    return LastLine(RunScript(played.Path(), "'" + script.string() + "'"));
  }
  fs::path Record(const TempDir& played) const { return played.Path() / "Replays" / (GetParam() + ".tbr"); }
};

TEST_P(ShippedReplay, RecordedRunReplaysToTheSameStateLine) {
  TempDir played;
  const std::string original = PlayRecordedRun(played);
  ASSERT_EQ(original.rfind("mode=GameMenu", 0), 0u) << original;
  ASSERT_TRUE(fs::is_regular_file(Record(played)));
  EXPECT_EQ(ReadBytes(Record(played)), ReadBytes(played.Path() / "Replays" / "last.tbr"));

  // A fresh copy of the game, the same player and list position, then the replay.
  TempDir fresh;
  fs::copy(SourceDir / "Levels", fresh.Path() / "Levels");
  fs::copy(Record(played), fresh.Path() / "record.tbr");
  const fs::path script = SourceDir / "levels" / "runs" / (GetParam() + ".script");
  std::ofstream(fresh.Path() / "watch.script") << ScriptToLevelList(script) << "replay record.tbr\n";
  EXPECT_EQ(LastLine(RunScript(fresh.Path(), "watch.script")), original);
  // Watching wrote nothing: no best times in the level, no Replays folder.
  EXPECT_EQ(ReadBytes(fresh.Path() / "Levels" / (GetParam() + ".vel")),
            ReadBytes(SourceDir / "Levels" / (GetParam() + ".vel")));
  EXPECT_FALSE(fs::exists(fresh.Path() / "Replays"));
}

// The committed replays pin the recording's bytes and the simulation's result; scripts/
// test.sh runs the same check with a Release tobu-script.
TEST_P(ShippedReplay, CommittedReplayGivesItsCommittedLine) {
  TempDir played;
  PlayRecordedRun(played);
  const fs::path committed = SourceDir / "tests" / "replays" / (GetParam() + ".tbr");
  EXPECT_EQ(ReadBytes(Record(played)), ReadBytes(committed));
  TempDir fresh;
  fs::copy(SourceDir / "Levels", fresh.Path() / "Levels");
  EXPECT_EQ(RunScript(fresh.Path(), "replay '" + committed.string() + "'"),
            ReadText(SourceDir / "tests" / "replays" / (GetParam() + ".expected")));
}

TEST_P(ShippedReplay, ChangedLevelIsRefused) {
  TempDir fresh;
  fs::copy(SourceDir / "Levels", fresh.Path() / "Levels");
  const fs::path level = fresh.Path() / "Levels" / (GetParam() + ".vel");
  std::vector<uint8_t> bytes = ReadBytes(level);
  bytes[0] ^= 1;  // the top-left cell
  WriteBytes(level, bytes);
  const fs::path committed = SourceDir / "tests" / "replays" / (GetParam() + ".tbr");
  std::ofstream(fresh.Path() / "watch.script") << "state\nreplay " << committed.string() << "\nstate\n";
  const std::string output = RunScript(fresh.Path(), "watch.script");
  const std::string before = output.substr(0, output.find('\n'));
  EXPECT_EQ(output, before + "\nerror: The level has changed since this run was recorded\n" + before + "\n");
}

INSTANTIATE_TEST_SUITE_P(Shipped, ShippedReplay, ::testing::ValuesIn(Stems(SourceDir / "levels" / "runs", ".script")),
                         [](const ::testing::TestParamInfo<std::string>& param) {
                           std::string name = param.param;
                           std::replace(name.begin(), name.end(), '-', '_');
                           return name;
                         });

}  // namespace
}  // namespace tobu
