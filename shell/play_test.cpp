#include "shell/play_test.h"

#include <optional>
#include <string>
#include <utility>

#include "present/bitmap_text.h"
#include "present/plus_palette.h"
#include "present/plus_panel.h"
#include "present/plus_view.h"
#include "shell/game.h"
#include "sim/clock.h"
#include "world/numeric.h"

namespace tobu {
namespace {

constexpr uint16_t KeyR = 82;

}  // namespace

// F5 in the editor: the level in memory is run as the level list would run its file,
// with no best times to show or rank. Everything a run changes is kept aside first.
void Game::StartPlayTest() {
  PlayTest.Saved = {Level, Runner, Clock, Outcome, Best, BestTimesOffset, Anim, MenuCursor};
  PlayTest.Active = true;
  PlayTest.HeldAtStart = KeyHeld;
  EditorAsk.Notice.TicksLeft = 0;  // "Saved" or "Opened" is old news when the editor comes back
  BeginPlayTestRun();
}

// Plus's R in a play-test: the level as F5 found it, run again; the editor's keys held
// at F5 stay the editor's, and keys held in the run go on as R leaves them in a run.
void Game::RestartPlayTest() {
  Level = PlayTest.Saved.Level;
  LockedExits = {};
  BeginPlayTestRun();
}

void Game::BeginPlayTestRun() {
  // The start as a saved file would hold it, and the camera on it, as loading does.
  Level.RunnerX = static_cast<double>(RoundPixel(Level.RunnerX));
  Level.RunnerY = static_cast<double>(RoundPixel(Level.RunnerY));
  Level.CenterCamera();
  ResetRunnerForRun(Runner);
  jumpTap_.Forget();
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
// Plus says what ended the run instead, and waits for the designer's key.
void Game::EndPlayTestRun(bool finished) {
  if (Plus) {
    HoldRunPicture();
    PlayTest.ResultLine = RunEndingText(finished);
  } else {
    PlayTest.ResultLine = finished ? ClockTimeText(Clock) : "You Failed to Finish!";
  }
  PlayTest.ResultTicksLeft = PlayTestState::ResultTicks;
  Mode = GameMode::PlayTestResult;
}

// How a run ended, in plus's words (the play-test's card, the results): "Finished in
// 12.34", "Caught by a killer", "Fell out of the world" or, for Escape, "Given up".
std::string Game::RunEndingText(bool finished) const {
  if (finished) return "Finished in " + StopwatchText(ClockHundredths(Clock));
  if (LastRun.LeftWorld) return "Fell out of the world";
  if (LastRun.EndedByObject() && LastRun.EndedBy.Kind == ObjectKiller) return "Caught by a killer";
  return GivenUpCause;
}

void Game::CountDownPlayTestResult() {
  if (!Plus && --PlayTest.ResultTicksLeft <= 0) ReturnFromPlayTest();
}

// A key newly pressed on the result: in plus R or F5 tries again, Return or Escape goes
// back to the editor and others do nothing, so that a jump mashed after a death moves no
// start; in classic any key goes back.
void Game::PlayTestResultKeyDown(uint16_t key) {
  const bool named = key == VkReturn || key == VkEscape || key == KeyR || key == VkF5;
  if (Plus && !named) return;
  ReturnFromPlayTest();
  if (Plus && (key == KeyR || key == VkF5)) StartPlayTest();
}

void Game::DrawPlayTestResult() {
  if (!Plus) {
    DrawWallpaper();
    ShowString(display_, -1, 220, PlayTest.ResultLine);
    return;
  }
  // The run's last picture, darkened under the card, the killer that ended it marked.
  DrawHeldRun(PlusView.Camera);
  display_.BlendRect(0, 0, ViewWidth, ViewHeight, palette::Black, palette::BackingAmount);
  const std::optional<LevelObject>& killer = PlusView.EndedBy;
  if (killer && killer->Kind == ObjectKiller) DrawKillerMark(display_, PlusView.Camera, *killer, 0);
  DrawTextCard(
      display_, 160, {"Play-test", PlayTest.ResultLine},
      {"Nothing is saved or ranked in a play-test.", "Return: back to the editor   R or F5: try again"});
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
  PlusView.Ending = PlusRunView::Moment::None;
  Mode = GameMode::editor;
  display_.ShowPointer(true);
}

}  // namespace tobu
