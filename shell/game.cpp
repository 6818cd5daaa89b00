#include "shell/game.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <utility>

#include "editor/editor.h"
#include "present/cell_grid.h"
#include "present/game_view.h"
#include "present/plus_dust.h"
#include "present/plus_view.h"
#include "present/sheets.h"
#include "present/themes.h"
#include "shell/key_event_watch.h"
#include "world/file_error.h"

namespace tobu {

void Game::Start() {
  std::error_code folderError;
  GameFolder = std::filesystem::current_path(folderError);
  Players = PlayerRoster{};
  Editor.Brush = 1;
  Level.RunnerX = RunnerHomeX;
  Level.RunnerY = RunnerHomeY;
  Mode = GameMode::SelectPlayer;
  display_.ShowPointer(false);
  // Read last, so that an unreadable roster leaves every other first value in place.
  const StoredRoster stored = ReadRoster(RosterFileName);
  Players = stored.Roster;
  MenuCursor = stored.LastIndex;
  ChosenPlayerIndex = stored.LastIndex;
}

// One tick: the game moves on, then one complete frame shows it (drawing changes
// nothing). A failed write of the best times is reported after the frame is shown.
void Game::Tick(int32_t /*LagCount: every tick is one fixed step*/) {
  const bool surfaceReady = display_.SurfaceReady();
  std::exception_ptr writeError;
  // A question over a run holds it: neither the run nor its clock moves until the answer.
  const bool runHeld = Mode == GameMode::game && OpenQuestion;
  try {
    if (!runHeld) Update(surfaceReady);
  } catch (const FileError&) {
    writeError = std::current_exception();
  }
  if (!surfaceReady) return;
  DrawFrame();
  display_.PresentFrame();
  if (writeError) std::rethrow_exception(writeError);
}

// Every step tests the mode current at that moment. Without a drawing surface the run
// only moves: no object acts, the clock stands still and nothing is ranked.
void Game::Update(bool surfaceReady) {
  Events.NewTick();
  StepPlusView();
  ListNotice.Age();
  StepEnding();
  LastRun = RunStepResult{};
  if (WatchingReplay()) PlayWatchedKeys();
  if (Mode == GameMode::editor) ScrollEditor();
  bool tapPressed = false;
  if (Mode == GameMode::game) {
    tapPressed = PressTapForStep();
    LastRun = StepRun({Level, Runner, Clock, LockedExits}, KeyHeld, Events, surfaceReady);
    jumpTap_.Stepped(LastRun.Jumped);
    // The best time's text is rebuilt when the frame is to show it (plus's HUD writes its own).
    const bool runnerShown = surfaceReady && !LastRun.EndedByObject();
    if (runnerShown && !Plus && !Best.BestNames[1].empty() && Outcome.BestTimeText.empty()) {
      Outcome.BestTimeText = StoredTimeText(Best.BestTime[1]);
    }
    AdvanceRunReplays();
    if (PlusDrawsRun()) {
      const FeetStep feet = StepPlusRun(PlusView, LastRun, Level, Runner, LockedExits);
      // Plus's own sound: a soft thud under a landing, none under a run's last sound.
      if (feet.FallHeight >= ThudFall && LastRun.End == RunEnd::None) Events.Push(GameEvent::Land);
      FadeHud(PlusView, Level);
    }
  }
  if (Mode == GameMode::PlayTestResult) CountDownPlayTestResult();
  ReadPlusMenuFiles();
  ClampViewCamera();
  SkyX = SkyOffset(Level.CameraX);
  AdvanceAnimation();
  if (LastRun.End != RunEnd::None) {
    BeginPlusMoment();  // before the ranking, which replaces the old best time
    EndRun(LastRun.End == RunEnd::Finished);
  }
  if (Mode == GameMode::GameMenu && surfaceReady) {
    const bool plusFinish = Plus && Outcome.RunFinished && !Outcome.RunFailed && !WatchingReplay();
    const bool finishedBefore = plusFinish && PlayerRow(Best, Players.PlayerName).Finished;
    RankFinishedRunOnce();
    if (plusFinish) OfferEnding(finishedBefore);
  }
  if (tapPressed && KeyHeld[VkSpace]) KeyUp(VkSpace);  // after the run's end: no event past it
}

// Plus: a tap of the jump key let go before the run could jump on it is pressed again
// for the one step that can.
bool Game::PressTapForStep() {
  if (!UpJumps() || OpenQuestion || !jumpTap_.Pending(KeyHeld[VkSpace]) || !CanJump(Level)) return false;
  KeyDown(VkSpace);
  return true;
}

// Plus draws a run of a shipped level in its group's look, and its results and best times
// over the menus' scene in that look too; the editor a level and its play-test in the look
// its run would have (a new level's is the player's own, the first); everything else in
// the game's own.
int Game::ViewTheme() const {
  if (!Plus) return ThemeMeadow;
  if (Mode == GameMode::editor || PlayTest.Active) return LevelTheme(Editor.LevelName + ".vel");
  const bool afterRun = Mode == GameMode::GameMenu || Mode == GameMode::TopTen;
  if (!(LastRun.Ran || PlusView.InMoment() || afterRun)) return ThemeMeadow;
  return LevelTheme(WatchingReplay() ? Replays.Watch.Record.LevelFile : Replays.LevelFile);
}

void Game::ScrollEditor() {
  EditorAsk.Notice.Age();
  if (Editor.PromptOpen() || OpenQuestion) return;
  ScrollView(Level, KeyHeld[VkLeft], KeyHeld[VkRight], KeyHeld[VkUp], KeyHeld[VkDown]);
}

// The camera stays in the world; plus's editor scrolls a toolbar's height lower, so that
// the world's last rows and its bottom edge come out from under the toolbar.
void Game::ClampViewCamera() {
  const int32_t y = Level.CameraY;
  Level.ClampCamera();
  const int32_t lowest = CameraMaxY + ViewHeight - EditorToolbarTop;
  if (Plus && Mode == GameMode::editor) Level.CameraY = std::clamp(y, 0, lowest);
}

void Game::AdvanceAnimation() {
  ++Anim.SceneTick;
  // Objects and the menu pointer change frame every third tick.
  if (++Anim.AnimTick == 3) {
    for (size_t kind = 0; kind < Anim.ObjectFrame.size(); ++kind) {
      int32_t& frame = Anim.ObjectFrame[kind];
      if (++frame > display_.FrameCount(ObjectSheets[kind]) - 1) frame = 0;
    }
    Anim.AnimTick = 0;
  }
  AdvanceRunAnimation(Runner);
}

// The run's end as the step found it: the results menu, or a play-test's result line.
void Game::EndRun(bool finished) {
  if (PlayTest.Active) return EndPlayTestRun(finished);
  MenuCursor =
      Plus && !finished ? 1 : 0;  // plus: "Play again" after a failed run, "Next level" after a finish
  Mode = GameMode::GameMenu;
  if (finished) {
    GoalLearned = true;
    Outcome.RunFinished = true;
  } else {
    Outcome.RunFailed = true;
    ++FailedRuns;
  }
}

// A run's last frame shows the run too: ended by an object, without the runner and
// under the results menu; having left the world, whole, the menu from the next tick on.
void Game::DrawFrame() {
  display_.UseTheme(ViewTheme());
  display_.ClearSurface(0);
  if (Plus && PlusView.InMoment()) return DrawPlusMoment();
  if (LastRun.Ran || Mode == GameMode::editor) DrawWorldView();
  if (LastRun.LeftWorld) return;
  if (Mode == GameMode::SelectPlayer) DrawSelectPlayer();
  if (Mode == GameMode::CreateNewPlayer) DrawCreateNewPlayer();
  if (Mode == GameMode::MainMenu) DrawMainMenu();
  if (Mode == GameMode::SelectLevel) DrawSelectLevel();
  if (Mode == GameMode::GameMenu && !WatchingReplay()) DrawGameMenu();
  if (Mode == GameMode::TopTen) DrawTopTen();
  if (Mode == GameMode::PlayTestResult) DrawPlayTestResult();
  if (Plus && Ending && Mode == GameMode::GameMenu) DrawEndingCard(display_, *Ending);
  if (OpenQuestion) DrawQuestionCard(display_, *OpenQuestion, Anim.ObjectFrame[ObjectExit]);
}

void Game::DrawWorldView() {
  const ViewCamera camera = DrawCamera();
  DrawSkyAndTiles(camera);
  DrawWorldObjects(camera, Anim.ObjectFrame);
  if (Mode == GameMode::editor) {
    if (Editor.GridShown) DrawCellGrid(display_, Level);
    DrawStartMarker(display_, Level);
    if (Plus) {
      DrawPlusEditor();
    } else if (Editor.PromptOpen()) {
      display_.DrawCanvasText(5, 5, PromptLine(Editor));
    }
  }
  if (!LastRun.Ran || LastRun.EndedByObject()) return;
  DrawGhostRunner();
  DrawRunnerAndClock();
  if (PlusDrawsRun()) DrawDust(display_, camera, PlusView.Feet.Motes, ViewTheme());
  if (WatchingReplay()) DrawWatchedRecordLine();
  if (PlusDrawsRun()) DrawPlusOverRun(camera);
}

// Every object; the food eaten in this tick is still shown, in its place in the list.
void Game::DrawWorldObjects(ViewCamera camera, const ObjectFrames& frames) {
  const bool shaking = PlusDrawsRun() && PlusView.ShakeAge >= 0;
  const bool rimKillers = ViewTheme() == ThemeCave;  // the dark balls on the cave's dark rock
  const auto draw = [&](const LevelObject& object) {
    ViewCamera at = camera;
    if (shaking &&
        std::find(PlusView.Shaken.begin(), PlusView.Shaken.end(), object) != PlusView.Shaken.end()) {
      at.X -= ShakeOffset(PlusView.ShakeAge);
    }
    if (rimKillers && KindHasRule(object.Kind, ContactRule::Kills))
      DrawObjectRim(display_, at, object, frames[object.Kind]);
    DrawObject(display_, at, object, frames);
  };
  for (int i = 0; i < Level.ObjectCount; ++i) {
    if (i == LastRun.EatenIndex) draw(LastRun.Eaten);
    draw(Level.ObjectList[i]);
  }
  if (LastRun.EatenIndex == Level.ObjectCount) draw(LastRun.Eaten);
}

void Game::DrawRunnerAndClock() {
  const RunnerSprite sprite = ChooseRunnerSprite(LastRun.RunnerX, LastRun.RunnerY, Runner, KeyHeld);
  DrawRunnerSheet(display_, DrawCamera(), RunnerSheetOf(sprite), sprite.Frame, sprite.Left, sprite.Top);
  if (PlusDrawsRun()) return;  // plus shows the times in its HUD strip
  DrawClockDigits(display_, Clock.ClockMinutes, Clock.ClockSeconds, Clock.ClockHundredths);
  if (!Best.BestNames[1].empty()) DrawBestTime(display_, Outcome.BestTimeText);
}

// Escape in a run, also from a watched record.
void Game::FailRun() {
  Events.Push(GameEvent::Fail);
  EndRun(false);
}

// The modes are tested one after another, so a rule sees a mode set by an earlier one.
void Game::KeyDown(uint16_t Key) {
  const std::optional<uint16_t> jumpKey = playKeys_.Translate(Key, true, UpJumps());
  if (!jumpKey) return;
  Key = *jumpKey;
  if (Key == VkSpace && UpJumps() && !KeyHeld[VkSpace]) jumpTap_.Press();
  const KeyEventWatch watch(*this, KeyEventWatch::Handler::KeyDown, Key);
  escapeLeftSelectLevel_ = false;
  backToPlayers_ = false;
  if (WatchingReplay()) {
    WatchKeyDown(Key);  // the recorded keys drive the run; the player's only end it
    return;
  }
  dropCharacter_ = Key < KeyHeld.size() && PlayTest.LeftOver[Key];
  if (dropCharacter_) return;  // a key from the play-test repeating
  if (OpenQuestion) return AnswerQuestion(Key);
  if (PlusMomentTakesKey(Key) || EndingTakesKey(Key)) return;
  if (Mode == GameMode::game) {
    RecordKey(Key, true);
    PlusView.BannerDismissed = true;
  }
  if (Mode == GameMode::CreateNewPlayer) CreateNewPlayerKeyDown(Key);
  if (Mode == GameMode::SelectLevel) SelectLevelKeyDown(Key);
  if (Mode == GameMode::GameMenu) GameMenuKeyDown(Key);
  if (Mode == GameMode::TopTen) TopTenKeyDown(Key);
  if (Mode == GameMode::game) GameKeyDown(Key);
  if (Mode == GameMode::MainMenu) MainMenuKeyDown(Key);
  if (Mode == GameMode::editor) EditorKeyDown(Key);
  if (Mode == GameMode::SelectPlayer && !backToPlayers_) SelectPlayerKeyDown(Key);
  // Last: the Escape that fails a play-test also ends its result line. A key newly
  // pressed ends it; keys still held from the run repeat without ending it.
  const bool repeat = Key < KeyHeld.size() && KeyHeld[Key];
  if (Key < KeyHeld.size()) KeyHeld[Key] = true;
  if (Mode == GameMode::PlayTestResult && !repeat) PlayTestResultKeyDown(Key);
}

void Game::KeyUp(uint16_t Key) {
  const std::optional<uint16_t> jumpKey = playKeys_.Translate(Key, false, UpJumps());
  if (!jumpKey) return;
  Key = *jumpKey;
  if (WatchingReplay()) {
    if (Key < KeyHeld.size()) Replays.Watch.LiveKeys[Key] = false;
    return;
  }
  dropCharacter_ = false;
  if (Key < KeyHeld.size() && std::exchange(PlayTest.LeftOver[Key], false)) return;  // never the editor's
  if (Key < KeyHeld.size() && PlayTest.Active) PlayTest.HeldAtStart[Key] = false;
  if (Mode == GameMode::game) RecordKey(Key, false);
  if (Key < KeyHeld.size()) KeyHeld[Key] = false;
  if (Mode == GameMode::editor && Plus && PlusEditorKeyUp(Key)) return;
  if (Mode == GameMode::editor && !Editor.PromptOpen() && !OpenQuestion) {
    EditorPromptKeyUp(Editor, Key);
    Editor.NameSelected = Plus && Editor.PromptOpen() && !Editor.InputText.empty();
  }
}

void Game::KeyPress(uint8_t Key, bool CommandHeld) {
  if (std::exchange(dropCharacter_, false)) return;
  // Plus: Ctrl+Z in the Save dialog is a command, never a "z" of the name.
  if (Plus && CommandHeld && Key >= 32) return;
  const KeyEventWatch watch(*this, KeyEventWatch::Handler::KeyPress, Key);
  if (Mode == GameMode::CreateNewPlayer) CreateNewPlayerKeyPress(Key);
  if (Mode == GameMode::editor && Editor.PromptOpen()) EditorKeyPress(Key);
}

void Game::MouseDown(MouseButton Button, int32_t X, int32_t Y) {
  if (OpenQuestion) return;
  if (Plus && PlusMenuMouseDown(Button, Y)) return;
  if (Mode == GameMode::editor && Plus && LevelMapMouseDown(Button, X, Y)) return;
  if (Mode == GameMode::editor && Plus && PlusEditorMouseDown(X, Y)) return;
  if (Mode == GameMode::editor && Plus && Button == MouseButton::Middle) return GrabView(X, Y);
  if (Mode == GameMode::editor && Plus && BeginPlusRectangle(Button, X, Y)) return;
  if (Mode == GameMode::editor && !Editor.PromptOpen()) {
    ReportEditorChange(Events, EditorMouseDown(Editor, Level, Button, X, Y));
  }
}

void Game::MouseMove(int32_t X, int32_t Y) {
  // Plus: the pointer shows on every screen but a run, which hides it again (Update).
  display_.ShowPointer(Mode == GameMode::editor || (Plus && Mode != GameMode::game));
  PointAtMenu(X, Y);
  Editor.MouseX = X;
  Editor.MouseY = Y;
  // Plus: nothing paints under the level's map or while the view is dragged.
  if (Mode == GameMode::editor && Plus && (Editor.MapOpen || DragView(X, Y))) return;
  // Plus: the toolbar covers the view, so nothing under it is painted.
  const bool underToolbar = Plus && Y >= EditorToolbarTop;
  if (Mode == GameMode::editor && !Editor.PromptOpen() && !OpenQuestion && !underToolbar) {
    ReportEditorChange(Events, EditorMouseMove(Editor, Level, X, Y));
  }
}

void Game::MouseUp(MouseButton Button, int32_t X, int32_t Y) {
  if (Button == MouseButton::Middle) Editor.Grabbed.reset();
  if (Editor.RectangleFrom && Button == Editor.RectangleButton) EndPlusRectangle(X, Y);
  EditorMouseUp(Editor, Button);
}

}  // namespace tobu
