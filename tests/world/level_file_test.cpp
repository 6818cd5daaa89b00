#include "world/level_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_dir.h"
#include "world/bytes.h"
#include "world/file_error.h"
#include "world/file_io.h"

namespace tobu {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;
using Bytes = std::vector<uint8_t>;

constexpr size_t GridBytes = 10201;

// A level file built by hand, field by field, with an optional raw table appended.
Bytes LevelBytes(const std::vector<LevelObject>& objects, int32_t startX, int32_t startY,
                 const Bytes& table = {}) {
  ByteWriter writer;
  for (size_t i = 0; i < GridBytes; ++i) writer.U8(0);
  writer.I32(static_cast<int32_t>(objects.size()));
  for (const LevelObject& object : objects) {
    writer.U8(object.Kind);
    writer.I32(object.X);
    writer.I32(object.Y);
  }
  writer.I32(startX);
  writer.I32(startY);
  Bytes bytes = writer.Bytes();
  bytes.insert(bytes.end(), table.begin(), table.end());
  return bytes;
}

// A world that differs from anything the tests load, to prove a failed load keeps it.
World DistinctWorld() {
  World world;
  world.SetCell(3, 4, TileGround);
  world.SetCell(100, 100, TileGrass);
  world.AppendObject() = LevelObject{ObjectExit, -5, 77};
  world.RunnerX = 1234.5;
  world.RunnerY = 876.25;
  world.CameraX = 17;
  world.CameraY = 23;
  return world;
}

bool SameWorld(const World& a, const World& b) {
  return a.TileGrid == b.TileGrid && a.ObjectList == b.ObjectList && a.ObjectCount == b.ObjectCount &&
         a.RunnerX == b.RunnerX && a.RunnerY == b.RunnerY && a.CameraX == b.CameraX && a.CameraY == b.CameraY;
}

class LevelFileTest : public ::testing::Test {
 protected:
  TempDir dir;
  std::string file = dir.File("level.vel");
};

TEST_F(LevelFileTest, EmptyLevelIs10213BytesAndThreeObjects10240) {
  World world;
  world.ClearLevel();
  SaveLevel(file, world);
  EXPECT_EQ(std::filesystem::file_size(file), 10213u);
  for (int i = 0; i < 3; ++i) world.AppendObject();
  SaveLevel(file, world);
  EXPECT_EQ(std::filesystem::file_size(file), 10240u);
}

TEST_F(LevelFileTest, OneFoodExampleBytes) {
  World world;
  world.ClearLevel();
  world.AppendObject() = LevelObject{ObjectFood, 100, 200};
  world.RunnerX = 100.0;
  world.RunnerY = 100.0;
  SaveLevel(file, world);
  const Bytes bytes = ReadBytes(file);
  ASSERT_EQ(bytes.size(), 10222u);
  const Bytes tail(bytes.begin() + GridBytes, bytes.end());
  const Bytes expected = {0x01, 0x00, 0x00, 0x00,                                // ObjectCount
                          0x00, 0x64, 0x00, 0x00, 0x00, 0xC8, 0x00, 0x00, 0x00,  // food at (100, 200)
                          0x64, 0x00, 0x00, 0x00, 0x64, 0x00, 0x00, 0x00};       // start (100, 100)
  EXPECT_EQ(tail, expected);
  for (size_t i = 0; i < GridBytes; ++i) ASSERT_EQ(bytes[i], 0) << i;
}

TEST_F(LevelFileTest, GridIsRowByRowInTheFile) {
  struct Case {
    int column, row;
    size_t offset;
  };
  const Case cases[] = {{1, 0, 1}, {0, 1, 101}, {100, 100, 10200}, {7, 3, 3 * 101 + 7}};
  for (const Case& c : cases) {
    World world;
    world.ClearLevel();
    world.SetCell(c.column, c.row, 0xAB);
    SaveLevel(file, world);
    const Bytes bytes = ReadBytes(file);
    for (size_t i = 0; i < GridBytes; ++i) {
      ASSERT_EQ(bytes[i], i == c.offset ? 0xAB : 0) << "cell " << c.column << "," << c.row << " byte " << i;
    }
    World loaded;
    LoadLevel(file, loaded);
    EXPECT_EQ(loaded.TileGrid, world.TileGrid);
    EXPECT_EQ(loaded.TileGrid[c.column * 101 + c.row], 0xAB);
  }
}

TEST_F(LevelFileTest, LoadPutsRunnerOnStartAndCentresCamera) {
  WriteBytes(file, LevelBytes({{ObjectKiller, -40, 3000}, {7, 1, 2}}, 1000, 4000));
  World world = DistinctWorld();
  const LoadedLevelInfo info = LoadLevel(file, world);
  EXPECT_EQ(world.RunnerX, 1000.0);
  EXPECT_EQ(world.RunnerY, 4000.0);
  EXPECT_EQ(world.CameraX, 684);
  EXPECT_EQ(world.CameraY, 2620);
  ASSERT_EQ(world.ObjectCount, 2);
  EXPECT_EQ(world.ObjectList[0], (LevelObject{ObjectKiller, -40, 3000}));
  EXPECT_EQ(world.ObjectList[1], (LevelObject{7, 1, 2}));
  EXPECT_EQ(world.Cell(3, 4), 0);
  EXPECT_EQ(info.BestTimesOffset, 10213 + 18);
  EXPECT_FALSE(info.HadTable);
  EXPECT_EQ(info.Times, BestTimes{});
}

TEST_F(LevelFileTest, SaveRoundsStartHalfToEven) {
  World world;
  world.ClearLevel();
  world.RunnerX = 250.5;
  world.RunnerY = 251.5;
  SaveLevel(file, world);
  World loaded;
  LoadLevel(file, loaded);
  EXPECT_EQ(loaded.RunnerX, 250.0);
  EXPECT_EQ(loaded.RunnerY, 252.0);
}

TEST_F(LevelFileTest, LoadThenSaveGivesSameBytesWithoutTable) {
  Bytes original = LevelBytes({{ObjectFood, 100, 200}, {ObjectExit, -3, 9}}, -12, 345);
  original[5] = TileGrass;
  original[10200] = 9;
  Bytes withTable = original;
  const Bytes table = {0x01, 0x02, 'B', 'o', 0x39, 0x30, 0x00, 0x00};
  withTable.insert(withTable.end(), table.begin(), table.end());
  WriteBytes(file, withTable);
  World world;
  LoadLevel(file, world);
  SaveLevel(file, world);
  EXPECT_EQ(ReadBytes(file), original);
}

TEST_F(LevelFileTest, BoTableBytesAndReadBack) {
  WriteBytes(file, LevelBytes({}, 100, 100));
  BestTimes times;
  times.BestNames[1] = "Bo";
  times.BestTime[1] = 12345;
  WriteBestTimes(file, 10213, times);
  const Bytes bytes = ReadBytes(file);
  ASSERT_EQ(bytes.size(), 10213u + 8);
  EXPECT_EQ(Bytes(bytes.begin() + 10213, bytes.end()),
            (Bytes{0x01, 0x02, 0x42, 0x6F, 0x39, 0x30, 0x00, 0x00}));
  World world;
  const LoadedLevelInfo info = LoadLevel(file, world);
  EXPECT_TRUE(info.HadTable);
  EXPECT_EQ(info.Times, times);
}

// Tables as the reader meets them, each after a level with one object (offset 10222).
struct TableCase {
  const char* name;
  Bytes table;
  std::vector<std::pair<std::string, int32_t>> entries;  // places 1.. that are expected
  bool hadTable;
};

class TableReadTest : public LevelFileTest, public ::testing::WithParamInterface<TableCase> {};

TEST_P(TableReadTest, ReadsAsFarAsTheRulesAllow) {
  const TableCase& c = GetParam();
  WriteBytes(file, LevelBytes({{ObjectFood, 0, 0}}, 100, 100, c.table));
  World world;
  const LoadedLevelInfo info = LoadLevel(file, world);
  BestTimes expected;
  for (size_t i = 0; i < c.entries.size(); ++i) {
    expected.BestNames[i + 1] = c.entries[i].first;
    expected.BestTime[i + 1] = c.entries[i].second;
  }
  EXPECT_EQ(info.Times, expected);
  EXPECT_EQ(info.HadTable, c.hadTable);
  EXPECT_EQ(info.BestTimesOffset, 10222);
  EXPECT_EQ(world.ObjectCount, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Tables, TableReadTest,
    ::testing::Values(
        TableCase{"NoTable", {}, {}, false},
        TableCase{"CountZero", {0x00, 0x02, 'B', 'o', 1, 0, 0, 0}, {}, true},
        TableCase{"CountEleven", {0x0B, 0x02, 'B', 'o', 1, 0, 0, 0}, {}, true},
        TableCase{"CountTen", {0x0A, 0x01, 'A', 5, 0, 0, 0}, {{"A", 5}}, true},
        TableCase{"SecondNameLengthNine",
                  {0x03, 0x01, 'A', 1, 0, 0, 0, 0x09, 'B', 'B', 'B', 'B', 'B', 'B',
                   'B',  'B',  'B', 2, 0, 0, 0, 0x01, 'C', 3,   0,   0,   0},
                  {{"A", 1}},
                  true},
        TableCase{"NameLengthZeroConsumesTime",
                  {0x03, 0x01, 'A', 1, 0, 0, 0, 0x00, 0xFF, 0xFF, 0xFF, 0x7F, 0x01, 'C', 3, 0, 0, 0},
                  {{"A", 1}, {"", 0x7FFFFFFF}, {"C", 3}},
                  true},
        TableCase{"EightCharacterName",
                  {0x01, 0x08, 'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 0xFF, 0xFF, 0xFF, 0xFF},
                  {{"ABCDEFGH", -1}},
                  true},
        TableCase{"TimeCutShort", {0x02, 0x01, 'A', 0x39, 0x30}, {{"A", 12345}}, true},
        TableCase{"NameCutShort", {0x02, 0x01, 'A', 1, 0, 0, 0, 0x05, 'X', 'Y'}, {{"A", 1}, {"XY", 0}}, true},
        TableCase{"CountOnly", {0x04}, {}, true}),
    [](const ::testing::TestParamInfo<TableCase>& param) { return param.param.name; });

TEST_F(LevelFileTest, ShorterNewTableKeepsFileLengthAndLoads) {
  BestTimes full;
  for (int place = 1; place <= 10; ++place) {
    full.BestNames[place] = std::string(8, static_cast<char>('A' + place));
    full.BestTime[place] = 1000 * place;
  }
  WriteBytes(file, LevelBytes({}, 100, 100));
  WriteBestTimes(file, 10213, full);
  const auto longSize = std::filesystem::file_size(file);
  EXPECT_EQ(longSize, 10213u + 1 + 10 * (1 + 8 + 4));

  BestTimes shorter = full;
  for (int place = 10; place > 1; --place) shorter.BestNames[place] = shorter.BestNames[place - 1];
  for (int place = 10; place > 1; --place) shorter.BestTime[place] = shorter.BestTime[place - 1];
  shorter.BestNames[1] = "Al";
  shorter.BestTime[1] = 500;
  WriteBestTimes(file, 10213, shorter);
  EXPECT_EQ(std::filesystem::file_size(file), longSize);
  World world;
  EXPECT_EQ(LoadLevel(file, world).Times, shorter);
}

// Files the reader refuses: each leaves the world exactly as it was.
struct DamagedCase {
  const char* name;
  Bytes bytes;
};

Bytes WithCount(Bytes bytes, int32_t count) {
  const auto bits = static_cast<uint32_t>(count);
  for (int i = 0; i < 4; ++i) bytes[GridBytes + i] = static_cast<uint8_t>(bits >> (8 * i));
  return bytes;
}

class DamagedFileTest : public LevelFileTest, public ::testing::WithParamInterface<DamagedCase> {};

TEST_P(DamagedFileTest, RefusedAndWorldUnchanged) {
  WriteBytes(file, GetParam().bytes);
  World world = DistinctWorld();
  const World before = world;
  try {
    LoadLevel(file, world);
    FAIL() << "loaded a damaged file";
  } catch (const FileError& error) {
    EXPECT_EQ(std::string(error.what()), "Level file " + file + " is damaged");
  }
  EXPECT_TRUE(SameWorld(world, before));
}

const Bytes TwoObjects = LevelBytes({{ObjectFood, 1, 2}, {ObjectExit, 3, 4}}, 100, 100);

INSTANTIATE_TEST_SUITE_P(
    Damaged, DamagedFileTest,
    ::testing::Values(DamagedCase{"Empty", {}}, DamagedCase{"GridOnly", Bytes(GridBytes, 0)},
                      DamagedCase{"OneByteShort", Bytes(TwoObjects.begin(), TwoObjects.end() - 1)},
                      DamagedCase{"EmptyLevelMinusOne", Bytes(10212, 0)},
                      DamagedCase{"NegativeCount", WithCount(TwoObjects, -1)},
                      DamagedCase{"MostNegativeCount", WithCount(TwoObjects, INT32_MIN)},
                      DamagedCase{"HugeCount", WithCount(TwoObjects, 0x7FFFFFFF)},
                      DamagedCase{"CountOneTooMany", WithCount(TwoObjects, 3)}),
    [](const ::testing::TestParamInfo<DamagedCase>& param) { return param.param.name; });

TEST_F(LevelFileTest, UnopenableFilesAreRefusedAndWorldUnchanged) {
  const std::string missing = dir.File("missing.vel");
  const std::string directory = dir.File("folder.vel");
  std::filesystem::create_directory(directory);
  for (const std::string& name : {missing, directory}) {
    World world = DistinctWorld();
    const World before = world;
    try {
      LoadLevel(name, world);
      FAIL() << "loaded " << name;
    } catch (const FileError& error) {
      EXPECT_EQ(std::string(error.what()), "Cannot open file " + name);
    }
    EXPECT_TRUE(SameWorld(world, before)) << name;
  }
}

TEST_F(LevelFileTest, WriteBestTimesRefusesFileShorterThanOffset) {
  BestTimes times;
  times.BestNames[1] = "Bo";
  times.BestTime[1] = 12345;
  const Bytes shortFile = LevelBytes({}, 100, 100);
  WriteBytes(file, shortFile);
  EXPECT_THROW(WriteBestTimes(file, 10213 + 9, times), FileError);
  EXPECT_EQ(ReadBytes(file), shortFile);
  EXPECT_THROW(WriteBestTimes(dir.File("missing.vel"), 10213, times), FileError);
  EXPECT_FALSE(std::filesystem::exists(dir.File("missing.vel")));
}

TEST_F(LevelFileTest, InterruptedSaveKeepsOldFile) {
  const Bytes old = LevelBytes({{ObjectFood, 1, 2}}, 100, 100, {0x01, 0x02, 'B', 'o', 0x39, 0x30, 0, 0});
  WriteBytes(file, old);
  World world;
  world.ClearLevel();
  world.SetCell(5, 5, TileGround);
  for (const int64_t failAfter : {0, 1, 4096, 10201, 10212}) {
    SetWriteFailureAfterBytesForTesting(failAfter);
    EXPECT_THROW(SaveLevel(file, world), FileError) << failAfter;
    SetWriteFailureAfterBytesForTesting(-1);
    EXPECT_EQ(ReadBytes(file), old) << failAfter;
    // No temporary file is left beside the level.
    EXPECT_EQ(
        std::distance(std::filesystem::directory_iterator(dir.Path()), std::filesystem::directory_iterator()),
        1);
  }
  SaveLevel(file, world);
  EXPECT_EQ(std::filesystem::file_size(file), 10213u);
}

}  // namespace
}  // namespace tobu
