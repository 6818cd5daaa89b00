#pragma once
#include <vector>

#include "world/world.h"

namespace tobu {

// The exits the runner touched in the last object pass, known by their boxes (indices
// move when food goes), so that an exit reached while food is left reports once per
// contact and again only after the runner has left its disc.
struct ExitContacts {
  std::vector<LevelObject> Touching;

  // Notes the exits touched now; true when one of them was not touched before and
  // food is left, so the exit does not finish the run.
  bool NoteLockedTouch(const World& world);
};

}  // namespace tobu
