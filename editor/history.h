#pragma once
#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

#include "world/world.h"

namespace tobu {

// One cell changed by a stroke: its place in World::TileGrid and its codes before and after.
struct CellChange {
  uint16_t Index = 0;
  uint8_t Old = 0;
  uint8_t New = 0;
};

// What one gesture of the designer changed, and only that: never a copy of the level.
struct EditStep {
  enum class Kind : uint8_t { Cells, Place, Remove, Start };
  Kind What = Kind::Cells;
  std::vector<CellChange> Cells;  // Cells: in the order they were painted
  LevelObject Object;             // Place, Remove: the record...
  int32_t Position = 0;           // ...and its place in the object list
  double OldX = 0.0, OldY = 0.0;  // Start: the start before...
  double NewX = 0.0, NewY = 0.0;  // ...and after
};

// The editor's undo and redo: a list of steps and how many of them are done. The cells
// changed since the last step gather into one stroke, closed by EndStroke (the last
// button released) or by any other step.
class EditHistory {
 public:
  static constexpr size_t Depth = 500;  // the oldest step is forgotten beyond this

  // A cell the current stroke changed; no change records nothing.
  void RecordCell(int column, int row, uint8_t oldCode, uint8_t newCode);
  void EndStroke();
  void RecordPlace(const LevelObject& object, int position);
  void RecordRemove(const LevelObject& object, int position);
  void RecordStart(double oldX, double oldY, double newX, double newY);

  // Each returns false when there is nothing to take back or do again.
  bool Undo(World& world);
  bool Redo(World& world);
  void Clear();

  size_t UndoCount() const { return done_; }
  size_t RedoCount() const { return steps_.size() - done_; }
  // Memory held by the steps, their cell lists included.
  size_t Bytes() const;

 private:
  void AddStep(EditStep step);

  std::deque<EditStep> steps_;
  size_t done_ = 0;  // steps_[0 .. done_) are applied, the rest can be redone
  EditStep stroke_;
};

}  // namespace tobu
