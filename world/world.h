// world/: the level in memory, its file and the other files' helpers (best times,
// bytes, atomic replacement, the folder lock), and the object kinds' table. Includes
// only the standard library.
#pragma once
#include <array>
#include <cstdint>
#include <vector>

namespace tobu {

constexpr int GridSize = 101;  // columns and rows
constexpr int CellWidth = 40;
constexpr int CellHeight = 31;
// The view never leaves x 0..3999 and y 0..3099: 3360 = 4000 - 640, 2620 = 3100 - 480.
constexpr int32_t CameraMaxX = 3360;
constexpr int32_t CameraMaxY = 2620;
constexpr double RunnerHomeX = 100.0;
constexpr double RunnerHomeY = 100.0;

enum TileCode : uint8_t { TileEmpty = 0, TileGrass = 1, TileGround = 2 };
enum ObjectKind : uint8_t { ObjectFood = 0, ObjectKiller = 1, ObjectExit = 2 };

// One placed object: a 40 x 40 box with its top-left corner at (X, Y).
struct LevelObject {
  uint8_t Kind = 0;
  int32_t X = 0;
  int32_t Y = 0;
  friend bool operator==(const LevelObject&, const LevelObject&) = default;
};

inline bool CellInGrid(int column, int row) {
  return column >= 0 && column < GridSize && row >= 0 && row < GridSize;
}

// The level in memory: tiles, objects, the runner's position (the start, in the
// editor) and the camera. There is one for the whole process.
struct World {
  // Column by column: the cell of column c, row r is TileGrid[c * 101 + r].
  std::array<uint8_t, GridSize * GridSize> TileGrid{};
  std::vector<LevelObject> ObjectList;
  int32_t ObjectCount = 0;  // always ObjectList.size()
  double RunnerX = 0.0;
  double RunnerY = 0.0;
  int32_t CameraX = 0;
  int32_t CameraY = 0;

  // Column and row must lie in 0..100.
  uint8_t Cell(int column, int row) const { return TileGrid[column * GridSize + row]; }
  void SetCell(int column, int row, uint8_t code) { TileGrid[column * GridSize + row] = code; }
  // The cell holding world pixel (x, y) is solid; cells outside the grid are empty.
  bool SolidAt(int32_t x, int32_t y) const;

  LevelObject& AppendObject();   // a zeroed record at the end
  void RemoveObject(int index);  // later objects keep their order
  void ReplaceObjects(std::vector<LevelObject> objects);

  void ClearLevel();
  void ClampCamera();
  void CenterCamera();
};

}  // namespace tobu
