#include "shell/play_test.h"

#include <utility>

#include "present/bitmap_text.h"
#include "shell/form.h"
#include "world/numeric.h"

namespace tobu {

// F5 in the editor: the level in memory is run as the level list would run its file,
// with no best times to show or rank. Everything a run changes is kept aside first.
void TForm1::StartPlayTest() {
  PlayTest.Saved = {Level, Kippo, Clock, Outcome, Best, BestTimesOffset, Anim, MenuCursor};
  PlayTest.Active = true;
  // The start as a saved file would hold it, and the camera on it, as loading does.
  Level.RunnerX = static_cast<double>(RoundPixel(Level.RunnerX));
  Level.RunnerY = static_cast<double>(RoundPixel(Level.RunnerY));
  Level.CenterCamera();
  ResetRunnerForRun(Kippo);
  StopRunReplays();
  Outcome = RunOutcome{};
  Best = BestTimes{};
  Clock.Reset();
  Mode = GameMode::game;
  display_.ShowPointer(false);
}

// Failing or finishing a play-test: its result line instead of the results menu, so
// nothing is ranked and nothing written.
void TForm1::EndPlayTestRun(bool finished) {
  PlayTest.ResultLine = finished ? ClockTimeText(Clock) : "You Failed to Finish!";
  PlayTest.ResultTicksLeft = PlayTestState::ResultTicks;
  Mode = GameMode::PlayTestResult;
}

void TForm1::CountDownPlayTestResult() {
  if (--PlayTest.ResultTicksLeft <= 0) ReturnFromPlayTest();
}

void TForm1::DrawPlayTestResult() {
  DrawWallpaper();
  ShowString(display_, -1, 220, PlayTest.ResultLine);
}

// A key newly pressed ends the result line; keys still held from the run repeat without
// ending it.
void TForm1::PlayTestResultKeyDown(uint16_t key) {
  if (key < KeyHeld.size() && KeyHeld[key]) return;
  ReturnFromPlayTest();
  PlayTest.EndingKey = key;  // its key-up must not open a prompt
}

// The editor exactly as F5 found it: level, camera, start, animation and all.
void TForm1::ReturnFromPlayTest() {
  PlayTestState::Editor& saved = PlayTest.Saved;
  Level = std::move(saved.Level);
  Kippo = saved.Kippo;
  Clock = saved.Clock;
  Outcome = std::move(saved.Outcome);
  Best = std::move(saved.Best);
  BestTimesOffset = saved.BestTimesOffset;
  Anim = saved.Anim;
  MenuCursor = saved.MenuCursor;
  PlayTest = {};
  Mode = GameMode::editor;
  display_.ShowPointer(true);
}

}  // namespace tobu
