#include "editor/history.h"

#include <utility>

namespace tobu {
namespace {

void InsertObject(World& world, int position, const LevelObject& object) {
  std::vector<LevelObject> objects = world.ObjectList;
  objects.insert(objects.begin() + position, object);
  world.ReplaceObjects(std::move(objects));
}

void SetCellAt(World& world, uint16_t index, uint8_t code) { world.TileGrid[index] = code; }

// Undoing is doing the reverse step.
void Apply(World& world, const EditStep& step, bool forward) {
  switch (step.What) {
    case EditStep::Kind::Cells:
      // Backwards when undoing: a cell painted twice in one stroke ends at its first code.
      if (forward) {
        for (const CellChange& c : step.Cells) SetCellAt(world, c.Index, c.New);
      } else {
        for (auto c = step.Cells.rbegin(); c != step.Cells.rend(); ++c) SetCellAt(world, c->Index, c->Old);
      }
      break;
    case EditStep::Kind::Place:
    case EditStep::Kind::Remove:
      // The object goes back to its own place in the list: the order decides which of
      // two touched objects acts first, and it is saved. A list changed behind the
      // history's back (it never is) is left alone rather than overrun.
      if (forward == (step.What == EditStep::Kind::Place)) {
        if (step.Position <= world.ObjectCount) InsertObject(world, step.Position, step.Object);
      } else if (step.Position < world.ObjectCount) {
        world.RemoveObject(step.Position);
      }
      break;
    case EditStep::Kind::Start:
      world.RunnerX = forward ? step.NewX : step.OldX;
      world.RunnerY = forward ? step.NewY : step.OldY;
      break;
  }
}

}  // namespace

void EditHistory::RecordCell(int column, int row, uint8_t oldCode, uint8_t newCode) {
  if (oldCode == newCode) return;
  stroke_.Cells.push_back({static_cast<uint16_t>(column * GridSize + row), oldCode, newCode});
}

void EditHistory::RecordPlace(const LevelObject& object, int position) {
  EndStroke();
  AddStep({EditStep::Kind::Place, {}, object, position});
}

void EditHistory::RecordRemove(const LevelObject& object, int position) {
  EndStroke();
  AddStep({EditStep::Kind::Remove, {}, object, position});
}

void EditHistory::RecordStart(double oldX, double oldY, double newX, double newY) {
  if (oldX == newX && oldY == newY) return;
  EndStroke();
  AddStep({EditStep::Kind::Start, {}, {}, 0, oldX, oldY, newX, newY});
}

bool EditHistory::Undo(World& world) {
  EndStroke();  // a stroke still being drawn is taken back as far as it went
  if (done_ == 0) return false;
  --done_;
  Apply(world, steps_[done_], false);
  return true;
}

bool EditHistory::Redo(World& world) {
  EndStroke();
  if (done_ == steps_.size()) return false;
  Apply(world, steps_[done_], true);
  ++done_;
  return true;
}

void EditHistory::Clear() { *this = EditHistory{}; }

size_t EditHistory::Bytes() const {
  size_t bytes = sizeof(*this) + stroke_.Cells.capacity() * sizeof(CellChange);
  for (const EditStep& step : steps_) bytes += sizeof(EditStep) + step.Cells.capacity() * sizeof(CellChange);
  return bytes;
}

void EditHistory::EndStroke() {
  if (stroke_.Cells.empty()) return;
  stroke_.Cells.shrink_to_fit();
  AddStep(std::exchange(stroke_, EditStep{}));
}

// A new step drops the steps that could have been redone.
void EditHistory::AddStep(EditStep step) {
  steps_.resize(done_);
  steps_.push_back(std::move(step));
  if (steps_.size() > Depth) steps_.pop_front();
  done_ = steps_.size();
}

}  // namespace tobu
