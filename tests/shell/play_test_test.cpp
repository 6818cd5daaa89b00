#include <gtest/gtest.h>

#include <map>

#include "support/editor_fixture.h"

namespace tobu::testing {
namespace {

namespace fs = std::filesystem;

// Every file under the game's folder with its bytes.
std::map<std::string, std::vector<uint8_t>> FilesUnder(const fs::path& folder) {
  std::map<std::string, std::vector<uint8_t>> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file()) files[entry.path().string()] = ReadBytes(entry.path());
  }
  return files;
}

// One tick of a run as the tests compare it.
struct RunSample {
  double X, Y, VelX, VelY;
  int32_t CameraX, CameraY, Objects;
  uint8_t Seconds, Hundredths;
  friend bool operator==(const RunSample&, const RunSample&) = default;
};

class PlayTest : public EditorFixture {
 protected:
  // A floor along row 12, food on it, the exit beyond and the start at its left end;
  // `killer` puts a killer between the start and the food.
  void BuildRunway(bool killer = false) {
    Drag(MouseButton::Left, 20, 620, 377);
    Press('3');
    Click(MouseButton::Left, 300, 352);
    Press('5');
    Click(MouseButton::Left, 500, 352);
    if (killer) {
      Press('4');
      Click(MouseButton::Left, 200, 352);
    }
    Press('2');
    StartAt(60, 371);
    form.Level.CameraX = 16;  // a camera of the designer's own, not the run's
    Tick();
  }
  // Ticks (holding `key`) until the run is over; the samples of the ticks run.
  std::vector<RunSample> RunHolding(uint16_t key, int limit = 600) {
    form.KeyDown(key);
    std::vector<RunSample> samples;
    while (form.Mode == GameMode::game && limit-- > 0) {
      Tick();
      const World& w = form.Level;
      samples.push_back({w.RunnerX, w.RunnerY, form.Runner.VelX, form.Runner.VelY, w.CameraX, w.CameraY,
                         w.ObjectCount, form.Clock.ClockSeconds, form.Clock.ClockHundredths});
    }
    form.KeyUp(key);
    return samples;
  }
};

// How a play-test ends, and what it shows before the editor comes back.
struct Ending {
  const char* Name;
  bool Killer;
  uint16_t Hold;       // the key held during the run
  bool EscapeAtOnce;   // Escape after a few ticks instead
  const char* Result;  // the bitmap-font line without spaces; empty: no result shown
  bool DismissByKey;   // a key instead of waiting
  friend void PrintTo(const Ending& e, std::ostream* out) { *out << e.Name; }
};

class EachEnding : public PlayTest, public ::testing::WithParamInterface<Ending> {};

// The editor comes back exactly as F5 found it: level, camera, brush, history and the
// very frame it would have drawn next.
TEST_P(EachEnding, ReturnsToTheEditorAsItWas) {
  const Ending& ending = GetParam();
  bool returnedInATick = false;  // that tick has drawn the editor's frame already
  BuildRunway(ending.Killer);
  const LevelPicture before = Picture(form.Level);
  const World levelBefore = form.Level;
  const Animation animBefore = form.Anim;
  const size_t steps = form.Editor.History.UndoCount();
  Tick();
  const std::vector<RecordingDisplay::Call> nextFrame = display.Calls;
  form.Anim = animBefore;  // as if that tick had not been

  Press(VkF5);
  ASSERT_EQ(form.Mode, GameMode::game);
  EXPECT_EQ(form.Level.CameraX, 0);  // centred on the start, as a run from the list
  EXPECT_FALSE(display.PointerShown);
  if (ending.EscapeAtOnce) {
    Tick(5);
    Press(VkEscape);
  } else {
    RunHolding(ending.Hold);
    ASSERT_EQ(form.Mode, GameMode::PlayTestResult);
    Tick();
    EXPECT_EQ(display.InkOnLine(220), ending.Result);
    if (ending.DismissByKey) {
      Press(VkSpace);
    } else {
      Tick(PlayTestState::ResultTicks - 2);
      ASSERT_EQ(form.Mode, GameMode::PlayTestResult);
      Tick();
      returnedInATick = true;
    }
  }
  ASSERT_EQ(form.Mode, GameMode::editor);
  EXPECT_TRUE(display.PointerShown);
  EXPECT_EQ(Picture(form.Level), before);
  EXPECT_EQ(form.Level.CameraX, levelBefore.CameraX);
  EXPECT_EQ(form.Level.CameraY, levelBefore.CameraY);
  EXPECT_EQ(form.Editor.Brush, 2);
  EXPECT_EQ(form.Editor.History.UndoCount(), steps);
  EXPECT_FALSE(form.PlayTest.Active);
  if (!returnedInATick) Tick();
  EXPECT_EQ(display.Calls.size(), nextFrame.size());
  for (size_t i = 0; i < std::min(display.Calls.size(), nextFrame.size()); ++i) {
    const auto& [sheet, x, y, frame] = display.Calls[i];
    const auto& [sheet0, x0, y0, frame0] = nextFrame[i];
    EXPECT_TRUE(sheet == sheet0 && x == x0 && y == y0 && frame == frame0) << "call " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Editor, EachEnding,
    ::testing::Values(Ending{"Escape", false, 0, true, "", false},
                      Ending{"Killer", true, VkRight, false, "YouFailedtoFinish!", false},
                      Ending{"KillerThenKey", true, VkRight, false, "YouFailedtoFinish!", true},
                      Ending{"LeftEdge", false, VkLeft, false, "YouFailedtoFinish!", false},
                      Ending{"Finish", false, VkRight, false, "00:01:39", false},
                      Ending{"FinishThenKey", false, VkRight, false, "00:01:39", true}),
    [](const ::testing::TestParamInfo<Ending>& param) { return std::string(param.param.Name); });

// Nothing is written: no best time, no roster, no level file; a save afterwards gives
// the bytes a save before gave.
TEST_F(PlayTest, WritesNothing) {
  BuildRunway();
  SaveAs("runway");
  const auto filesBefore = FilesUnder(form.GameFolder);
  Press(VkF5);
  RunHolding(VkRight);
  ASSERT_EQ(form.Mode, GameMode::PlayTestResult);
  Press(VkReturn);
  ASSERT_EQ(form.Mode, GameMode::editor);
  EXPECT_EQ(FilesUnder(form.GameFolder), filesBefore);
  SaveAs("runway");
  EXPECT_EQ(FilesUnder(form.GameFolder), filesBefore);
}

// The play-test plays the level in memory tick for tick as the level list plays its file.
TEST_F(PlayTest, PlaysAsTheLevelListWould) {
  BuildRunway();
  SaveAs("runway");
  Press(VkF5);
  const std::vector<RunSample> tested = RunHolding(VkRight);
  Press(VkReturn);
  Press(VkEscape);
  Press(VkUp);
  PlayLevel();
  ASSERT_EQ(form.Mode, GameMode::game);
  const std::vector<RunSample> played = RunHolding(VkRight);
  EXPECT_EQ(form.Mode, GameMode::GameMenu);
  ASSERT_GT(tested.size(), 100u);
  EXPECT_TRUE(tested == played);
  EXPECT_EQ(form.Best.BestNames[1], "Ann");  // the real run is ranked and written as before
}

TEST_F(PlayTest, F5InAPromptOrOutsideTheEditorDoesNothing) {
  OpenPrompt('S');
  Press(VkF5);
  EXPECT_EQ(form.Mode, GameMode::editor);
  Press(VkEscape);
  SaveAs("empty");
  Press(VkEscape);
  Press(VkUp);
  PlayLevel();
  ASSERT_EQ(form.Mode, GameMode::game);
  Press(VkF5);
  EXPECT_EQ(form.Mode, GameMode::game);
  EXPECT_FALSE(form.PlayTest.Active);
}

// A key held through the finish repeats; only a new key ends the result line early.
TEST_F(PlayTest, HeldKeysRepeatingDoNotEndTheResultLine) {
  BuildRunway();
  Press(VkF5);
  form.KeyDown(VkRight);
  for (int i = 0; i < 600 && form.Mode == GameMode::game; ++i) Tick();
  ASSERT_EQ(form.Mode, GameMode::PlayTestResult);
  form.KeyDown(VkRight);  // the platform's repeat
  EXPECT_EQ(form.Mode, GameMode::PlayTestResult);
  form.KeyUp(VkRight);
  form.KeyDown(VkRight);
  EXPECT_EQ(form.Mode, GameMode::editor);
}

// The S that ends the result line is not also the editor's S: its key-up opens no prompt.
TEST_F(PlayTest, TheKeyEndingTheResultLineIsNotTheEditors) {
  BuildRunway();
  Press(VkF5);
  RunHolding(VkRight);
  ASSERT_EQ(form.Mode, GameMode::PlayTestResult);
  Press('S');
  EXPECT_EQ(form.Mode, GameMode::editor);
  EXPECT_FALSE(form.Editor.PromptOpen());
  Press('S');
  EXPECT_TRUE(form.Editor.SavePromptOpen);
}

// Keys pressed in the play-test and still held when the editor comes back are not the
// editor's: Space repeating moves no start, a held arrow scrolls nothing; once released,
// the same keys work again.
TEST_F(PlayTest, KeysHeldFromThePlayTestDoNotReachTheEditor) {
  BuildRunway(/*killer=*/true);
  const LevelPicture before = Picture(form.Level);
  const int32_t cameraX = form.Level.CameraX;
  Press(VkF5);
  form.KeyDown(VkRight);
  form.KeyDown(VkSpace);
  for (int i = 0; i < 1000 && form.Mode != GameMode::editor; ++i) Tick();
  ASSERT_EQ(form.Mode, GameMode::editor);
  form.MouseMove(300, 200);
  form.KeyDown(VkSpace);  // the platform's repeats
  form.KeyPress(' ');
  form.KeyDown(VkRight);
  Tick(5);
  EXPECT_EQ(Picture(form.Level), before);
  EXPECT_EQ(form.Level.CameraX, cameraX);
  form.KeyUp(VkSpace);
  form.KeyUp(VkRight);
  Press(VkSpace);
  EXPECT_NE(Picture(form.Level), before);
}

}  // namespace
// A play-test is neither recorded nor raced: a ghost left on by an earlier run stays
// away, the recording an earlier run left is not continued, and nothing is written.
TEST_F(PlayTest, NeitherRecordsNorRacesAGhost) {
  BuildRunway();
  form.Replays.GhostShown = true;
  form.Replays.Recording.Active = true;  // as a run in progress would have it
  const auto before = FilesUnder(dir.Path());
  Press(VkF5);
  ASSERT_EQ(form.Mode, GameMode::game);
  Press('G');
  Press('G');  // switched off and on again within the play-test
  RunHolding(VkRight);
  EXPECT_FALSE(form.Replays.Recording.Active);
  EXPECT_FALSE(form.Replays.Ghost.Running);
  EXPECT_EQ(FilesUnder(dir.Path()), before);
}

}  // namespace tobu::testing
