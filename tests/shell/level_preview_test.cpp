#include <gtest/gtest.h>

#include <functional>

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
  DrawLevelMap(screen, 0, 0, 2 * GridSize, MapFrame{}, preview.Level, preview.Theme);
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

// The map frames where the level happens: its surfaces (rock beside air, as the shipped
// levels fill what they do not use), objects and start, with a cell of margin.
TEST(LevelMapFrame, IsTheUsedAreaWithAMargin) {
  const struct {
    const char* What;
    std::function<void(ParsedLevel&)> Build;
    MapFrame Frame;
  } cases[] = {
      {"rock everywhere but a room of columns 1-20, rows 1-5; start and food in it",
       [](ParsedLevel& level) {
         level.TileGrid.fill(TileGround);
         for (int column = 1; column <= 20; ++column)
           for (int row = 1; row <= 5; ++row) level.TileGrid[column * GridSize + row] = TileEmpty;
         level.StartX = 100, level.StartY = 60;
         level.Objects = {{ObjectFood, 400, 100}};
       },
       {0, 0, 23, 8}},
      {"sky with a ledge (columns 30-39, row 50), a daisy above it, the start far left",
       [](ParsedLevel& level) {
         for (int column = 30; column <= 39; ++column) level.TileGrid[column * GridSize + 50] = TileGrass;
         level.Objects = {{ObjectExit, 35 * 40, 45 * 31}, {7, 0, 0}, {ObjectKiller, 99999, 99999}};
         level.StartX = 20 * 40, level.StartY = 49 * 31;  // its middle on cell (20, 50)
       },
       {19, 44, 22, 8}},
      {"rock everywhere, the start at the bottom right", [](ParsedLevel& level) {
         level.TileGrid.fill(TileGround);
         level.StartX = 100 * 40, level.StartY = 99 * 31;
       },
       {99, 99, 2, 2}},
  };
  for (const auto& c : cases) {
    ParsedLevel level;
    c.Build(level);
    EXPECT_EQ(UsedArea(level), c.Frame) << c.What;
  }
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
