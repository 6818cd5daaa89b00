#include "present/scenery.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "present/plus_hud.h"

namespace tobu {
namespace {

// A floor with steps and holes, a ledge with an overhang, food and killers on and under them.
World Scene(bool withObjects) {
  World world;
  for (int c = 0; c < 40; ++c) world.SetCell(c, 12 + c % 5 / 4, c % 9 == 8 ? TileEmpty : TileGrass);
  for (int c = 4; c < 14; ++c) world.SetCell(c, 7, TileGround);
  if (withObjects) {
    world.ObjectList = {{ObjectFood, 180, 240},
                        {ObjectKiller, 330, 225},
                        {ObjectFood, 6 * 40, 7 * 31 + 5},
                        {ObjectExit, 10 * 40 + 7, 7 * 31 - 40},
                        {ObjectKiller, 25 * 40, 12 * 31 - 40}};
    world.ObjectCount = static_cast<int32_t>(world.ObjectList.size());
  }
  return world;
}

bool Touch(int64_t ax, int64_t ay, int64_t aw, int64_t ah, int64_t bx, int64_t by, int64_t bw, int64_t bh) {
  return ax < bx + bw && bx < ax + aw && ay < by + bh && by < ay + ah;
}

TEST(SurfaceDetails, NeverOnObjectsOrTheHudAndTheSameFromAnyCamera) {
  const struct {
    const char* Name;
    ViewCamera Camera;
    int32_t HudTop;
  } cases[] = {
      {"hud at the top", {0, 100}, 0},
      {"hud at the bottom", {0, 0}, ViewHeight - HudHeight},
      {"hud over the floor", {0, 140}, 250},
      {"no hud, scrolled right", {300, 60}, -1},
      {"camera left of the world", {-100, -50}, -1},
  };
  const World world = Scene(true), bare = Scene(false);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    const std::vector<DetailSpot> spots = DetailsInView(world, c.Camera, c.HudTop);
    const std::vector<DetailSpot> all = DetailsInView(bare, c.Camera, -1);
    ASSERT_FALSE(spots.empty());
    const auto touchesObject = [&](const DetailSpot& s) {
      return std::any_of(world.ObjectList.begin(), world.ObjectList.end(),
                         [&](const LevelObject& o) { return Touch(s.X, s.Y, 40, 20, o.X, o.Y, 40, 40); });
    };
    const auto underHud = [&](const DetailSpot& s) {
      return c.HudTop >= 0 && Touch(0, s.Y - c.Camera.Y, 1, 20, 0, c.HudTop, 1, HudHeight);
    };
    // Exactly the details of the bare level that touch neither an object nor the HUD.
    std::vector<DetailSpot> expected;
    std::copy_if(all.begin(), all.end(), std::back_inserter(expected),
                 [&](const DetailSpot& s) { return !touchesObject(s) && !underHud(s); });
    EXPECT_EQ(spots, expected);
    EXPECT_LT(spots.size(), all.size());
    // A detail seen from another camera is the same frame at the same place.
    for (const DetailSpot& moved : DetailsInView(bare, {c.Camera.X + 213, c.Camera.Y + 37}, -1)) {
      const auto same = std::find_if(all.begin(), all.end(),
                                     [&](const DetailSpot& s) { return s.X == moved.X && s.Y == moved.Y; });
      if (same != all.end()) {
        EXPECT_EQ(same->Frame, moved.Frame) << moved.X << "," << moved.Y;
      }
    }
  }
}

// Standing frames on tops with open sky above, hanging frames under open cells, nowhere else.
TEST(SurfaceDetails, StandOnOpenTopsAndHangUnderOverhangs) {
  const World world = Scene(false);
  for (const DetailSpot& s : DetailsInView(world, {0, 0}, -1)) {
    const int32_t column = s.X / CellWidth;
    const bool hanging = s.Frame >= 8;
    const int32_t row = hanging ? (s.Y + 3) / CellHeight - 1 : (s.Y + 17) / CellHeight;
    EXPECT_NE(world.Cell(column, row), TileEmpty) << s.X << "," << s.Y;
    EXPECT_EQ(world.Cell(column, hanging ? row + 1 : row - 1), TileEmpty) << s.X << "," << s.Y;
    EXPECT_LT(s.Frame, 12);
  }
}

}  // namespace
}  // namespace tobu
