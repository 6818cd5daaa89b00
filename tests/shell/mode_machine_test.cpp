#include <gtest/gtest.h>

#include "support/game_fixture.h"

namespace tobu::testing {
namespace {

class ModeMachine : public GameFixture {
 protected:
  // A level whose start stands on a floor of grass at row 10, with `objects` placed.
  void FloorLevel(const std::string& name, std::vector<LevelObject> objects = {}) {
    MakeLevel(name, [&](World& w) {
      for (int c = 0; c < GridSize; ++c) w.SetCell(c, 10, TileGrass);
      w.RunnerX = 200;
      w.RunnerY = 10 * 31 - 1;
      w.ReplaceObjects(objects);
    });
  }
};

TEST_F(ModeMachine, FirstStartWithoutRoster) {
  form.Start();
  EXPECT_EQ(form.Mode, GameMode::SelectPlayer);
  EXPECT_EQ(form.Players.PlayerCount, 0);
  EXPECT_EQ(form.MenuCursor, 0);
  EXPECT_EQ(form.Level.RunnerX, 100.0);
  EXPECT_EQ(form.Level.RunnerY, 100.0);
  EXPECT_EQ(form.Editor.Brush, 1);
  EXPECT_FALSE(display.PointerShown);
  Tick(3);
  EXPECT_EQ(display.Presents, 3);
  EXPECT_TRUE(std::filesystem::is_empty(dir.Path() / "Levels"));
}

TEST_F(ModeMachine, HeldEscapeWalksBackToClosing) {
  FloorLevel("a.vel");
  StartAsNewPlayer();
  PlayLevel();
  ASSERT_EQ(form.Mode, GameMode::game);
  const GameMode expected[] = {GameMode::GameMenu, GameMode::SelectLevel, GameMode::MainMenu};
  for (GameMode mode : expected) {
    form.KeyDown(VkEscape);  // auto-repeat: key-downs without key-ups
    EXPECT_EQ(form.Mode, mode);
    EXPECT_FALSE(form.Closed);
  }
  EXPECT_TRUE(form.Outcome.RunFailed);
  form.KeyDown(VkEscape);
  EXPECT_TRUE(form.Closed);
}

TEST_F(ModeMachine, ReturnOnPlayWithCursorOneDoesNotOpenEditor) {
  FloorLevel("a.vel");
  FloorLevel("b.vel");
  StartAsNewPlayer();
  Press(VkReturn);
  Press(VkDown);
  ASSERT_EQ(form.LevelIndex, 1);
  Press(VkEscape);
  ASSERT_EQ(form.Mode, GameMode::MainMenu);
  ASSERT_EQ(form.MenuCursor, 0);
  Press(VkReturn);
  EXPECT_EQ(form.Mode, GameMode::SelectLevel);
  EXPECT_EQ(form.MenuCursor, 1);
}

TEST_F(ModeMachine, ReturnOnEditorClearsTheLevelAndShowsThePointer) {
  FloorLevel("a.vel");
  StartAsNewPlayer();
  PlayLevel();
  Press(VkEscape);
  Press(VkEscape);
  Press(VkEscape);
  ASSERT_EQ(form.Mode, GameMode::MainMenu);
  Press(VkDown);
  Press(VkReturn);
  EXPECT_EQ(form.Mode, GameMode::editor);
  EXPECT_EQ(form.Level.ObjectCount, 0);
  EXPECT_EQ(form.Level.Cell(0, 10), TileEmpty);
  EXPECT_EQ(form.Level.RunnerX, 100.0);
  EXPECT_TRUE(display.PointerShown);
  Press(VkEscape);
  EXPECT_EQ(form.Mode, GameMode::MainMenu);
  EXPECT_EQ(form.MenuCursor, 1);
  EXPECT_FALSE(display.PointerShown);
}

TEST_F(ModeMachine, KillerEndsTheRunBeforeRunnerClockAndBounds) {
  // The killer sits on the runner's start: the first tick ends the run in the object pass.
  FloorLevel("a.vel", {{ObjectKiller, 180, 10 * 31 - 40}});
  StartAsNewPlayer();
  PlayLevel();
  Tick();
  EXPECT_EQ(form.Mode, GameMode::GameMenu);
  EXPECT_TRUE(form.Outcome.RunFailed);
  EXPECT_EQ(form.Clock.Clock, 0.0);
  // The world was drawn, then the results menu over it; no runner, no clock digits.
  EXPECT_LT(display.FirstIndexOf(SheetKiller), display.FirstIndexOf(SheetFon));
  for (int sheet : {SheetKippo, SheetKippoR, SheetKippoRun, SheetKippoRunR, SheetDigits}) {
    EXPECT_EQ(display.CountSheet(sheet), 0) << sheet;
  }
  EXPECT_EQ(display.InkOnLine(380), "YouFailedtoFinish!");
}

TEST_F(ModeMachine, EarlierObjectDecidesBetweenKillerAndExit) {
  const LevelObject killer{ObjectKiller, 180, 10 * 31 - 40};
  const LevelObject exit{ObjectExit, 180, 10 * 31 - 40};
  FloorLevel("a.vel", {killer, exit});
  StartAsNewPlayer();
  PlayLevel();
  Tick();
  EXPECT_EQ(form.Mode, GameMode::GameMenu);
  EXPECT_TRUE(form.Outcome.RunFailed);
  FloorLevel("a.vel", {exit, killer});
  Press(VkReturn);  // "Play again" reads the file again
  ASSERT_EQ(form.Mode, GameMode::game);
  Tick();
  EXPECT_EQ(form.Mode, GameMode::GameMenu);
  EXPECT_FALSE(form.Outcome.RunFailed);
  EXPECT_EQ(display.InkOnLine(380), "00:00:00BestTime!");
}

TEST_F(ModeMachine, LeavingTheWorldFailsAndShowsTheWorldThatTick) {
  MakeLevel("fall.vel", [](World& w) {
    w.RunnerX = 200;
    w.RunnerY = 3095;  // nothing below: the first moves take it past 3100
  });
  StartAsNewPlayer();
  PlayLevel();
  int ticks = 0;
  while (form.Mode == GameMode::game && ticks < 100) {
    Tick();
    ++ticks;
  }
  ASSERT_EQ(form.Mode, GameMode::GameMenu);
  EXPECT_TRUE(form.Outcome.RunFailed);
  EXPECT_EQ(form.Level.RunnerX, 100.0);
  EXPECT_EQ(form.Level.RunnerY, 100.0);
  EXPECT_EQ(display.CountSheet(SheetFon), 0);  // this frame still shows the world
  EXPECT_GT(display.CountSheet(SheetSky), 0);
  Tick();
  EXPECT_EQ(display.CountSheet(SheetFon), 176);
}

TEST_F(ModeMachine, NoSurfaceMeansNoDrawingNoObjectsAndNoClock) {
  FloorLevel("a.vel", {{ObjectKiller, 180, 10 * 31 - 40}});
  StartAsNewPlayer();
  PlayLevel();
  display.Ready = false;
  const int presents = display.Presents;
  Tick(5);
  EXPECT_EQ(form.Mode, GameMode::game);
  EXPECT_EQ(form.Clock.Clock, 0.0);
  EXPECT_EQ(display.Presents, presents);
  EXPECT_EQ(form.Anim.AnimTick, 5 % 3);  // the counters still run
}

TEST_F(ModeMachine, KeyHeldFollowsDownAndUp) {
  form.Start();
  form.KeyDown(VkLeft);
  EXPECT_TRUE(form.KeyHeld[VkLeft]);
  form.KeyUp(VkLeft);
  EXPECT_FALSE(form.KeyHeld[VkLeft]);
  form.KeyDown(300);  // beyond the table: ignored, never out of bounds
  form.KeyUp(300);
}

TEST_F(ModeMachine, AnimationCountersWrapAtTheirSheets) {
  form.Start();
  Tick(3 * 34);
  EXPECT_EQ(form.Anim.ObjectFrame[ObjectFood], 0);    // 34 frames
  EXPECT_EQ(form.Anim.ObjectFrame[ObjectKiller], 1);  // 33 frames
  EXPECT_EQ(form.Anim.ObjectFrame[ObjectExit], 34);   // 50 frames
}

TEST_F(ModeMachine, EditorArrowsScrollOnlyWithoutPrompt) {
  StartAsNewPlayer();
  Press(VkDown);
  Press(VkReturn);
  ASSERT_EQ(form.Mode, GameMode::editor);
  form.KeyDown(VkRight);
  form.KeyDown(VkDown);
  Tick(2);
  EXPECT_EQ(form.Level.CameraX, 16);
  EXPECT_EQ(form.Level.CameraY, 16);
  form.KeyUp('S');
  ASSERT_TRUE(form.Editor.SavePromptOpen);
  Tick(2);
  EXPECT_EQ(form.Level.CameraX, 16);
  form.KeyDown(VkEscape);
  form.KeyUp(VkRight);
  form.KeyDown(VkLeft);
  Tick(10);
  EXPECT_EQ(form.Level.CameraX, 0);  // clamped at the world's left edge
  form.Plus = true;  // plus's editor scrolls on until the world's bottom edge clears the toolbar
  Tick(400);
  EXPECT_EQ(form.Level.CameraY, CameraMaxY + ViewHeight - EditorToolbarTop);
  form.MouseWheel(0, 1);  // the wheel stops where the arrows do; Shift turns it sideways
  EXPECT_EQ(form.Level.CameraY, CameraMaxY + ViewHeight - EditorToolbarTop);
  form.KeyDown(VkShift);
  form.MouseWheel(0, 1);
  EXPECT_EQ(form.Level.CameraX, 3 * CellWidth);
}

}  // namespace
}  // namespace tobu::testing
