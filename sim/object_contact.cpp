#include "sim/object_contact.h"

#include "sim/world_bounds.h"
#include "world/numeric.h"
#include "world/object_kinds.h"

namespace tobu {
namespace {

constexpr int32_t TouchRadiusSquared = 19 * 19;
constexpr int32_t FeetReachSquared = 20 * 20;

int32_t DistanceSquared(int32_t ax, int32_t ay, int32_t bx, int32_t by) {
  const int32_t dx = ax - bx;
  const int32_t dy = ay - by;
  return dx * dx + dy * dy;
}

}  // namespace

bool AnyFoodLeft(const World& world) {
  for (const LevelObject& object : world.ObjectList) {
    if (KindHasRule(object.Kind, ContactRule::Eaten)) return true;
  }
  return false;
}

bool BodyTouchesObjectDisc(const World& world, int index) {
  const LevelObject& object = world.ObjectList[index];
  const int32_t cx = object.X + 20;
  const int32_t cy = object.Y + 20;
  const int32_t rx = RoundPixel(world.RunnerX);
  const int32_t ry = RoundPixel(world.RunnerY);
  auto touches = [&](int32_t px, int32_t py) { return DistanceSquared(cx, cy, px, py) < TouchRadiusSquared; };
  // The feet line counts only when the feet point itself is near the object.
  if (DistanceSquared(cx, cy, rx, ry) < FeetReachSquared) {
    for (int32_t k = -13; k <= 9; ++k) {
      if (touches(rx + k, ry)) return true;
    }
  }
  for (int32_t k = -13; k <= 9; ++k) {
    if (touches(rx + k, ry - 58)) return true;
  }
  for (int32_t k = 0; k <= 58; ++k) {
    if (touches(rx - 13, ry - k)) return true;
  }
  for (int32_t k = 0; k <= 58; ++k) {
    if (touches(rx + 11, ry - k)) return true;
  }
  return false;
}

bool TouchesObject(const World& world, int index) {
  const LevelObject& object = world.ObjectList[index];
  const int32_t rx = RoundPixel(world.RunnerX);
  const int32_t ry = RoundPixel(world.RunnerY);
  // Quick test of the object's box against the body box before the disc test.
  const bool boxesOverlap = object.X + 40 > rx - BodyLeft && object.X < rx + BodyRight &&
                            object.Y + 40 > ry - BodyHeight && object.Y < ry;
  return boxesOverlap && BodyTouchesObjectDisc(world, index);
}

Contact TouchObject(const World& world, int index) {
  if (!TouchesObject(world, index)) return Contact::None;
  const ObjectKindRow* row = FindObjectKind(world.ObjectList[index].Kind);
  if (!row) return Contact::None;
  switch (row->Contact) {
    case ContactRule::Eaten:
      return Contact::Food;
    case ContactRule::Kills:
      return Contact::Killer;
    // Food eaten in this tick still counts: it is removed only after the object pass.
    case ContactRule::FinishesWhenFed:
      return AnyFoodLeft(world) ? Contact::None : Contact::Exit;
  }
  return Contact::None;
}

}  // namespace tobu
