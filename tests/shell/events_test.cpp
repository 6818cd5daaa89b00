// The game's events, pinned at the ticks where they happen, screen by screen.
#include <gtest/gtest.h>

#include "support/game_fixture.h"

namespace tobu::testing {
namespace {

class Events : public GameFixture {
 protected:
  // The events since the last call, "eat,open".
  std::string Drained() { return JoinEventNames(form.Events.Drain()); }
  // Runs `ticks` ticks and returns "tick:event" for each event, the tick counted from
  // the previous call of Play (1 is the first tick run).
  std::string Play(int ticks) {
    std::string log;
    for (int tick = 1; tick <= ticks; ++tick) {
      Tick();
      for (const GameEvent event : form.Events.Drain()) {
        log += (log.empty() ? "" : " ") + std::to_string(tick) + ":" + std::string(EventName(event));
      }
    }
    return log;
  }
  // A level on a grass floor at row 10, the start at x 200 standing on it.
  void FloorLevel(const std::string& name, std::vector<LevelObject> objects) {
    MakeLevel(name, [&](World& w) {
      for (int c = 0; c < GridSize; ++c) w.SetCell(c, 10, TileGrass);
      w.RunnerX = 200;
      w.RunnerY = 10 * 31 - 1;
      w.ReplaceObjects(objects);
    });
  }
  // New player, "Play", the first level: the run has started, the events so far dropped.
  void StartRun() {
    StartAsNewPlayer();
    PlayLevel();
    ASSERT_EQ(form.Mode, GameMode::game);
    form.Events.Drain();
  }
};

// Objects standing on the floor, by their left edge.
LevelObject OnFloor(uint8_t kind, int32_t x) { return LevelObject{kind, x, 269}; }

TEST_F(Events, RunJumpsPassesTheLockedExitEatsTheLastFoodAndFinishesBest) {
  FloorLevel("a.vel", {OnFloor(ObjectExit, 300), OnFloor(ObjectFood, 500)});
  StartRun();
  form.KeyDown(VkSpace);
  EXPECT_EQ(Play(1), "1:jump");  // the jump starts in the first tick
  form.KeyUp(VkSpace);
  EXPECT_EQ(Play(90), "");  // up and down again, no second jump
  form.KeyDown(VkRight);
  // Through the exit's disc while the apple is left: `locked` once, then the apple.
  EXPECT_EQ(Play(90), "39:locked 89:eat 89:open");
  form.KeyUp(VkRight);
  form.KeyDown(VkLeft);
  EXPECT_EQ(Play(150), "96:finish 96:best");
  EXPECT_EQ(form.Mode, GameMode::GameMenu);
  EXPECT_TRUE(form.Outcome.NewBestTime);
}

TEST_F(Events, LockedAgainOnlyAfterLeavingTheExit) {
  FloorLevel("a.vel", {OnFloor(ObjectExit, 300), OnFloor(ObjectFood, 1500)});
  StartRun();
  form.KeyDown(VkRight);
  EXPECT_EQ(Play(60), "39:locked");
  form.KeyUp(VkRight);
  form.KeyDown(VkLeft);
  EXPECT_EQ(Play(120), "66:locked");  // back through it from the other side
  EXPECT_EQ(form.Mode, GameMode::game);
}

struct RunEnd {
  const char* Name;
  LevelObject Object;
  uint16_t Key;
  const char* Expected;
};

class RunEnds : public Events, public ::testing::WithParamInterface<RunEnd> {};

TEST_P(RunEnds, FailOnceAtItsTick) {
  FloorLevel("a.vel", {GetParam().Object});
  StartRun();
  form.KeyDown(GetParam().Key);
  EXPECT_EQ(Play(200), GetParam().Expected);
  EXPECT_EQ(form.Mode, GameMode::GameMenu);
}

INSTANTIATE_TEST_SUITE_P(Events, RunEnds,
                         ::testing::Values(RunEnd{"Killer", OnFloor(ObjectKiller, 300), VkRight, "39:fail"},
                                           RunEnd{"OffTheLeftEdge", OnFloor(ObjectFood, 1500), VkLeft,
                                                  "63:fail"}),
                         [](const auto& param) { return std::string(param.param.Name); });

TEST_F(Events, EscapeInARunFailsAndIsNoBack) {
  FloorLevel("a.vel", {OnFloor(ObjectFood, 1500)});
  StartRun();
  Play(5);
  Press(VkEscape);
  EXPECT_EQ(Drained(), "fail");
  Press(VkEscape);  // the results menu back to the list
  EXPECT_EQ(Drained(), "back");
}

TEST_F(Events, RankedRunsAreBestOrTopTen) {
  FloorLevel("a.vel", {OnFloor(ObjectExit, 300)});
  StartRun();
  // Runs that wait before running: slow, fastest, between the two.
  const std::pair<int, const char*> runs[] = {
      {40, "39:finish 39:best"}, {10, "39:finish 39:best"}, {25, "39:finish 39:topten"}};
  for (const auto& [wait, expected] : runs) {
    SCOPED_TRACE(wait);
    EXPECT_EQ(Play(wait), "");
    form.KeyDown(VkRight);
    EXPECT_EQ(Play(60), expected);
    form.KeyUp(VkRight);
    Press(VkReturn);  // "Play again"
    EXPECT_EQ(Drained(), "choose");
  }
}

TEST_F(Events, MenusMoveOnlyWhereThePointerCanMove) {
  for (int i = 0; i < 17; ++i)
    FloorLevel("level" + std::string(i < 10 ? "0" : "") + std::to_string(i) + ".vel", {});
  form.Start();
  Press(VkUp);
  EXPECT_EQ(Drained(), "");  // no player yet: the pointer has nowhere to go
  Press(VkDown);
  EXPECT_EQ(Drained(), "");
  Press(VkReturn);
  EXPECT_EQ(Drained(), "choose");
  Type("Ann");
  Press(VkReturn);
  EXPECT_EQ(Drained(), "type,type,type,choose");
  // "MainMenu": two rows.
  Press(VkUp);
  Press(VkDown);
  Press(VkDown);
  Press(VkUp);
  EXPECT_EQ(Drained(), "move,move");
  Press(VkReturn);
  EXPECT_EQ(Drained(), "choose");
  // The list of 17: 16 rows, then it scrolls once, then the end.
  Press(VkUp);
  EXPECT_EQ(Drained(), "");
  for (int i = 0; i < 17; ++i) Press(VkDown);
  std::string sixteenMoves = "move";
  for (int i = 1; i < 16; ++i) sixteenMoves += ",move";
  EXPECT_EQ(Drained(), sixteenMoves);
  EXPECT_EQ(form.ListTop, 1);
  Press(VkEscape);
  EXPECT_EQ(Drained(), "back");
  Press(VkEscape);
  EXPECT_EQ(Drained(), "");  // closing the game is no `back`
  EXPECT_TRUE(form.Closed);
}

TEST_F(Events, NameTypedPastTheLimitAndErased) {
  form.Start();
  Press(VkReturn);
  form.Events.Drain();
  Type("abcdefgh");
  EXPECT_EQ(Drained(), "type,type,type,type,type,type,type,type");
  Type("ij");
  EXPECT_EQ(Drained(), "");  // eight letters at most
  Press(VkBack);
  EXPECT_EQ(Drained(), "erase");
  Type("\x7f ");
  EXPECT_EQ(Drained(), "");  // characters a name never takes
  for (int i = 0; i < 8; ++i) Press(VkBack);
  EXPECT_EQ(Drained(), "erase,erase,erase,erase,erase,erase,erase");
  Press(VkReturn);
  EXPECT_EQ(Drained(), "");  // an empty name is not taken
}

TEST_F(Events, ResultsAndBestTimesMenus) {
  FloorLevel("a.vel", {OnFloor(ObjectFood, 1500)});
  StartRun();
  Press(VkEscape);
  form.Events.Drain();
  Press(VkDown);
  Press(VkReturn);  // "Best times" of a level without any
  Press(VkDown);
  EXPECT_EQ(Drained(), "move");
  Press(VkUp);
  Press(VkReturn);
  EXPECT_EQ(Drained(), "move,choose");
}

TEST_F(Events, Editor) {
  StartAsNewPlayer();
  Press(VkDown);
  Press(VkReturn);
  ASSERT_EQ(form.Mode, GameMode::editor);
  EXPECT_EQ(Drained(), "choose,type,type,type,choose,move,choose");
  // A drag over many cells is one `paint` a tick; a cell painted as it was is none.
  form.MouseDown(MouseButton::Left, 10, 10);
  for (int x = 10; x < 300; x += 20) form.MouseMove(x, 10);
  EXPECT_EQ(Drained(), "paint");
  Tick();
  form.MouseMove(290, 10);
  EXPECT_EQ(Drained(), "");
  form.MouseMove(330, 10);
  EXPECT_EQ(Drained(), "paint");
  form.MouseUp(MouseButton::Left, 330, 10);
  Tick();
  form.MouseDown(MouseButton::Right, 10, 10);
  form.MouseUp(MouseButton::Right, 10, 10);
  EXPECT_EQ(Drained(), "paint");
  // Objects: placed, removed, a miss removes nothing.
  Press('3');
  form.MouseDown(MouseButton::Left, 200, 200);
  form.MouseUp(MouseButton::Left, 200, 200);
  form.MouseDown(MouseButton::Right, 400, 400);
  form.MouseDown(MouseButton::Right, 205, 195);
  EXPECT_EQ(Drained(), "place,remove");
  form.MouseMove(100, 100);
  Press(VkSpace);
  EXPECT_EQ(Drained(), "start");
  // Save and open through the prompts; Escape closes a prompt, then leaves.
  Press('S');
  Type("xy");
  Press(VkBack);
  Press(VkReturn);
  EXPECT_EQ(Drained(), "type,type,erase,saved");
  EXPECT_TRUE(std::filesystem::exists("x.vel"));
  Press('O');
  Press(VkReturn);
  EXPECT_EQ(Drained(), "opened");
  Press('O');
  Press(VkEscape);
  EXPECT_EQ(Drained(), "back");
  Press(VkEscape);
  EXPECT_EQ(Drained(), "back");
  EXPECT_EQ(form.Mode, GameMode::MainMenu);
}

}  // namespace
}  // namespace tobu::testing
