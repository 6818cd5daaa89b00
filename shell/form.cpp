#include "shell/form.h"

#include <exception>
#include <filesystem>

#include "editor/editor.h"
#include "present/cell_grid.h"
#include "present/game_view.h"
#include "present/sheets.h"
#include "present/themes.h"
#include "shell/form_events.h"
#include "world/file_error.h"

namespace tobu {

void TForm1::FormCreate() {
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
}

// One tick: update, then one complete frame. Every step tests the mode current at
// that moment, so a run ended by an object already shows the results menu.
void TForm1::DXTimer1Timer(int32_t /*LagCount: every tick is one fixed step*/) {
  Events.NewTick();
  if (WatchingReplay()) PlayWatchedKeys();
  if (Mode == GameMode::editor) ScrollEditor();
  if (Mode == GameMode::game) MotionStep(Level, Kippo, KeyHeld, Events);
  if (Mode == GameMode::game) AdvanceRunReplays();
  if (Mode == GameMode::PlayTestResult) CountDownPlayTestResult();
  Level.ClampCamera();
  SkyX = SkyOffset(Level.CameraX);
  AdvanceAnimation();

  if (!display_.SurfaceReady()) return;
  display_.UseTheme(RunTheme());
  display_.ClearSurface(0);
  if (Mode == GameMode::game || Mode == GameMode::editor) DrawWorldView();
  if (Mode == GameMode::SelectPlayer) DrawSelectPlayer();
  if (Mode == GameMode::CreateNewPlayer) DrawCreateNewPlayer();
  if (Mode == GameMode::MainMenu) DrawMainMenu();
  if (Mode == GameMode::SelectLevel) DrawSelectLevel();
  // A failed write of the best times is reported after the frame is shown.
  std::exception_ptr writeError;
  if (Mode == GameMode::GameMenu) {
    try {
      RankFinishedRunOnce();
    } catch (const FileError&) {
      writeError = std::current_exception();
    }
    if (!WatchingReplay()) DrawGameMenu();
  }
  if (Mode == GameMode::TopTen) DrawTopTen();
  if (Mode == GameMode::PlayTestResult) DrawPlayTestResult();
  if (Mode == GameMode::game) TestWorldBounds();
  display_.PresentFrame();
  if (writeError) std::rethrow_exception(writeError);
}

// Plus draws a run of a shipped level in its group's look; everything else in the game's own.
int TForm1::RunTheme() const {
  if (!Plus || Mode != GameMode::game || PlayTest.Active) return ThemeMeadow;
  return LevelTheme(WatchingReplay() ? Replays.Watch.Record.LevelFile : Replays.LevelFile);
}

void TForm1::ScrollEditor() {
  if (Editor.PromptOpen()) return;
  ScrollView(Level, KeyHeld[VkLeft], KeyHeld[VkRight], KeyHeld[VkUp], KeyHeld[VkDown]);
}

void TForm1::AdvanceAnimation() {
  // Objects and the menu pointer change frame every third tick.
  if (++Anim.AnimTick == 3) {
    const auto advance = [this](int32_t& frame, int sheet) {
      if (++frame > display_.FrameCount(sheet) - 1) frame = 0;
    };
    advance(Anim.KillerFrame, SheetKiller);
    advance(Anim.FoodFrame, SheetFood);
    advance(Anim.ExitFrame, SheetExit);
    Anim.AnimTick = 0;
  }
  AdvanceRunAnimation(Kippo);
}

void TForm1::DrawWorldView() {
  DrawSky(display_, SkyX);
  DrawTiles(display_, Level);
  const ObjectFrames frames{Anim.FoodFrame, Anim.KillerFrame, Anim.ExitFrame};
  EatenIndex = -1;
  for (int i = 0; i < Level.ObjectCount; ++i) {
    if (Mode == GameMode::game) TouchObject(i);
    DrawObject(display_, Level, Level.ObjectList[i], frames);
  }
  if (Mode == GameMode::game && LockedExits.NoteLockedTouch(Level)) Events.Push(GameEvent::Locked);
  // At most one food goes per tick: the last one touched, already drawn in this frame.
  if (EatenIndex != -1) EatFood(EatenIndex);
  if (Mode == GameMode::editor) {
    if (Editor.GridShown) DrawCellGrid(display_, Level);
    DrawStartMarker(display_, Level);
    if (Editor.PromptOpen()) display_.DrawCanvasText(5, 5, PromptLine(Editor));
  }
  if (Mode == GameMode::game) DrawGhostRunner();
  if (Mode == GameMode::game) DrawRunnerAndClock();
  if (Mode == GameMode::game && WatchingReplay()) DrawWatchedRecordLine();
}

void TForm1::TouchObject(int index) {
  switch (tobu::TouchObject(Level, index)) {
    case Contact::Food:
      EatenIndex = index;
      break;
    case Contact::Killer:
      FailRun();
      break;
    case Contact::Exit:
      Events.Push(GameEvent::Finish);
      if (PlayTest.Active) {
        EndPlayTestRun(true);
        break;
      }
      MenuCursor = 0;
      Outcome.RunFinished = true;
      Mode = GameMode::GameMenu;
      break;
    case Contact::None:
      break;
  }
}

void TForm1::DrawRunnerAndClock() {
  const RunnerSprite sprite = ChooseRunnerSprite(Level, Kippo, KeyHeld);
  const int sheet = sprite.Running ? (sprite.FacingRight ? SheetKippoRunR : SheetKippoRun)
                                   : (sprite.FacingRight ? SheetKippoR : SheetKippo);
  DrawRunnerSheet(display_, Level, sheet, sprite.Frame, sprite.Left, sprite.Top);
  Clock.Step();
  DrawClockDigits(display_, Clock.ClockMinutes, Clock.ClockSeconds, Clock.ClockHundredths);
  if (!Best.BestNames[1].empty()) {
    if (Outcome.BestTimeText.empty()) Outcome.BestTimeText = StoredTimeText(Best.BestTime[1]);
    DrawBestTime(display_, Outcome.BestTimeText);
  }
}

void TForm1::TestWorldBounds() {
  if (!OutsideWorldBounds(Level)) return;
  FailRun();
  Level.RunnerX = RunnerHomeX;
  Level.RunnerY = RunnerHomeY;
}

void TForm1::EatFood(int index) {
  Level.RemoveObject(index);
  Events.Push(GameEvent::Eat);
  if (!AnyFoodLeft(Level)) Events.Push(GameEvent::Open);
}

void TForm1::FailRun() {
  Events.Push(GameEvent::Fail);
  if (PlayTest.Active) return EndPlayTestRun(false);
  Outcome.RunFailed = true;
  Mode = GameMode::GameMenu;
  MenuCursor = Plus ? 1 : 0;  // plus: "Play again" after a failed run, "Next level" after a finish
}

// The modes are tested one after another, so a rule sees a mode set by an earlier one.
void TForm1::FormKeyDown(uint16_t Key) {
  const KeyEventWatch watch(*this, KeyEventWatch::Handler::KeyDown, Key);
  escapeLeftSelectLevel_ = false;
  if (WatchingReplay()) {
    WatchKeyDown(Key);  // the recorded keys drive the run; the player's only end it
    return;
  }
  if (Mode == GameMode::game) RecordKey(Key, true);
  if (Mode == GameMode::CreateNewPlayer) CreateNewPlayerKeyDown(Key);
  if (Mode == GameMode::SelectLevel) SelectLevelKeyDown(Key);
  if (Mode == GameMode::GameMenu) GameMenuKeyDown(Key);
  if (Mode == GameMode::TopTen) TopTenKeyDown(Key);
  if (Mode == GameMode::game) GameKeyDown(Key);
  if (Mode == GameMode::MainMenu) MainMenuKeyDown(Key);
  if (Mode == GameMode::editor) EditorKeyDown(Key);
  if (Mode == GameMode::SelectPlayer) SelectPlayerKeyDown(Key);
  // Last: the Escape that fails a play-test also ends its result line.
  if (Mode == GameMode::PlayTestResult) PlayTestResultKeyDown(Key);
  if (Key < KeyHeld.size()) KeyHeld[Key] = true;
}

void TForm1::FormKeyUp(uint16_t Key) {
  if (WatchingReplay()) {
    if (Key < KeyHeld.size()) Replays.Watch.LiveKeys[Key] = false;
    return;
  }
  if (Mode == GameMode::game) RecordKey(Key, false);
  if (Key < KeyHeld.size()) KeyHeld[Key] = false;
  if (PlayTest.TakeEndingKeyUp(Key)) return;
  if (Mode == GameMode::editor && !Editor.PromptOpen()) EditorPromptKeyUp(Editor, Key);
}

void TForm1::FormKeyPress(uint8_t Key) {
  const KeyEventWatch watch(*this, KeyEventWatch::Handler::KeyPress, Key);
  if (Mode == GameMode::CreateNewPlayer) CreateNewPlayerKeyPress(Key);
  if (Mode == GameMode::editor && Editor.PromptOpen()) EditorKeyPress(Key);
}

void TForm1::DXDraw1MouseDown(MouseButton Button, int32_t X, int32_t Y) {
  if (Mode == GameMode::editor && !Editor.PromptOpen()) {
    ReportEditorChange(Events, EditorMouseDown(Editor, Level, Button, X, Y));
  }
}

void TForm1::DXDraw1MouseMove(int32_t X, int32_t Y) {
  display_.ShowPointer(Mode == GameMode::editor);
  Editor.MouseX = X;
  Editor.MouseY = Y;
  if (Mode == GameMode::editor && !Editor.PromptOpen()) {
    ReportEditorChange(Events, EditorMouseMove(Editor, Level, X, Y));
  }
}

void TForm1::DXDraw1MouseUp(MouseButton Button, int32_t /*X*/, int32_t /*Y*/) { EditorMouseUp(Editor, Button); }

} // namespace tobu
