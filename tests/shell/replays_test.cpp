// Recording, records, watching with W and the ghost with G, on the game's handlers.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "present/software_display.h"
#include "replay/replay_file.h"
#include "support/game_fixture.h"

namespace tobu::testing {
namespace {

namespace fs = std::filesystem;

// A floor with the exit 300 pixels right of the start: held Right finishes in ~100 ticks.
void ExitAhead(World& world) {
  for (int column = 0; column < GridSize; ++column) world.SetCell(column, 4, TileGround);
  world.AppendObject() = LevelObject{ObjectExit, 400, 84};
}

// Every file below the test's folder with its bytes.
std::map<std::string, std::vector<uint8_t>> FolderContents(const fs::path& root) {
  std::map<std::string, std::vector<uint8_t>> files;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (entry.is_regular_file()) files[fs::relative(entry.path(), root).string()] = ReadBytes(entry.path());
  }
  return files;
}

class Replays : public GameFixture {
 protected:
  Replays() {
    for (const char* name : {"a.vel", "b.vel", "c.vel"}) MakeLevel(name, ExitAhead);
  }
  // A run on list row `row` with Right held from `wait` ticks on, to its end.
  void FinishRun(int row, int wait = 0) {
    PlayLevel(row);
    Tick(wait);
    form.KeyDown(VkRight);
    for (int i = 0; i < 1000 && form.Mode == GameMode::game; ++i) Tick();
    form.KeyUp(VkRight);
    Tick();
  }
  fs::path ReplayFile(const std::string& name) const { return dir.Path() / "Replays" / name; }
};

TEST_F(Replays, BestTimeKeepsTheRecordAndEveryFinishIsLast) {
  StartAsNewPlayer();
  FinishRun(1);
  ASSERT_TRUE(form.Outcome.NewBestTime);
  const Replay record = ReadReplay(ReplayFile("b.tbr").string());
  EXPECT_EQ(record.LevelFile, "b.vel");
  EXPECT_EQ(record.PlayerName, "Ann");
  EXPECT_EQ(record.FinishTime, form.Best.BestTime[1]);
  EXPECT_EQ(ReadBytes(ReplayFile("last.tbr")), ReadBytes(ReplayFile("b.tbr")));
  // A slower run: only last.tbr changes.
  Press(VkEscape);
  FinishRun(1, 50);
  ASSERT_FALSE(form.Outcome.NewBestTime);
  EXPECT_EQ(ReadReplay(ReplayFile("b.tbr").string()), record);
  EXPECT_GT(ReadReplay(ReplayFile("last.tbr").string()).TickCount, record.TickCount + 49);
  EXPECT_FALSE(fs::exists(ReplayFile("a.tbr")));
}

TEST_F(Replays, WatchingPlaysTheRecordWritesNothingAndReturnsToTheRow) {
  StartAsNewPlayer();
  FinishRun(2);
  const RunClock recorded = form.Clock;
  Press(VkEscape);
  ASSERT_EQ(form.Mode, GameMode::SelectLevel);
  Press(VkUp);
  Press(VkDown);
  const auto files = FolderContents(dir.Path());
  Press('W');
  ASSERT_EQ(form.Mode, GameMode::game);
  ASSERT_TRUE(form.WatchingReplay());
  Press(VkLeft);  // the player's keys do not steer the record
  int ticks = 0;
  for (; ticks < 1000 && form.WatchingReplay() && form.Mode == GameMode::game; ++ticks) Tick();
  EXPECT_EQ(form.Clock.Clock, recorded.Clock);
  EXPECT_EQ(display.Texts.size(), 0u);  // the record's line is bitmap text, not the canvas
  Tick();
  EXPECT_FALSE(form.WatchingReplay());
  EXPECT_EQ(form.Mode, GameMode::SelectLevel);
  EXPECT_EQ(form.MenuCursor, 2);
  EXPECT_EQ(form.LevelIndex, 2);
  EXPECT_EQ(FolderContents(dir.Path()), files);
}

TEST_F(Replays, EscapeEndsTheWatchAndNoRecordMeansNoWatch) {
  StartAsNewPlayer();
  FinishRun(0);
  Press(VkEscape);
  Press('W');
  ASSERT_TRUE(form.WatchingReplay());
  Tick(10);
  Press(VkEscape);
  EXPECT_EQ(form.Mode, GameMode::SelectLevel);
  EXPECT_FALSE(form.Closed);
  Press(VkDown);  // b.vel has no record
  Press('W');
  EXPECT_EQ(form.Mode, GameMode::SelectLevel);
  EXPECT_FALSE(form.WatchingReplay());
  EXPECT_FALSE(form.ListNotice.Shown());  // classic answers nothing, plus says so until a key
  form.Plus = true;
  Press('W');
  EXPECT_TRUE(form.ListNotice.Shown());
  Press(VkUp);
  EXPECT_FALSE(form.ListNotice.Shown());
}

TEST_F(Replays, DamagedOrOutdatedRecordChangesNothing) {
  StartAsNewPlayer();
  FinishRun(0);
  Press(VkEscape);
  const std::vector<uint8_t> whole = ReadBytes(ReplayFile("a.tbr"));
  const World level = form.Level;
  const auto files = [&] { return FolderContents(dir.Path()); };
  for (size_t size = 0; size < whole.size(); size += 3) {
    WriteBytes(ReplayFile("a.tbr"), {whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size)});
    const auto before = files();
    try {
      Press('W');
      ADD_FAILURE() << "a record cut to " << size << " bytes was played";
    } catch (const FileError& error) {
      EXPECT_EQ(std::string(error.what()), "Replay file " + ReplayFile("a.tbr").string() + " is damaged");
    }
    EXPECT_EQ(form.Mode, GameMode::SelectLevel);
    EXPECT_EQ(form.Level.ObjectList, level.ObjectList);
    EXPECT_EQ(files(), before);
  }
  WriteBytes(ReplayFile("a.tbr"), whole);
  MakeLevel("a.vel", [](World& world) {
    ExitAhead(world);
    world.SetCell(90, 90, TileGrass);
  });
  EXPECT_THROW(
      {
        try {
          Press('W');
        } catch (const FileError& error) {
          EXPECT_EQ(std::string(error.what()), "The level has changed since this run was recorded");
          throw;
        }
      },
      FileError);
  EXPECT_EQ(form.Mode, GameMode::SelectLevel);
}

// Replays are no part of the finish the player is shown: neither file can be written,
// yet the finish shows its results with no message, the table is written, and both
// failures are warnings for the platform to print.
TEST_F(Replays, FailedRecordWriteIsOnlyAWarningAndTheTableIsKept) {
  StartAsNewPlayer();
  WriteBytes(dir.Path() / "Replays", {1});  // a file where the folder should be
  PlayLevel(0);
  form.KeyDown(VkRight);
  const auto finish = [&] {
    for (int i = 0; i < 1000 && form.Mode == GameMode::game; ++i) Tick();
  };
  EXPECT_NO_THROW(finish());
  EXPECT_EQ(form.Mode, GameMode::GameMenu);
  EXPECT_TRUE(form.Outcome.NewBestTime);
  const std::string cannot = "Cannot create file " + (dir.Path() / "Replays").string();
  EXPECT_EQ(form.Warnings, (std::vector<std::string>{cannot + "/a.tbr", cannot + "/last.tbr"}));
  EXPECT_GT(fs::file_size(dir.Path() / "Levels" / "a.vel"), fs::file_size(dir.Path() / "Levels" / "b.vel"));
}

// The message of the FileError `step` throws, or "" when it throws none.
std::string FileErrorOf(const std::function<void()>& step) {
  try {
    step();
  } catch (const FileError& error) {
    return error.what();
  }
  return "";
}

// Another program saves the level while a run on it goes on: the finish writes neither
// the time (at the old table's place, now inside the objects) nor the level's record.
TEST_F(Replays, LevelSavedDuringTheRunKeepsItsBytes) {
  struct Change {
    const char* Level;
    std::function<void(World&)> Build;
  };
  const Change changes[] = {
      {"a",
       [](World& world) {
         ExitAhead(world);
         for (int i = 0; i < 14; ++i) world.AppendObject() = LevelObject{ObjectFood, 2000 + 40 * i, 84};
       }},
      {"b",
       [](World& world) {
         ExitAhead(world);
         world.SetCell(90, 90, TileGrass);
       }},
  };
  StartAsNewPlayer();
  PlayLevel(0);
  for (const Change& change : changes) {
    SCOPED_TRACE(change.Level);
    ASSERT_EQ(form.Mode, GameMode::game);
    Tick();
    MakeLevel(std::string(change.Level) + ".vel", change.Build);
    const fs::path level = dir.Path() / "Levels" / (std::string(change.Level) + ".vel");
    const std::vector<uint8_t> saved = ReadBytes(level);
    form.KeyDown(VkRight);
    std::string error;
    for (int i = 0; i < 1000 && error.empty() && form.Mode == GameMode::game; ++i)
      error = FileErrorOf([&] { Tick(); });
    form.KeyUp(VkRight);
    EXPECT_EQ(error, "The level has changed since this run started; the time was not saved");
    EXPECT_TRUE(form.Outcome.NewBestTime);
    EXPECT_EQ(ReadBytes(level), saved);
    EXPECT_FALSE(fs::exists(ReplayFile(std::string(change.Level) + ".tbr")));
    EXPECT_TRUE(fs::exists(ReplayFile("last.tbr")));
    Press(VkEscape);  // the level list, then the next row's run
    Press(VkDown);
    Press(VkReturn);
  }
}

// Replays/a.tbr copied from b's record (the levels are alike, so the CRCs agree): W and G
// on a refuse it by the level it names, not as a changed level.
TEST_F(Replays, RecordOfAnotherLevelIsRefusedForWhatItIs) {
  StartAsNewPlayer();
  FinishRun(1);
  fs::copy_file(ReplayFile("b.tbr"), ReplayFile("a.tbr"));
  Press(VkEscape);
  Press(VkUp);
  const std::string expected = "The record is of another level: b.vel";
  EXPECT_EQ(FileErrorOf([&] { Press('W'); }), expected);
  EXPECT_FALSE(form.WatchingReplay());
  EXPECT_EQ(form.Mode, GameMode::SelectLevel);
  form.Replays.GhostShown = true;
  EXPECT_EQ(FileErrorOf([&] { Press(VkReturn); }), expected);
  EXPECT_EQ(form.Mode, GameMode::game);
  EXPECT_FALSE(form.Replays.Ghost.Running);
}

// A world record from a server, recorded under another file name, is the highlighted
// level's by its CRC: W watches it as that level's record, G races it as the ghost on each
// run of the level until G hides the ghost; one of another level starts nothing.
TEST_F(Replays, WorldRecordIsTheHighlightedLevelsByItsCrc) {
  MakeLevel("d.vel");  // an empty world: another CRC
  StartAsNewPlayer();
  FinishRun(1);
  Replay record = ReadReplay(ReplayFile("b.tbr").string());
  record.LevelFile = "elsewhere.vel";
  fs::remove(ReplayFile("b.tbr"));  // no local record: a ghost is the world record's
  const auto backToList = [&] {
    form.StopWatching();
    while (form.Mode != GameMode::SelectLevel) Press(VkEscape);
  };
  const struct {
    int Row;
    bool Race;
    const char* Expected;
  } cases[] = {
      {0, false, "watching a.vel"},
      {1, true, "racing b.vel"},
      {3, false, "The record is of another level: elsewhere.vel"},
      {3, true, "The record is of another level: elsewhere.vel"},
  };
  for (const auto& c : cases) {
    backToList();
    form.MenuCursor = c.Row;
    const std::string error =
        FileErrorOf([&] { c.Race ? form.RaceWorldRecord(record) : form.WatchWorldRecord(record); });
    const GhostRun& ghost = form.Replays.Ghost;
    const std::string got = !error.empty()          ? error
                            : form.WatchingReplay() ? "watching " + form.Replays.Watch.Record.LevelFile
                            : ghost.Running         ? "racing " + ghost.Record.LevelFile
                                                    : "neither";
    EXPECT_EQ(got, c.Expected) << c.Row;
    if (error.empty()) {
      EXPECT_EQ(c.Race ? ghost.Record.Events : form.Replays.Watch.Record.Events, record.Events) << c.Row;
    }
  }
  // The race goes on in the next run of b, and G ends it: with no local record, no ghost.
  backToList();
  form.MenuCursor = 1;
  Press(VkReturn);
  Tick(30);
  EXPECT_EQ(form.Replays.Ghost.Ticks, 30u);
  EXPECT_GT(form.Replays.Ghost.Level.RunnerX, RunnerHomeX);
  Press('G');
  Press('G');
  EXPECT_TRUE(form.Replays.GhostShown);
  EXPECT_FALSE(form.Replays.Ghost.Running);
}

// Plus lets Up and W jump, A and D run: the record of a run played with them is, byte for
// byte, the record of the run played with Space and the arrows in the classic game.
TEST_F(Replays, PlusStandInKeysAreRecordedAsTheirActions) {
  struct KeyAt {
    int Tick;
    uint16_t Key;
    bool Down;
  };
  const struct {
    const char* Name;
    std::vector<KeyAt> Plus, Classic;
  } cases[] = {
      {"a tap", {{40, VkUp, true}, {44, VkUp, false}}, {{40, VkSpace, true}, {44, VkSpace, false}}},
      {"held, repeating",
       {{40, VkUp, true}, {50, VkUp, true}, {51, VkUp, true}, {65, VkUp, false}},
       {{40, VkSpace, true}, {50, VkSpace, true}, {51, VkSpace, true}, {65, VkSpace, false}}},
      {"Up then Space, one jump held from the first down to the last up",
       {{40, VkUp, true}, {48, VkSpace, true}, {54, VkUp, false}, {65, VkSpace, false}},
       {{40, VkSpace, true}, {65, VkSpace, false}}},
      {"Space then Up",
       {{40, VkSpace, true}, {48, VkUp, true}, {54, VkSpace, false}, {65, VkUp, false}},
       {{40, VkSpace, true}, {65, VkSpace, false}}},
      {"W jumps; D under the held Right adds nothing",
       {{20, 'D', true}, {30, 'D', false}, {40, 'W', true}, {44, 'W', false}},
       {{40, VkSpace, true}, {44, VkSpace, false}}},
      {"A is Left", {{20, 'A', true}, {23, 'A', false}}, {{20, VkLeft, true}, {23, VkLeft, false}}},
      {"taps between two ticks and just before the landing (123) are pressed again for the step that jumps",
       {{40, VkUp, true}, {40, VkUp, false}, {120, VkSpace, true}, {122, VkSpace, false}},
       {{40, VkSpace, true}, {40, VkSpace, false}, {40, VkSpace, true}, {41, VkSpace, false},
        {120, VkSpace, true}, {122, VkSpace, false}, {123, VkSpace, true}, {124, VkSpace, false}}},
  };
  // A floor far enough below the world's top for a whole jump, the exit far along it.
  MakeLevel("d.vel", [](World& world) {
    for (int column = 0; column < GridSize; ++column) world.SetCell(column, 10, TileGround);
    world.AppendObject() = LevelObject{ObjectExit, 1000, 10 * CellHeight - 40};
  });
  StartAsNewPlayer();
  const auto record = [&](const char* name, bool plus, const std::vector<KeyAt>& keys) {
    form.Plus = plus;
    fs::remove(ReplayFile("last.tbr"));
    PlayLevel(3);
    Tick(70);  // the fall to the floor: every key below is pressed on it or over it
    form.KeyDown(VkRight);
    for (int tick = 0; tick < 1000 && form.Mode == GameMode::game; ++tick) {
      for (const KeyAt& k : keys) {
        if (k.Tick == tick && k.Down) form.KeyDown(k.Key);
        if (k.Tick == tick && !k.Down) form.KeyUp(k.Key);
      }
      Tick();
    }
    form.KeyUp(VkRight);
    Tick();
    EXPECT_TRUE(fs::exists(ReplayFile("last.tbr"))) << name;  // written on a finish only
    // Plus's results take no key for a moment after the finish: let that pass.
    for (int i = 0; i < 4 && form.Mode != GameMode::MainMenu; ++i) {
      Tick(PlusRunView::FinishTicks + PlusRunView::ResultsQuietTicks);
      Press(VkEscape);
    }
    return ReadBytes(ReplayFile("last.tbr"));
  };
  const std::vector<uint8_t> straight = record("no jump", false, {});
  for (const auto& c : cases) {
    const std::vector<uint8_t> classic = record(c.Name, false, c.Classic);
    EXPECT_NE(classic, straight) << c.Name;  // the keys were recorded at all
    EXPECT_EQ(record(c.Name, true, c.Plus), classic) << c.Name;
  }
}

// Two games side by side on the software back buffer, to compare whole frames.
class Ghost : public ::testing::Test {
 protected:
  Ghost() : dir(true), live(liveDisplay), plain(plainDisplay) {
    fs::create_directory("Levels");
    World world;
    world.ClearLevel();
    ExitAhead(world);
    SaveLevel("Levels/a.vel", world);
    // Each game at the level list as player "g" (created by the first, chosen by the
    // others); the recorder then records a run with Right held from the start.
    Game recorder(recorderDisplay);
    for (Game* form : {&recorder, &live, &plain}) {
      fs::current_path(dir.Path());  // the game entered Levels
      form->Start();
      if (form == &recorder) {
        Return(*form);  // "Create New Player"
        form->KeyPress('g');
      }
      Return(*form);  // the name, or the player remembered
      Return(*form);  // "Play"
    }
    Return(recorder);
    recorder.KeyDown(VkRight);
    for (int i = 0; i < 1000 && recorder.Mode == GameMode::game; ++i) recorder.Tick(1);
  }
  // Return as the platform delivers it: key-down, its character, key-up.
  static void Return(Game& form) {
    form.KeyDown(VkReturn);
    form.KeyPress(13);
    form.KeyUp(VkReturn);
  }
  void StartBoth() {
    ASSERT_EQ(live.Mode, GameMode::SelectLevel);
    ASSERT_EQ(plain.Mode, GameMode::SelectLevel);
    Return(live);
    Return(plain);
  }
  TempDir dir;
  SoftwareDisplay recorderDisplay, liveDisplay, plainDisplay;
  Game live, plain;
};

TEST_F(Ghost, OnDrawsTheRecordAndOffRestoresTheExactFrame) {
  live.KeyDown('G');  // outside a run G does nothing
  live.KeyUp('G');
  ASSERT_FALSE(live.Replays.GhostShown);
  StartBoth();
  ASSERT_EQ(live.Mode, GameMode::game);
  for (int tick = 0; tick < 40; ++tick) {
    if (tick == 5 || tick == 25) {
      live.KeyDown('G');
      live.KeyUp('G');
    }
    live.Tick(1);
    plain.Tick(1);
    const bool ghostShown = tick >= 5 && tick < 25;
    EXPECT_EQ(liveDisplay.Presented() == plainDisplay.Presented(), !ghostShown) << tick;
  }
  EXPECT_EQ(live.Level.RunnerX, plain.Level.RunnerX);
}

TEST_F(Ghost, FollowsTheLiveRunBitForBitOnTheSameKeys) {
  live.Replays.GhostShown = true;  // on from an earlier run: it starts with this one
  StartBoth();
  live.KeyDown(VkRight);
  for (int tick = 0; tick < 1000 && live.Mode == GameMode::game; ++tick) {
    live.Tick(1);
    if (live.Mode != GameMode::game) break;
    ASSERT_TRUE(live.Replays.Ghost.Running) << tick;
    ASSERT_EQ(live.Replays.Ghost.Level.RunnerX, live.Level.RunnerX) << tick;
    ASSERT_EQ(live.Replays.Ghost.Level.RunnerY, live.Level.RunnerY) << tick;
  }
  EXPECT_EQ(live.Mode, GameMode::GameMenu);
}

TEST_F(Ghost, SwitchedOnLateCatchesUpToTheRunsTick) {
  live.Replays.GhostShown = true;
  StartBoth();
  plain.Tick(1);
  for (int tick = 0; tick < 30; ++tick) {
    live.Tick(1);
    plain.Tick(1);
  }
  plain.KeyDown('G');
  plain.KeyUp('G');
  EXPECT_EQ(plain.Replays.Ghost.Ticks, 31u);
  live.Tick(1);
  EXPECT_EQ(plain.Replays.Ghost.Level.RunnerX, live.Replays.Ghost.Level.RunnerX);
  EXPECT_GT(plain.Replays.Ghost.Level.RunnerX, RunnerHomeX + 50);
}

}  // namespace
}  // namespace tobu::testing
