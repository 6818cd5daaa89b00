#include "world/world.h"

#include <algorithm>

#include "world/numeric.h"

namespace tobu {

bool World::SolidAt(int32_t x, int32_t y) const {
  // Integer division truncates toward zero: x from -39 to 39 is column 0.
  const int column = x / CellWidth;
  const int row = y / CellHeight;
  return CellInGrid(column, row) && Cell(column, row) != TileEmpty;
}

LevelObject& World::AppendObject() {
  ObjectList.emplace_back();
  ObjectCount = static_cast<int32_t>(ObjectList.size());
  return ObjectList.back();
}

void World::RemoveObject(int index) {
  ObjectList.erase(ObjectList.begin() + index);
  ObjectCount = static_cast<int32_t>(ObjectList.size());
}

void World::ReplaceObjects(std::vector<LevelObject> objects) {
  ObjectList = std::move(objects);
  ObjectCount = static_cast<int32_t>(ObjectList.size());
}

void World::ClearLevel() {
  TileGrid.fill(TileEmpty);
  ReplaceObjects({});
  RunnerX = RunnerHomeX;
  RunnerY = RunnerHomeY;
  CameraX = 0;
  CameraY = 0;
}

void World::ClampCamera() {
  if (CameraX < 0) CameraX = 0;
  if (CameraY < 0) CameraY = 0;
  if (CameraX > CameraMaxX) CameraX = CameraMaxX;
  if (CameraY > CameraMaxY) CameraY = CameraMaxY;
}

void World::CenterCamera() {
  // The runner's feet are shown 316 pixels from the left and 300 from the top. Worked
  // out in 64 bits: a damaged level may put the start near the ends of the 32-bit range.
  const int64_t x = int64_t{RoundPixel(RunnerX)} - 316;
  const int64_t y = int64_t{RoundPixel(RunnerY)} - 300;
  CameraX = static_cast<int32_t>(std::clamp<int64_t>(x, 0, CameraMaxX));
  CameraY = static_cast<int32_t>(std::clamp<int64_t>(y, 0, CameraMaxY));
}

} // namespace tobu
