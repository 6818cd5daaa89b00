#include "present/game_view.h"

#include <gtest/gtest.h>

#include "present_support.h"

namespace tobu {
namespace {

using testing::RecordingDisplay;
using Draw = RecordingDisplay::Draw;

TEST(SkyOffset, MovesAtHalfSpeedAndJumpsBackEvery1280) {
  const struct {
    int32_t CameraX, SkyX;
  } cases[] = {{0, 0}, {100, -50}, {1279, -639}, {1280, 1}, {1282, 0}, {2560, 2}, {2562, 1}, {3360, -398}};
  for (const auto& c : cases) EXPECT_EQ(SkyOffset(c.CameraX), c.SkyX) << c.CameraX;
}

TEST(DrawSky, TwoCopiesSideBySide) {
  RecordingDisplay display;
  DrawSky(display, -50);
  EXPECT_EQ(display.Draws, (std::vector<Draw>{{SheetSky, -50, 0, 0}, {SheetSky, 590, 0, 0}}));
}

// Every cell of the grid filled, so the draws show exactly which cells the loop visits.
World FullGrid(int32_t cameraX, int32_t cameraY) {
  World world;
  for (int c = 0; c < GridSize; ++c)
    for (int r = 0; r < GridSize; ++r) world.SetCell(c, r, (c + r) % 2 ? TileGround : TileGrass);
  world.CameraX = cameraX;
  world.CameraY = cameraY;
  return world;
}

TEST(DrawTiles, CameraAtOriginSkipsColumnAndRowMinusOne) {
  RecordingDisplay display;
  DrawTiles(display, FullGrid(0, 0));
  ASSERT_EQ(display.Draws.size(), 17u * 17u);
  EXPECT_EQ(display.Draws.front(), (Draw{SheetGrass, 0, 0, 0}));     // cell (0, 0)
  EXPECT_EQ(display.Draws[1], (Draw{SheetGround, 40, 0, 0}));        // cell (1, 0): columns inside rows
  EXPECT_EQ(display.Draws.back(), (Draw{SheetGrass, 640, 496, 0}));  // cell (16, 16)
}

TEST(DrawTiles, CameraAtMaximumNeverShowsColumnOrRow100) {
  RecordingDisplay display;
  DrawTiles(display, FullGrid(CameraMaxX, CameraMaxY));
  // Columns 83..100 and rows 83..100: all 18 x 18 inside the grid.
  ASSERT_EQ(display.Draws.size(), 18u * 18u);
  const Draw& first = display.Draws.front();
  EXPECT_EQ(first.X, -40);
  EXPECT_EQ(first.Y, -31 - 16);  // 2620 mod 31 = 16: row 84 shows its bottom 15 rows at the top
  // Column 100 lands at x = 640 and row 100 at y = 480: both wholly outside the view.
  int atRightEdge = 0, atBottomEdge = 0;
  for (const Draw& d : display.Draws) {
    EXPECT_LE(d.X, 640);
    EXPECT_LE(d.Y, 480);
    atRightEdge += d.X == 640;
    atBottomEdge += d.Y == 480;
  }
  EXPECT_EQ(atRightEdge, 18);
  EXPECT_EQ(atBottomEdge, 18);
  EXPECT_EQ(display.Draws.back().X, 640);
  EXPECT_EQ(display.Draws.back().Y, 480);
}

TEST(DrawTiles, OnlyCodesOneAndTwoDraw) {
  World world;
  world.SetCell(1, 1, TileGrass);
  world.SetCell(2, 1, TileGround);
  world.SetCell(3, 1, 3);
  world.SetCell(4, 1, 255);
  world.CameraX = 45;  // 5 pixels into column 1
  world.CameraY = 33;  // 2 pixels into row 1
  RecordingDisplay display;
  DrawTiles(display, world);
  EXPECT_EQ(display.Draws, (std::vector<Draw>{{SheetGrass, -5, -2, 0}, {SheetGround, 35, -2, 0}}));
}

TEST(DrawObject, VisibilityEdgesAndFrames) {
  World world;
  world.CameraX = 1000;
  world.CameraY = 500;
  const ObjectFrames frames{4, 7, 9};
  const struct {
    uint8_t Kind;
    int32_t Sx, Sy;
    int Sheet, Frame;  // Sheet -1: nothing drawn
  } cases[] = {
      {ObjectFood, -40, 0, -1, 0},
      {ObjectFood, 640, 0, -1, 0},
      {ObjectFood, -39, 0, SheetFood, 4},
      {ObjectKiller, 639, 0, SheetKiller, 7},
      {ObjectExit, 0, 479, SheetExit, 9},
      {ObjectExit, 0, 480, -1, 0},
      {ObjectKiller, 0, -40, -1, 0},
      {ObjectKiller, 0, -39, SheetKiller, 7},
      {3, 100, 100, -1, 0},
      {200, 100, 100, -1, 0},
  };
  for (const auto& c : cases) {
    RecordingDisplay display;
    DrawObject(display, world, {c.Kind, world.CameraX + c.Sx, world.CameraY + c.Sy}, frames);
    const std::vector<Draw> expected =
        c.Sheet < 0 ? std::vector<Draw>{} : std::vector<Draw>{{c.Sheet, c.Sx, c.Sy, c.Frame}};
    EXPECT_EQ(display.Draws, expected) << int{c.Kind} << " at " << c.Sx << "," << c.Sy;
  }
}

TEST(DrawStartMarker, StandingKippoAtRoundedStart) {
  World world;
  world.RunnerX = 102.5;  // halves round to the even neighbour: 102
  world.RunnerY = 200.5;  // 200
  world.CameraX = 40;
  world.CameraY = 31;
  RecordingDisplay display;
  DrawStartMarker(display, world);
  DrawRunnerSheet(display, world, SheetKippoRunR, 5, 79, 136);
  EXPECT_EQ(display.Draws,
            (std::vector<Draw>{{SheetKippo, 102 - 14 - 40, 200 - 61 - 31, 0}, {SheetKippoRunR, 39, 105, 5}}));
}

TEST(DrawClockDigits, SlotsOfMinutesSecondsAndHundredths) {
  const struct {
    uint8_t Minutes, Seconds, Hundredths;
    std::vector<int> Frames;  // at 490, 506, (518), 530, 546, (558), 570, 586
  } cases[] = {
      {3, 12, 34, {0, 3, 1, 2, 3, 4}},
      {0, 0, 8, {0, 0, 0, 0, 0, 8}},
      {100, 59, 99, {1, 0, 5, 9, 9, 9}},
      {255, 5, 10, {2, 5, 0, 5, 1, 0}},
  };
  for (const auto& c : cases) {
    RecordingDisplay display;
    DrawClockDigits(display, c.Minutes, c.Seconds, c.Hundredths);
    const std::vector<Draw> expected = {
        {SheetDigits, 490, 23, c.Frames[0]}, {SheetDigits, 506, 23, c.Frames[1]}, {SheetDigits, 518, 23, 10},
        {SheetDigits, 530, 23, c.Frames[2]}, {SheetDigits, 546, 23, c.Frames[3]}, {SheetDigits, 558, 23, 10},
        {SheetDigits, 570, 23, c.Frames[4]}, {SheetDigits, 586, 23, c.Frames[5]}};
    EXPECT_EQ(display.Draws, expected) << int{c.Minutes};
  }
}

TEST(DrawBestTime, CharactersInTheirSlots) {
  RecordingDisplay display;
  DrawBestTime(display, "01:23:45");
  const std::vector<Draw> expected = {{SheetDigits, 26, 23, 0},  {SheetDigits, 42, 23, 1},
                                      {SheetDigits, 54, 23, 10}, {SheetDigits, 66, 23, 2},
                                      {SheetDigits, 82, 23, 3},  {SheetDigits, 94, 23, 10},
                                      {SheetDigits, 106, 23, 4}, {SheetDigits, 122, 23, 5}};
  EXPECT_EQ(display.Draws, expected);

  // A short or odd text leaves its missing or non-digit slots empty instead of reading past it.
  RecordingDisplay shortText;
  DrawBestTime(shortText, "9x");
  EXPECT_EQ(
      shortText.Draws,
      (std::vector<Draw>{{SheetDigits, 26, 23, 9}, {SheetDigits, 54, 23, 10}, {SheetDigits, 94, 23, 10}}));
}

}  // namespace
}  // namespace tobu
