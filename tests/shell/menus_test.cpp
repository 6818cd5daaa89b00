#include <gtest/gtest.h>

#include <map>

#include "replay/level_crc.h"
#include "shell/menu_rows.h"
#include "shell/par_times.h"

#include "support/game_fixture.h"

namespace tobu::testing {
namespace {

using Bytes = std::vector<uint8_t>;

class Menus : public GameFixture {
protected:
  void MakeLevels(int count) {
    for (int i = 0; i < count; ++i) {
      char name[16];
      std::snprintf(name, sizeof name, "L%02d.vel", i);
      MakeLevel(name);
    }
  }
  // A level that a runner holding Right finishes: food on the way, the exit beyond it.
  void RunLevel(const std::string& name) {
    MakeLevel(name, [](World& w) {
      for (int c = 0; c < GridSize; ++c) w.SetCell(c, 10, TileGrass);
      w.RunnerX = 100;
      w.RunnerY = 10 * 31 - 1;
      w.ReplaceObjects({{ObjectFood, 300, 10 * 31 - 40}, {ObjectExit, 500, 10 * 31 - 40}});
    });
  }
  int TickUntilMenu(int limit = 2000) {
    int ticks = 0;
    while (form.Mode == GameMode::game && ticks < limit) {
      Tick();
      ++ticks;
    }
    return ticks;
  }
};

TEST_F(Menus, LevelListIsSortedWithoutRegardToCase) {
  for (const char* name : {"b.vel", "A.VEL", "c.Vel", "notes.txt", ".hidden.vel"}) MakeLevel(name);
  std::filesystem::create_directory("Levels/dir.vel");
  StartAsNewPlayer();
  EXPECT_EQ(form.LevelFiles.Items, (std::vector<std::string>{"A.VEL", "b.vel", "c.Vel"}));
}

TEST_F(Menus, TwentyLevelsScroll) {
  MakeLevels(20);
  StartAsNewPlayer();
  Press(VkReturn);
  ASSERT_EQ(form.Mode, GameMode::SelectLevel);
  const struct {
    uint16_t key;
    int times;
    int top, cursor, index;
  } steps[] = {
      {VkDown, 19, 4, 15, 19},
      {VkDown, 1, 4, 15, 19},
      {VkUp, 1, 4, 14, 18},
      {VkUp, 14, 4, 0, 4},
      {VkUp, 1, 3, 0, 3},
  };
  for (const auto& s : steps) {
    for (int i = 0; i < s.times; ++i) Press(s.key);
    EXPECT_EQ(form.ListTop, s.top);
    EXPECT_EQ(form.MenuCursor, s.cursor);
    EXPECT_EQ(form.LevelIndex, s.index);
  }
  Tick();
  EXPECT_EQ(display.InkOnLine(90), "L03.vel");
  EXPECT_EQ(display.InkOnLine(90 + 24 * 15), "L18.vel");
  EXPECT_EQ(display.InkOnLine(40), "SelectLevel!");
}

// Plus: Home, End, Page Up and Page Down land where that many Ups or Downs would; classic
// ignores them.
TEST_F(Menus, PlusJumpsThroughTwentyLevels) {
  constexpr uint16_t VkPageUp = 33, VkPageDown = 34, VkEnd = 35, VkHome = 36;
  MakeLevels(20);
  StartAsNewPlayer();
  Press(VkReturn);
  const struct {
    bool plus;
    uint16_t key;
    int top, cursor;
  } steps[] = {
      {true, VkPageDown, 1, 15}, {true, VkPageDown, 4, 15}, {true, VkPageUp, 3, 0},
      {true, VkEnd, 4, 15},      {true, VkPageUp, 3, 0},    {true, VkPageUp, 0, 0},
      {true, VkHome, 0, 0},      {true, VkEnd, 4, 15},      {true, VkHome, 0, 0},
      {false, VkEnd, 0, 0},      {false, VkPageDown, 0, 0},
  };
  for (const auto& s : steps) {
    form.Plus = s.plus;
    Press(s.key);
    EXPECT_EQ(form.ListTop, s.top) << s.key;
    EXPECT_EQ(form.MenuCursor, s.cursor) << s.key;
    EXPECT_EQ(form.LevelIndex, s.top + s.cursor) << s.key;
  }
}

// Plus: the row under the pointer (or a tap) on the main menu's four rows, the level
// list's pane and the player list, to the edges of each band; past the last row or the
// last level, or beside the rows, none.
TEST_F(Menus, PlusRowUnderThePointer) {
  MakeLevels(20);
  StartAsNewPlayer();
  form.Plus = true;
  const struct {
    GameMode mode;
    int top, x, y, row;
  } cases[] = {
      {GameMode::MainMenu, 0, 300, 135, -1},      {GameMode::MainMenu, 0, 300, 136, 0},
      {GameMode::MainMenu, 0, 300, 205, 2},       {GameMode::MainMenu, 0, 300, 255, 3},
      {GameMode::MainMenu, 0, 300, 256, -1},      {GameMode::MainMenu, 0, 235, 205, -1},
      {GameMode::MainMenu, 0, 236, 205, 2},       {GameMode::MainMenu, 0, 419, 205, 2},
      {GameMode::MainMenu, 0, 420, 205, -1},      {GameMode::SelectLevel, 0, 300, 49, -1},
      {GameMode::SelectLevel, 0, 300, 50, 0},     {GameMode::SelectLevel, 0, 300, 433, 15},
      {GameMode::SelectLevel, 0, 300, 434, -1},   {GameMode::SelectLevel, 18, 300, 97, 1},
      {GameMode::SelectLevel, 18, 300, 98, -1},   {GameMode::SelectLevel, 0, 448, 50, -1},
      {GameMode::SelectPlayer, 0, 155, 100, -1},  {GameMode::SelectPlayer, 0, 300, 144, -1},
      {GameMode::SelectPlayer, 0, 156, 143, 1},
  };
  for (const auto& c : cases) {
    form.Mode = c.mode;
    form.ListTop = c.top;
    EXPECT_EQ(MenuRowAt(form, c.x, c.y), c.row) << static_cast<int>(c.mode) << " at " << c.y;
  }
}

TEST_F(Menus, OneLevelNeverMoves) {
  MakeLevels(1);
  StartAsNewPlayer();
  Press(VkReturn);
  Press(VkDown);
  Press(VkUp);
  Press(VkUp);
  EXPECT_EQ(form.MenuCursor, 0);
  EXPECT_EQ(form.ListTop, 0);
}

TEST_F(Menus, PlayFindsALevelSavedWhileTheListWasEmpty) {
  StartAsNewPlayer();
  Press(VkReturn);
  EXPECT_EQ(form.Mode, GameMode::MainMenu);  // nothing to play yet
  MakeLevels(1);
  Press(VkReturn);
  EXPECT_EQ(form.Mode, GameMode::SelectLevel);
  EXPECT_EQ(form.LevelFiles.Items, std::vector<std::string>{"L00.vel"});
}

TEST_F(Menus, ShrunkListClampsThePointer) {
  MakeLevels(20);
  StartAsNewPlayer();
  Press(VkReturn);
  for (int i = 0; i < 19; ++i) Press(VkDown);
  Press(VkEscape);
  for (int i = 5; i < 20; ++i) std::filesystem::remove("L" + std::string(i < 10 ? "0" : "") + std::to_string(i) + ".vel");
  Press(VkReturn);
  ASSERT_EQ(form.Mode, GameMode::SelectLevel);
  EXPECT_EQ(form.LevelIndex, 4);
  EXPECT_EQ(form.ListTop, 0);
  EXPECT_EQ(form.MenuCursor, 4);
  for (int i = 0; i < 5; ++i) std::filesystem::remove("L0" + std::to_string(i) + ".vel");
  Press(VkEscape);
  Press(VkReturn);
  EXPECT_EQ(form.Mode, GameMode::MainMenu);  // nothing left to show
}

TEST_F(Menus, FinishedRunIsRankedAndWrittenIntoTheLevel) {
  RunLevel("run.vel");
  StartAsNewPlayer("Bo");
  PlayLevel();
  ASSERT_EQ(form.Mode, GameMode::game);
  form.KeyDown(VkRight);
  const int ticks = TickUntilMenu();
  ASSERT_EQ(form.Mode, GameMode::GameMenu) << "after " << ticks << " ticks";
  EXPECT_FALSE(form.Outcome.RunFailed);
  EXPECT_TRUE(form.Outcome.NewBestTime);
  EXPECT_EQ(form.Level.ObjectCount, 1);  // the food was eaten
  EXPECT_EQ(form.Best.BestNames[1], "Bo");
  // 113 clock steps of 1.177 hundredths: the finishing tick itself has none.
  EXPECT_EQ(ticks, 114);
  const std::string time = "00:01:33";
  EXPECT_EQ(ClockTimeText(form.Clock), time);
  EXPECT_EQ(form.Outcome.ResultText, time);
  EXPECT_EQ(display.InkOnLine(380), time + "BestTime!");
  // The table follows the level in its file: count, name, time.
  const int32_t t = 133;
  EXPECT_EQ(form.Best.BestTime[1], t);
  const Bytes expected = {1, 2, 'B', 'o', 133, 0, 0, 0};
  const Bytes file = ReadBytes("run.vel");
  ASSERT_EQ(file.size(), 10213u + 2 * 9 + 8);
  EXPECT_EQ(Bytes(file.end() - 8, file.end()), expected);
  // "Best times" shows the table; Escape returns with the same line.
  Press(VkDown);
  Press(VkReturn);
  ASSERT_EQ(form.Mode, GameMode::TopTen);
  Tick();
  EXPECT_EQ(display.InkOnLine(80), "Bo" + StoredTimeText(t));
  Press(VkEscape);
  EXPECT_EQ(form.Mode, GameMode::GameMenu);
  Tick();
  EXPECT_EQ(display.InkOnLine(380), time + "BestTime!");
  EXPECT_EQ(form.MenuCursor, 1);
}

TEST_F(Menus, DeleteErasesTheBestTimes) {
  RunLevel("run.vel");
  StartAsNewPlayer("Bo");
  PlayLevel();
  form.KeyDown(VkRight);
  TickUntilMenu();
  Tick();
  form.KeyUp(VkRight);
  ASSERT_GT(std::filesystem::file_size("run.vel"), 10213u + 18);
  Press(VkEscape);
  ASSERT_EQ(form.Mode, GameMode::SelectLevel);
  Press(VkDelete);
  EXPECT_EQ(std::filesystem::file_size("run.vel"), 10213u + 18);
  EXPECT_EQ(form.Best.BestNames[1], "Bo");  // the old table stays in memory
  Press(VkReturn);
  EXPECT_EQ(form.Best.BestNames[1], "");
}

TEST_F(Menus, BestTimesOfALevelWithoutTableDoNothing) {
  MakeLevels(1);
  StartAsNewPlayer();
  PlayLevel();
  Press(VkEscape);
  ASSERT_EQ(form.Mode, GameMode::GameMenu);
  Press(VkDown);
  Press(VkReturn);
  EXPECT_EQ(form.Mode, GameMode::GameMenu);
}

TEST_F(Menus, ARunWhoseLevelCannotBeReadDoesNotStart) {
  MakeLevels(2);
  StartAsNewPlayer();
  Press(VkReturn);
  std::filesystem::remove("L00.vel");
  const World before = form.Level;
  EXPECT_THROW(Press(VkReturn), FileError);
  EXPECT_EQ(form.Mode, GameMode::SelectLevel);
  EXPECT_EQ(form.Level.ObjectCount, before.ObjectCount);
  EXPECT_EQ(form.Level.RunnerX, before.RunnerX);
}

TEST_F(Menus, EscapeFromGameMenuReturnsToTheLevelJustPlayed) {
  MakeLevels(3);
  StartAsNewPlayer();
  PlayLevel(2);
  ASSERT_EQ(form.Mode, GameMode::game);
  Press(VkEscape);
  Press(VkEscape);
  EXPECT_EQ(form.Mode, GameMode::SelectLevel);
  EXPECT_EQ(form.MenuCursor, 2);
  Tick();
  EXPECT_EQ(display.Calls[display.FirstIndexOf(SheetHelmet)].Y, 80 + 24 * 2);
}

TEST_F(Menus, MainMenuLayout) {
  StartAsNewPlayer();
  Tick();
  EXPECT_EQ(display.InkOnLine(40), "MainMenu");
  EXPECT_EQ(display.InkOnLine(140), "Play");
  EXPECT_EQ(display.InkOnLine(170), "Editor");
  EXPECT_EQ(display.Calls[display.FirstIndexOf(SheetHelmet)].X, 244);
  EXPECT_EQ(display.Calls[display.FirstIndexOf(SheetHelmet)].Y, 130);
}

// Plus with a server: the world records beside the levels the server has (by their level
// CRC, whatever the file's name), the holder of the highlighted one's; nothing without.
TEST_F(Menus, PlusListShowsTheWorldRecordsOfTheLevelsOnTheServer) {
  MakeLevel("mine.vel");
  RunLevel("theirs.vel");
  MakeLevel("zz-damaged.vel");
  std::filesystem::resize_file(dir.Path() / "Levels" / "zz-damaged.vel", 100);
  StartAsNewPlayer();
  form.Plus = true;
  Press(VkReturn);  // "Play"
  const uint32_t theirs = LevelFileCrc((dir.Path() / "Levels" / "theirs.vel").string());
  const std::string Hints = "Return plays    Delete erases times    W watches the record run    Escape back    F1 help|";
  const struct {
    const char* What;
    std::map<uint32_t, WorldRecord> Records;
    int Row;  // the highlighted one
    const char* Texts;
  } cases[] = {
      {"no server", {}, 1, "2 / 3|"},
      {"the highlighted level's",
       {{theirs, {"Bo", 633}}, {0x0badcafe, {"Cy", 1}}},
       1,
       "6.33|World record|Bo|2 / 3|"},
      {"another level's", {{theirs, {"Bo", 633}}}, 0, "6.33|World record|1 / 3|"},
      {"none of the list's", {{0x0badcafe, {"Cy", 1}}}, 2, "World record|3 / 3|"},
  };
  for (const auto& c : cases) {
    form.WorldRecords = c.Records;
    form.MenuCursor = c.Row;
    Tick();
    std::string texts;
    for (const std::string& text : display.Texts) texts += text + "|";
    EXPECT_EQ(texts, c.Texts + Hints) << c.What;
  }
}

// Plus's main menu counts the game's thirty levels, as the ending does: a level of the
// player's own is not one more to finish.
TEST_F(Menus, PlusProgressCountsTheShippedLevelsOnly) {
  std::filesystem::copy(std::filesystem::path(TOBU_SOURCE_DIR) / "Levels", "Levels");
  std::filesystem::copy_file("Levels/01-first-steps.vel", "Levels/mine.vel");
  StartAsNewPlayer();
  form.Plus = true;
  Tick();
  EXPECT_EQ(display.InkOnLine(290), WithoutSpaces("0 of 30 levels finished"));
}

// Plus: every shipped name with a time to the minute, the star and the mark on its row,
// none of them cut or run into the next, and all of it left of the preview.
TEST_F(Menus, PlusRowsHoldEveryShippedNameWithItsTimeStarAndMark) {
  std::filesystem::copy(std::filesystem::path(TOBU_SOURCE_DIR) / "Levels", "Levels");
  StartAsNewPlayer();
  form.Plus = true;
  Press(VkReturn);  // "Play"
  Tick();           // reads the rows, which are then replaced by finished ones
  ASSERT_EQ(form.LevelFiles.Count(), 30);
  for (size_t i = 0; i < form.LevelRows.size(); ++i)
    form.LevelRows[i] = LevelRow{true, 10659, ParTimes()[i].LevelCrc};  // 1:06.59
  form.LevelRows[15].PlayerBest = 1;  // 0.01, under par: a star on "16 guarded roads"
  constexpr int PreviewLeft = 452;
  for (const int top : {0, 14}) {
    form.ListTop = top;
    Tick();
    for (int row = 0; row < 16; ++row) {
      const std::string& file = form.LevelFiles.Items[top + row];
      const int y = 54 + 24 * row;
      const std::string time = row + top == 15 ? "0.01" : "1:06.59";
      EXPECT_EQ(display.InkOnLine(y), WithoutSpaces(LevelTitle(file)) + time) << file;
      int textRight = 0;
      for (const auto& call : display.Calls)
        if (call.Sheet == SheetFont && call.Y == y) textRight = std::max(textRight, call.X + 15);
      int marks = 0;
      for (const auto& rect : display.Rects) {
        if (rect.Y < y || rect.Y >= y + 24 || rect.X >= PreviewLeft) continue;
        ++marks;
        EXPECT_GE(rect.X, textRight) << file;
        EXPECT_LE(rect.X + rect.W, PreviewLeft - 4) << file;
      }
      EXPECT_GE(marks, 8) << file;  // the mark's eight blocks, and the star's rows
    }
  }
}

} // namespace
} // namespace tobu::testing
