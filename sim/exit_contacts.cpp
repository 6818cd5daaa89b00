#include "sim/exit_contacts.h"

#include <algorithm>

#include "sim/object_contact.h"
#include "world/object_kinds.h"

namespace tobu {

bool ExitContacts::NoteLockedTouch(const World& world) {
  std::vector<LevelObject> now;
  for (int i = 0; i < world.ObjectCount; ++i) {
    const LevelObject& object = world.ObjectList[i];
    if (KindHasRule(object.Kind, ContactRule::FinishesWhenFed) && TouchesObject(world, i))
      now.push_back(object);
  }
  const bool newContact = std::any_of(now.begin(), now.end(), [this](const LevelObject& exit) {
    return std::find(Touching.begin(), Touching.end(), exit) == Touching.end();
  });
  Touching = std::move(now);
  return newContact && AnyFoodLeft(world);
}

}  // namespace tobu
