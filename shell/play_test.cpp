#include "shell/play_test.h"

#include <string>
#include <utility>

#include "present/bitmap_text.h"
#include "shell/game.h"
#include "sim/clock.h"
#include "world/numeric.h"

namespace tobu {

// F5 in the editor: the level in memory is run as the level list would run its file,
// with no best times to show or rank. Everything a run changes is kept aside first.
void Game::StartPlayTest() {
  PlayTest.Saved = {Level, Runner, Clock, Outcome, Best, BestTimesOffset, Anim, MenuCursor};
  PlayTest.Active = true;
  PlayTest.HeldAtStart = KeyHeld;
  // The start as a saved file would hold it, and the camera on it, as loading does.
  Level.RunnerX = static_cast<double>(RoundPixel(Level.RunnerX));
  Level.RunnerY = static_cast<double>(RoundPixel(Level.RunnerY));
  Level.CenterCamera();
  ResetRunnerForRun(Runner);
  StopRunReplays();
  Outcome = RunOutcome{};
  Best = BestTimes{};
  Clock.Reset();
  Mode = GameMode::game;
  BeginPlusRun(PlusView, Level);
  FadeHud(PlusView, Level);
  display_.ShowPointer(false);
}

// Failing or finishing a play-test: its result line instead of the results menu, so
// nothing is ranked and nothing written.
void Game::EndPlayTestRun(bool finished) {
  const std::string time = Plus ? StopwatchText(ClockHundredths(Clock)) : ClockTimeText(Clock);
  PlayTest.ResultLine = finished ? time : "You Failed to Finish!";
  PlayTest.ResultTicksLeft = PlayTestState::ResultTicks;
  Mode = GameMode::PlayTestResult;
}

void Game::CountDownPlayTestResult() {
  if (--PlayTest.ResultTicksLeft <= 0) ReturnFromPlayTest();
}

void Game::DrawPlayTestResult() {
  DrawWallpaper();
  ShowString(display_, -1, 220, PlayTest.ResultLine);
}

// The editor exactly as F5 found it: level, camera, start, animation and all, and no
// key held that went down during the play-test.
void Game::ReturnFromPlayTest() {
  KeyTable leftOver = PlayTest.LeftOver;
  for (size_t key = 0; key < KeyHeld.size(); ++key) {
    if (!KeyHeld[key] || PlayTest.HeldAtStart[key]) continue;
    leftOver[key] = true;
    KeyHeld[key] = false;
  }
  PlayTestState::Editor& saved = PlayTest.Saved;
  Level = std::move(saved.Level);
  Runner = saved.Runner;
  Clock = saved.Clock;
  Outcome = std::move(saved.Outcome);
  Best = std::move(saved.Best);
  BestTimesOffset = saved.BestTimesOffset;
  Anim = saved.Anim;
  MenuCursor = saved.MenuCursor;
  PlayTest = {};
  PlayTest.LeftOver = leftOver;
  Mode = GameMode::editor;
  display_.ShowPointer(true);
}

}  // namespace tobu
