// The shipped levels: each committed level file is what its source compiles to, and each
// recorded run still finishes its level in the recorded time.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/temp_dir.h"
#include "tools/levelc/level_source.h"
#include "world/level_file.h"

namespace tobu {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::Stems;
using testing::ReadText;
using testing::TempDir;

const fs::path SourceDir = TOBU_SOURCE_DIR;

std::string TestName(const ::testing::TestParamInfo<std::string>& info) {
  std::string name = info.param;
  for (char& c : name) {
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  }
  return "L" + name;
}

// Every level has a source and a recorded run, and there are at least ten of them.
TEST(ShippedLevels, TenOrMoreEachWithSourceAndRun) {
  const std::vector<std::string> levels = Stems(SourceDir / "Levels", ".vel");
  EXPECT_GE(levels.size(), 10u);
  EXPECT_EQ(Stems(SourceDir / "levels", ".txt"), levels);
  EXPECT_EQ(Stems(SourceDir / "levels" / "runs", ".script"), levels);
  EXPECT_EQ(Stems(SourceDir / "levels" / "runs", ".expected"), levels);
  for (const std::string& level : levels) {
    EXPECT_LE(level.size() + 4, 20u) << level << ".vel is too long for the level list";
  }
}

// The list shows levels sorted by name, so the numbers in front are the playing order:
// 01, 02, ... with none missing or repeated.
TEST(ShippedLevels, NumberedInPlayingOrder) {
  const std::vector<std::string> levels = Stems(SourceDir / "Levels", ".vel");
  for (size_t i = 0; i < levels.size(); ++i) {
    const std::string number = (i + 1 < 10 ? "0" : "") + std::to_string(i + 1) + "-";
    EXPECT_EQ(levels[i].rfind(number, 0), 0u) << levels[i] << " should start with " << number;
  }
}

class LevelSource : public ::testing::TestWithParam<std::string> {};

TEST_P(LevelSource, CompilesToTheCommittedLevelFile) {
  const World world = ParseLevelSource(ReadText(SourceDir / "levels" / (GetParam() + ".txt")));
  TempDir dir;
  SaveLevel(dir.File("level.vel"), world);
  const std::vector<uint8_t> committed = ReadBytes(SourceDir / "Levels" / (GetParam() + ".vel"));
  ASSERT_FALSE(committed.empty());
  EXPECT_TRUE(ReadBytes(dir.File("level.vel")) == committed)
      << "run tobu-levelc on levels/" << GetParam() << ".txt";
}

// A shipped level keeps the runner inside the world: its border cells are all solid.
TEST_P(LevelSource, FramedBySolidCells) {
  const World world = ParseLevelSource(ReadText(SourceDir / "levels" / (GetParam() + ".txt")));
  int right = 0, bottom = 0;  // the frame is the rightmost and lowest solid line
  for (int c = 0; c < GridSize; ++c) {
    if (world.Cell(c, 1) != TileEmpty) right = c;
  }
  for (int r = 0; r < GridSize; ++r) {
    if (world.Cell(1, r) != TileEmpty) bottom = r;
  }
  for (int c = 0; c <= right; ++c) {
    EXPECT_NE(world.Cell(c, 0), TileEmpty) << "top, column " << c;
    EXPECT_NE(world.Cell(c, bottom), TileEmpty) << "bottom, column " << c;
  }
  for (int r = 0; r <= bottom; ++r) {
    EXPECT_NE(world.Cell(0, r), TileEmpty) << "left, row " << r;
    EXPECT_NE(world.Cell(right, r), TileEmpty) << "right, row " << r;
  }
  const int startColumn = static_cast<int>(world.RunnerX) / CellWidth;
  const int startRow = static_cast<int>(world.RunnerY) / CellHeight;
  EXPECT_TRUE(startColumn > 0 && startColumn < right && startRow > 0 && startRow < bottom);
}

INSTANTIATE_TEST_SUITE_P(Shipped, LevelSource, ::testing::ValuesIn(Stems(SourceDir / "levels", ".txt")),
                         TestName);

// Runs tobu-script on a script in `dir` and returns everything it printed.
std::string RunScript(const fs::path& dir, const fs::path& script) {
  const std::string command =
      "cd '" + dir.string() + "' && '" + TOBU_SCRIPT_PATH + "' '" + script.string() + "'";
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return "popen failed";
  std::string output;
  char buffer[4096];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
  const int status = pclose(pipe);
  if (status != 0) output += "\nexit status " + std::to_string(status);
  return output;
}

class RecordedRun : public ::testing::TestWithParam<std::string> {};

// The expected output is a finished run: the results menu, not failed, time on the clock.
TEST_P(RecordedRun, ExpectedOutputIsAFinishedRun) {
  const std::string expected = ReadText(SourceDir / "levels" / "runs" / (GetParam() + ".expected"));
  EXPECT_EQ(expected.rfind("mode=GameMenu ", 0), 0u) << expected;
  EXPECT_NE(expected.find(" failed=0 finished=0 "), std::string::npos) << expected;
  EXPECT_EQ(expected.find("clock=00:00:00"), std::string::npos) << expected;
  EXPECT_EQ(std::count(expected.begin(), expected.end(), '\n'), 1) << "one state line";
}

TEST_P(RecordedRun, FinishesInTheRecordedTime) {
  TempDir dir;
  fs::copy(SourceDir / "Levels", dir.Path() / "Levels");
  const fs::path script = SourceDir / "levels" / "runs" / (GetParam() + ".script");
  EXPECT_EQ(RunScript(dir.Path(), script),
            ReadText(SourceDir / "levels" / "runs" / (GetParam() + ".expected")));

  // The ranking wrote the time into the copy: the file now ends with a best-times table.
  const std::vector<uint8_t> original = ReadBytes(SourceDir / "Levels" / (GetParam() + ".vel"));
  ASSERT_GE(original.size(), 10205u);
  const int64_t objects =
      original[10201] | (original[10202] << 8) | (original[10203] << 16) | (original[10204] << 24);
  EXPECT_EQ(static_cast<int64_t>(original.size()), 10213 + 9 * objects);
  const auto played = static_cast<int64_t>(fs::file_size(dir.Path() / "Levels" / (GetParam() + ".vel")));
  EXPECT_GT(played, 10213 + 9 * objects);
}

INSTANTIATE_TEST_SUITE_P(Shipped, RecordedRun,
                         ::testing::ValuesIn(Stems(SourceDir / "levels" / "runs", ".script")), TestName);

// The source format itself: where each legend character puts its cell, object or start.
TEST(LevelSourceFormat, LegendPlacesCellsObjectsAndStart) {
  const World world = ParseLevelSource(
      "; a comment\n"
      "name: tiny\n"
      "object: killer 7 -3\n"
      "grid:\n"
      "#=.\n"
      ".fk\n"
      "; comments may sit between rows\n"
      "xS\n");
  EXPECT_EQ(world.Cell(0, 0), TileGround);
  EXPECT_EQ(world.Cell(1, 0), TileGrass);
  EXPECT_EQ(world.Cell(2, 0), TileEmpty);
  EXPECT_EQ(world.Cell(1, 1), TileEmpty);      // object cells stay empty
  EXPECT_EQ(world.Cell(100, 100), TileEmpty);  // padding
  // Grid objects in reading order, standing on their cell's floor, then the listed ones.
  const std::vector<LevelObject> expected = {{ObjectFood, 40, 31 + 31 - 40},
                                             {ObjectKiller, 80, 22},
                                             {ObjectExit, 0, 62 + 31 - 40},
                                             {ObjectKiller, 7, -3}};
  EXPECT_EQ(world.ObjectList, expected);
  EXPECT_EQ(world.ObjectCount, 4);
  // The start stands on the floor of its cell: the last pixel row of cell (1, 2).
  EXPECT_EQ(world.RunnerX, 60.0);
  EXPECT_EQ(world.RunnerY, 92.0);
}

TEST(LevelSourceFormat, StartLineGivesPixels) {
  const World world = ParseLevelSource("start: 250 99\ngrid:\n");
  EXPECT_EQ(world.RunnerX, 250.0);
  EXPECT_EQ(world.RunnerY, 99.0);
  EXPECT_EQ(world.ObjectCount, 0);
}

TEST(LevelSourceFormat, MistakesAreRefusedWithTheirLine) {
  struct Case {
    const char* Text;
    const char* Message;
  };
  const std::string wide(102, '.');
  std::string tall = "grid:\nS\n";
  for (int i = 0; i < 101; ++i) tall += ".\n";
  const Case cases[] = {
      {"grid:\nS?\n", "line 2: unknown cell '?'"},
      {"grid:\nSS\n", "line 2: a second start"},
      {"start: 1 2\ngrid:\nS\n", "line 3: a second start"},
      {"grid:\n.\n", "no start: give 'start: X Y' or an S in the grid"},
      {"S\n", "line 1: expected 'key: value' or 'grid:'"},
      {"name: x\n", "no 'grid:' line"},
      {"start: 1 two\ngrid:\n", "line 1: not a whole number: 'two'"},
      {"object: coin 1 2\ngrid:\nS\n", "line 1: object kind must be food, killer or exit"},
      {"colour: red\ngrid:\nS\n", "line 1: unknown header line 'colour: red'"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Text);
    try {
      ParseLevelSource(c.Text);
      ADD_FAILURE() << "accepted";
    } catch (const LevelSourceError& error) {
      EXPECT_STREQ(error.what(), c.Message);
    }
  }
  EXPECT_THROW(ParseLevelSource("grid:\nS\n" + wide + "\n"), LevelSourceError);
  EXPECT_THROW(ParseLevelSource(tall), LevelSourceError);
}

}  // namespace
}  // namespace tobu
