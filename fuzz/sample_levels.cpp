#include "fuzz/sample_levels.h"

#include "world/level_file.h"

namespace tobu::fuzz {
namespace {

BestTimes SomeTimes() {
  BestTimes times;
  const char* names[] = {"", "Ann", "Bo", "Charlie"};
  for (int place = 1; place <= 3; ++place) {
    times.BestNames[place] = names[place];
    times.BestTime[place] = 1000 * place + 23;
  }
  return times;
}

World EmptyWorld() {
  World world;
  world.ClearLevel();
  return world;
}

}  // namespace

void LayFloor(World& world, int row) {
  for (int column = 0; column < GridSize; ++column) world.SetCell(column, row, TileGround);
}

void WriteLevel(const std::filesystem::path& file, const World& world, const BestTimes& times) {
  SaveLevel(file.string(), world);
  if (times.BestNames[1].empty()) return;
  const auto offset = static_cast<int32_t>(GridSize * GridSize + 4 + 9 * world.ObjectCount + 8);
  WriteBestTimes(file.string(), offset, times);
}

void WriteMonkeyLevels(const std::filesystem::path& levelsDir) {
  World exitAtStart = EmptyWorld();
  LayFloor(exitAtStart, 4);
  exitAtStart.AppendObject() = LevelObject{ObjectExit, 80, 60};
  WriteLevel(levelsDir / "a_exit.vel", exitAtStart, SomeTimes());
  WriteLevel(levelsDir / "b_fresh.vel", exitAtStart);

  World killer = EmptyWorld();
  killer.AppendObject() = LevelObject{ObjectKiller, 80, 60};
  WriteLevel(levelsDir / "c_killer.vel", killer, SomeTimes());

  World floor = EmptyWorld();
  LayFloor(floor, 4);
  for (int i = 0; i < 5; ++i) floor.AppendObject() = LevelObject{ObjectFood, 200 + 60 * i, 84};
  floor.AppendObject() = LevelObject{ObjectExit, 600, 84};
  floor.AppendObject() = LevelObject{ObjectKiller, 900, 84};
  WriteLevel(levelsDir / "d_floor.vel", floor);

  WriteLevel(levelsDir / "e_empty.vel", EmptyWorld());
  for (int i = 0; i < 16; ++i) {
    std::string name = std::to_string(10 + i);
    name.append(".vel");
    WriteLevel(levelsDir / ("z" + name), i % 2 ? floor : exitAtStart, SomeTimes());
  }
}

World BusyLevel() {
  World world = EmptyWorld();
  // The runner stands at (1316, 1301) on row 42; the camera is centred on it.
  world.RunnerX = 1316.0;
  world.RunnerY = 1301.0;
  for (int column = 20; column <= 50; ++column) {
    for (int row = 25; row <= 60; ++row)
      world.SetCell(column, row, (column + row) % 2 ? TileGrass : TileGround);
  }
  for (int column = 31; column <= 34; ++column) {
    for (int row = 39; row <= 41; ++row) world.SetCell(column, row, TileEmpty);
  }
  world.CenterCamera();
  // 200 food in a 20 x 10 block spread over the view, leaving the pocket clear.
  for (int i = 0; i < 200; ++i) {
    const int32_t x = world.CameraX + 8 + (i % 20) * 31;
    const int32_t y = world.CameraY + 8 + (i / 20) * 46;
    const bool nearRunner = x > 1180 && x < 1440 && y > 1301 - 120 && y < 1301 + 40;
    world.AppendObject() = LevelObject{ObjectFood, x, nearRunner ? y - 160 : y};
  }
  return world;
}

}  // namespace tobu::fuzz
