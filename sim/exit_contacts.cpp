#include "sim/exit_contacts.h"

#include <algorithm>

#include "sim/run.h"

namespace tobu {

bool ExitContacts::NoteLockedTouch(const World& world) {
  std::vector<LevelObject> now;
  for (int i = 0; i < world.ObjectCount; ++i) {
    const LevelObject& object = world.ObjectList[i];
    if (object.Kind == ObjectExit && TouchesObject(world, i)) now.push_back(object);
  }
  const bool newContact = std::any_of(now.begin(), now.end(), [this](const LevelObject& exit) {
    return std::find(Touching.begin(), Touching.end(), exit) == Touching.end();
  });
  Touching = std::move(now);
  return newContact && AnyFoodLeft(world);
}

}  // namespace tobu
