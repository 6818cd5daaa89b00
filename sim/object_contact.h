#pragma once
#include "world/world.h"

namespace tobu {

// Does the runner touch object `index` (a disc of radius 19 around its centre)?
bool BodyTouchesObjectDisc(const World& world, int index);

// The quick box test, then the contact test.
bool TouchesObject(const World& world, int index);
// Some food is still in the level.
bool AnyFoodLeft(const World& world);

enum class Contact { None, Food, Killer, Exit };
// The effect of object `index` on the runner this tick: the quick box test, the
// contact test, then its kind's contact rule (for an exit, whether no food is left).
Contact TouchObject(const World& world, int index);

}  // namespace tobu
