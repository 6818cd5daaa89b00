#include <gtest/gtest.h>

#include "present/level_map.h"
#include "present/software_display.h"
#include "present/themes.h"
#include "replay/level_crc.h"
#include "support/game_fixture.h"

namespace tobu::testing {
namespace {

class LevelPreviews : public GameFixture {};

// The small map of a level read from its file, drawn at (0, 0): each cell two pixels in
// its theme's colours, each object a dot on the cell of its centre, the start a bar.
TEST_F(LevelPreviews, MapShowsTheCellsObjectsAndStart) {
  MakeLevel("mine.vel", [](World& w) {
    w.SetCell(3, 5, TileGrass);
    w.SetCell(4, 6, TileGround);
    w.ReplaceObjects({{ObjectFood, 400, 310},
                      {ObjectKiller, 800, 620},
                      {ObjectExit, 1200, 930},
                      {ObjectFood, 1600, 1240},
                      {7, 2400, 1860}});  // kind 7: kept, never drawn
    w.RunnerX = 2000;
    w.RunnerY = 1550;
  });
  const LevelPreview preview = ReadLevelPreview("Levels/mine.vel");
  ASSERT_TRUE(preview.Readable);
  EXPECT_EQ(preview.FoodCount, 2);
  EXPECT_EQ(preview.Theme, ThemeMeadow);
  SoftwareDisplay screen;
  screen.ClearSurface(0);
  DrawLevelMap(screen, 0, 0, preview.Level, preview.Theme);
  const MapColours meadow = ThemeMapColours(ThemeMeadow);
  const struct {
    const char* What;
    int X, Y;
    uint16_t Colour;
  } points[] = {
      {"sky", 150, 150, meadow.Sky},
      {"grass cell (3, 5)", 7, 11, meadow.Grass},
      {"ground cell (4, 6)", 8, 12, meadow.Ground},
      {"food on cell (10, 10)", 21, 21, MapFood},
      {"its dot, 4 pixels", 19, 22, MapFood},
      {"past its dot", 23, 21, meadow.Sky},
      {"killer on cell (20, 20)", 41, 41, MapKiller},
      {"daisy on cell (30, 30)", 61, 61, MapExit},
      {"second food on cell (40, 40)", 81, 81, MapFood},
      {"unknown kind on cell (60, 60)", 121, 121, meadow.Sky},
      {"start on cell (50, 51), a bar", 101, 106, MapStart},
      {"the last cell", 201, 201, meadow.Sky},
      {"right of the map", 202, 100, 0},
      {"below the map", 100, 202, 0},
  };
  for (const auto& p : points) EXPECT_EQ(screen.BackBuffer()[p.Y * ViewWidth + p.X], p.Colour) << p.What;
}

// Scrolling through the plus list reads each highlighted level for its preview; the
// list's position, the game's level and the files end as the classic keys leave them.
TEST_F(LevelPreviews, ScrollingLeavesTheListAndLevelAsClassic) {
  for (int i = 0; i < 20; ++i) {
    MakeLevel("L" + std::to_string(10 + i) + ".vel", [i](World& w) {
      w.ReplaceObjects({{ObjectFood, 40 * i, 0}});
    });
  }
  StartAsNewPlayer();
  struct After {
    int32_t Top, Cursor, Index;
    std::vector<LevelObject> Objects;
    std::vector<uint32_t> Crcs;
    bool operator==(const After&) const = default;
  };
  auto scroll = [&](bool plus) {
    form.Plus = plus;
    Press(VkReturn);  // "Play"
    for (const uint16_t key :
         {VkDown, VkDown, VkDown, VkDown, VkDown, VkDown, VkDown, VkDown, VkDown, VkDown,
          VkDown, VkDown, VkDown, VkDown, VkDown, VkDown, VkDown, VkUp,   VkUp,   VkDown}) {
      Press(key);
      Tick();
    }
    After after{form.ListTop, form.MenuCursor, form.LevelIndex, form.Level.ObjectList, {}};
    for (const std::string& file : form.LevelFiles.Items) after.Crcs.push_back(LevelFileCrc(file));
    EXPECT_EQ(form.LevelPreviews.contains(form.LevelFiles.Items[form.LevelIndex]), plus);
    Press(VkEscape);  // back to "MainMenu"
    Tick();
    EXPECT_TRUE(form.LevelPreviews.empty()) << plus;
    return after;
  };
  const After classic = scroll(false);
  EXPECT_GT(classic.Top, 0);  // the list scrolled
  form.ListTop = form.MenuCursor = form.LevelIndex = 0;
  EXPECT_EQ(scroll(true), classic);
}

}  // namespace
}  // namespace tobu::testing
