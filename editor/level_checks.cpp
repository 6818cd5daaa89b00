#include "editor/level_checks.h"

#include <algorithm>

#include "world/numeric.h"

namespace tobu {
namespace {

bool HasKind(const World& world, uint8_t kind) {
  return std::any_of(world.ObjectList.begin(), world.ObjectList.end(),
                     [kind](const LevelObject& o) { return o.Kind == kind; });
}

// Cells by truncating division, as the runner's probes take them; outside the grid is empty.
bool SolidAt(const World& world, int column, int row) {
  return CellInGrid(column, row) && world.Cell(column, row) != TileEmpty;
}

struct Body {
  int FirstColumn, LastColumn, TopRow, FeetRow;
};

Body StartBody(const World& world) {
  const int rx = RoundPixel(world.RunnerX), ry = RoundPixel(world.RunnerY);
  return {(rx - 13) / CellWidth, (rx + 11) / CellWidth, (ry - 58) / CellHeight, ry / CellHeight};
}

bool InsideRock(const World& world, const Body& body) {
  for (int column = body.FirstColumn; column <= body.LastColumn; ++column)
    for (int row = body.TopRow; row <= body.FeetRow; ++row)
      if (SolidAt(world, column, row)) return true;
  return false;
}

bool NothingBelow(const World& world, const Body& body) {
  for (int column = body.FirstColumn; column <= body.LastColumn; ++column)
    for (int row = std::max(body.FeetRow, 0); row < GridSize; ++row)
      if (SolidAt(world, column, row)) return false;
  return true;
}

}  // namespace

std::vector<std::string> LevelProblems(const World& world) {
  std::vector<std::string> problems;
  if (!HasKind(world, ObjectExit)) problems.push_back("no exit");
  if (!HasKind(world, ObjectFood)) problems.push_back("no food");
  const Body body = StartBody(world);
  if (InsideRock(world, body)) {
    problems.push_back("the start is inside rock");
  } else if (NothingBelow(world, body)) {
    problems.push_back("nothing under the start");
  }
  return problems;
}

}  // namespace tobu
