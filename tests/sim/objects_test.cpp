#include <gtest/gtest.h>

#include "sim/object_contact.h"
#include "sim/world_bounds.h"
#include "sim_test_worlds.h"

namespace tobu {
namespace {

using testing::EmptyWorld;

// One object at (100, 100), centre (120, 120); the runner placed relative to the centre.
struct TouchCase {
  const char* what;
  double dx, dy;  // runner's feet minus the object's centre
  bool touches;
};

TEST(BodyTouchesObjectDisc, DiscOfRadius19AgainstTheBodyOutline) {
  const TouchCase cases[] = {
      {"feet line from just above", 0, -18, true},  // only the feet line reaches
      {"feet line one pixel too far", 0, -19, false},
      {"head line from below", 0, 58 + 18, true},
      {"head line too far", 0, 58 + 19, false},
      {"left side", 13 + 18, 20, true},
      {"left side too far", 13 + 19, 20, false},
      {"right side", -11 - 18, 20, true},
      {"right side too far", -11 - 19, 20, false},
      {"diagonal beyond the head corner", 13 + 14, 58 + 14, false},  // 14 and 14: 392
      {"diagonal at the head corner", 13 + 13, 58 + 13, true},       // 13 and 13: 338
      {"far away", 500, 500, false},
  };
  World world = EmptyWorld();
  world.AppendObject() = LevelObject{ObjectFood, 100, 100};
  for (const TouchCase& c : cases) {
    world.RunnerX = 120 + c.dx;
    world.RunnerY = 120 + c.dy;
    EXPECT_EQ(BodyTouchesObjectDisc(world, 0), c.touches) << c.what;
  }
}

TEST(BodyTouchesObjectDisc, UsesRoundedRunnerPosition) {
  World world = EmptyWorld();
  world.AppendObject() = LevelObject{ObjectKiller, 100, 100};
  world.RunnerX = 120.0;
  world.RunnerY = 101.5;  // rounds to 102: feet 18 above the centre
  EXPECT_TRUE(BodyTouchesObjectDisc(world, 0));
  world.RunnerY = 100.5;  // rounds to 100: 20 above
  EXPECT_FALSE(BodyTouchesObjectDisc(world, 0));
}

TEST(TouchObject, EffectByKind) {
  struct Case {
    const char* what;
    std::vector<LevelObject> objects;
    int index;
    Contact contact;
  };
  // The runner stands with its feet at (200, 300); an object at (180, 250) is touched.
  const LevelObject food{ObjectFood, 180, 250};
  const LevelObject killer{ObjectKiller, 180, 250};
  const LevelObject exitHere{ObjectExit, 180, 250};
  const LevelObject farFood{ObjectFood, 2000, 2000};
  const Case cases[] = {
      {"food", {food}, 0, Contact::Food},
      {"killer", {killer}, 0, Contact::Killer},
      {"exit, no food", {exitHere}, 0, Contact::Exit},
      {"exit, food left far away", {exitHere, farFood}, 0, Contact::None},
      {"exit, food touched this tick", {food, exitHere}, 1, Contact::None},
      {"exit after a killer", {killer, exitHere}, 1, Contact::Exit},
      {"unknown kind", {LevelObject{7, 180, 250}}, 0, Contact::None},
      {"food out of reach", {farFood}, 0, Contact::None},
      {"object at a negative position", {LevelObject{ObjectKiller, -30, -20}}, 0, Contact::None},
  };
  for (const Case& c : cases) {
    World world = EmptyWorld();
    world.ReplaceObjects(c.objects);
    world.RunnerX = 200.0;
    world.RunnerY = 300.0;
    EXPECT_EQ(TouchObject(world, c.index), c.contact) << c.what;
  }
}

TEST(TouchObject, ObjectsAtNegativePositionsAreTouched) {
  World world = EmptyWorld();
  world.AppendObject() = LevelObject{ObjectKiller, -30, -20};  // centre (-10, 0)
  world.RunnerX = -10.0;
  world.RunnerY = 70.0;  // head 12 below the centre
  EXPECT_EQ(TouchObject(world, 0), Contact::Killer);
}

TEST(OutsideWorldBounds, OnTheUnroundedPosition) {
  struct Case {
    double x, y;
    bool outside;
  };
  const Case cases[] = {
      {13.0, 100.0, false},  {12.9, 100.0, true}, {3989.0, 100.0, false}, {3989.1, 100.0, true},
      {200.0, 58.0, false},  {200.0, 57.9, true}, {200.0, 3100.0, false}, {200.0, 3100.1, true},
      {12.6, 100.0, true},  // rounds to 13, but the test is on the unrounded value
      {3989.4, 100.0, true},
  };
  for (const Case& c : cases) {
    World world = EmptyWorld();
    world.RunnerX = c.x;
    world.RunnerY = c.y;
    EXPECT_EQ(OutsideWorldBounds(world), c.outside) << c.x << "," << c.y;
  }
}

}  // namespace
}  // namespace tobu
