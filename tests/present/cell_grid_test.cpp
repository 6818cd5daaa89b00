#include "present/cell_grid.h"

#include <gtest/gtest.h>

#include <map>

#include "present/software_display.h"

namespace tobu {
namespace {

constexpr uint16_t Black = 0;

class CellGrid : public ::testing::Test {
 protected:
  CellGrid() : display(std::vector<SpriteSheet>{}) {}
  uint16_t Pixel(int x, int y) const { return display.BackBuffer()[static_cast<size_t>(y * ViewWidth + x)]; }
  void Draw(int32_t cameraX, int32_t cameraY) {
    World world;
    world.CameraX = cameraX;
    world.CameraY = cameraY;
    display.ClearSurface(Black);
    DrawCellGrid(display, world);
  }
  // How many pixels of each colour the frame holds.
  std::map<uint16_t, int> Counts() const {
    std::map<uint16_t, int> counts;
    for (const uint16_t p : display.BackBuffer()) ++counts[p];
    return counts;
  }
  SoftwareDisplay display;
};

// At the world's top-left corner: 16 columns (x 0, 40, .. 600) and 16 rows (y 0, 31, ..
// 465) of grey across the whole view, and no end of the world in sight.
TEST_F(CellGrid, LinesOnTheCellBordersAcrossTheView) {
  Draw(0, 0);
  for (int y : {0, 1, 100, 479}) {
    for (int x = 0; x < ViewWidth; ++x) {
      const bool onLine = x % CellWidth == 0 || y % CellHeight == 0;
      ASSERT_EQ(Pixel(x, y), onLine ? GridLineColour : Black) << x << ',' << y;
    }
  }
  EXPECT_EQ(Counts()[GridLineColour], 16 * ViewHeight + 16 * ViewWidth - 16 * 16);
  EXPECT_EQ(Counts().count(WorldEndColour), 0u);
}

// Seen from a camera the game's clamp would not allow, the far borders (x 4040, y 3131)
// are red, drawn over the grey, and nothing lies beyond them.
TEST_F(CellGrid, TheWorldEndsInARedLine) {
  Draw(3500, 2700);  // x 4040 at 540, y 3131 at 431
  EXPECT_EQ(Pixel(540, 0), WorldEndColour);
  EXPECT_EQ(Pixel(540, 431), WorldEndColour);
  EXPECT_EQ(Pixel(0, 431), WorldEndColour);
  EXPECT_EQ(Pixel(500, 431), WorldEndColour);  // where a grey column crosses it
  EXPECT_EQ(Pixel(500, 432), Black);           // the grey ends with the grid
  EXPECT_EQ(Pixel(541, 10), Black);
  EXPECT_EQ(Pixel(600, 36), Black);  // row 3131 - 31 = 3100 lies at y 400, not here
  EXPECT_EQ(Pixel(600, 400), Black);
  EXPECT_EQ(Pixel(520, 400), GridLineColour);
  EXPECT_EQ(Counts()[WorldEndColour], 432 + 540);
}

// The camera's own clamp keeps the view inside x 0..3999, y 0..3099: the far corner of
// the view shows grey borders only.
TEST_F(CellGrid, TheFurthestViewShowsNoEnd) {
  Draw(CameraMaxX, CameraMaxY);
  EXPECT_EQ(Counts().count(WorldEndColour), 0u);
  EXPECT_EQ(Pixel(ViewWidth - 1, 1), Black);  // x 3999: the next border, 4000, is outside
  EXPECT_EQ(Pixel(3960 - CameraMaxX, 1), GridLineColour);
}

struct Rect {
  const char* Name;
  int X, Y, W, H;
  int Pixels;  // expected inside the view
};

class FillRectClips : public ::testing::TestWithParam<Rect> {};

TEST_P(FillRectClips, ToTheBackBuffer) {
  SoftwareDisplay display(std::vector<SpriteSheet>{});
  display.ClearSurface(Black);
  const Rect& r = GetParam();
  display.FillRect(r.X, r.Y, r.W, r.H, 0xFFFF);
  int lit = 0;
  for (const uint16_t p : display.BackBuffer()) lit += p == 0xFFFF;
  EXPECT_EQ(lit, r.Pixels);
}

INSTANTIATE_TEST_SUITE_P(
    Display, FillRectClips,
    ::testing::Values(Rect{"Inside", 10, 10, 5, 3, 15}, Rect{"LeftTop", -3, -2, 5, 4, 4},
                      Rect{"RightBottom", 638, 478, 5, 5, 4}, Rect{"Beyond", 640, 0, 10, 10, 0},
                      Rect{"Below", 0, 480, 10, 10, 0}, Rect{"Empty", 10, 10, 0, 5, 0},
                      Rect{"Negative", 10, 10, -5, 5, 0},
                      Rect{"Huge", -2000000000, -2000000000, 2100000000, 2100000000, ViewWidth* ViewHeight}),
    [](const ::testing::TestParamInfo<Rect>& param) { return std::string(param.param.Name); });

}  // namespace
}  // namespace tobu
