// shell/: the game object, its mode machine, menus, roster, level list, replays and
// play-test. Includes editor/, present/, replay/, sim/, world/ and events/.
#pragma once
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "editor/editor_state.h"
#include "events/game_events.h"
#include "present/display.h"
#include "present/plus_medal.h"
#include "shell/animation.h"
#include "shell/editor_dialogs.h"
#include "shell/short_notice.h"
#include "shell/game_mode.h"
#include "shell/level_list.h"
#include "shell/level_preview.h"
#include "shell/level_rows.h"
#include "shell/par_times.h"
#include "shell/play_keys.h"
#include "shell/play_test.h"
#include "shell/plus_run.h"
#include "shell/question.h"
#include "shell/roster.h"
#include "shell/run_replays.h"
#include "sim/clock.h"
#include "sim/exit_contacts.h"
#include "sim/keys.h"
#include "sim/ranking.h"
#include "sim/run_step.h"
#include "sim/runner.h"
#include "world/best_times.h"
#include "world/level_file.h"
#include "world/world.h"

namespace tobu {

class FileError;
struct FileRequest;

// The game: all state of the process and one handler per event. The platform layer
// (or tobu-script) calls the handlers; file errors escape them as FileError.
class Game {
 public:
  explicit Game(Display& display) : display_(display) {}

  // Start-up: reads Players.dat from the working directory, hides the pointer.
  void Start();
  // One tick: update, then draw one complete frame.
  void Tick(int32_t LagCount);
  void KeyDown(uint16_t Key);
  void KeyUp(uint16_t Key);
  // A typed character; CommandHeld: typed with Ctrl, Alt or the system key held (the
  // platform tells, as the game has no key for Alt).
  void KeyPress(uint8_t Key, bool CommandHeld = false);
  void MouseDown(MouseButton Button, int32_t X, int32_t Y);
  void MouseMove(int32_t X, int32_t Y);
  void MouseUp(MouseButton Button, int32_t X, int32_t Y);
  // Plus: the wheel's notches, right and down counted positive, scroll the editor's view.
  void MouseWheel(int32_t Dx, int32_t Dy);

  // Replays (replays.cpp). Plays a replay file in the game view until its end or Escape,
  // then returns to where the game was (or closes); FileError when it cannot be played.
  void WatchReplay(const std::string& fileName, bool closeAtEnd = false);
  bool WatchingReplay() const { return Replays.Watch.Active; }
  // In a plus run Up and W jump as Space does, A and D run as Left and Right.
  bool UpJumps() const { return Plus && Mode == GameMode::game && !WatchingReplay(); }
  // Plus: the main menu's fourth row, "Options", is highlighted; Return there opens the
  // session's options card, as O does.
  bool OptionsRowHighlighted() const { return Plus && Mode == GameMode::MainMenu && MenuCursor == 3; }
  // Plus: the pointer at frame pixel (x, y) over a menu's row or a question's answer
  // highlights it (the cursor moves as Up and Down move it, with their sound); true when
  // it is over one, where a click chooses it as Return does (the session sends that Return).
  bool PointAtMenu(int32_t x, int32_t y);
  // The watched run still has ticks to play.
  bool WatchedRunGoesOn() const;
  void StopWatching();
  // Plus with a server: the world record of the highlighted level, downloaded (its file
  // name may be another's: it is the level's by its CRC). Watch plays it as W plays the
  // level's record; Race starts the level with it as the ghost. FileError when the
  // record is of another level.
  void WatchWorldRecord(Replay record);
  void RaceWorldRecord(Replay record);
  // The game closes and the program ends (Escape on the first menus, the end of a replay
  // that closes the game, the window closed by the platform). A roster that could not
  // be written is written now: no later moment of the game writes it.
  void Close();
  // The window asks to close (its close button, Alt+F4). Plus first asks "Save changes?"
  // when the editor's level (a play-test's too) has unsaved changes, and "Quit tobu?" in
  // a run (not a watched record); a second request
  // while that question (or the save it began) is open closes at once, as a second
  // click is expected to.
  void RequestClose();
  // Writes a roster that could not be written, now (FileError when it still cannot be).
  void WriteUnsavedRoster();
  // The watched run's remaining ticks with no frame drawn (every rule runs as in a drawn
  // tick): how a replay is verified.
  void PlayWatchedRunUndrawn();
  // Plus: R starts the level of a run (a play-test's too), or of the results, again at
  // once; false when there is none to start (plus_flow.cpp).
  bool RestartRun();
  // Plus: a run not stepped yet (Escape at once after F5 or R) shows its first picture, so
  // that a card opened now stands over the run rather than whatever was shown before.
  void ShowRunBeforeItsFirstStep();
  // Plus: closes the name field of F4 on the player list, the player's name as it was, and
  // shows the list again (Escape there; plus switched off).
  void LeaveRename();
  // Plus: where the runner is across the view drawn, 0 its left edge to 1 its right, for
  // placing the run's sounds; none in classic, whose sounds are all centred.
  std::optional<double> RunnerAcrossView() const;
  // Plus: puts a question on a card over the screen. Until it is answered every key
  // answers it and nothing else (question.h); the answer's action then runs.
  void Ask(Question question);

  // State, grouped by subsystem.
  GameMode Mode = GameMode::SelectPlayer;
  // The plus profile: more drawn and heard and an easier flow between screens, over the
  // very same runs. Off is the classic game, exactly.
  bool Plus = false;
  bool Closed = false;  // the game was closed: the program ends
  KeyTable KeyHeld{};
  int32_t MenuCursor = 0;
  int32_t LevelIndex = 0;
  int32_t ListTop = 0;
  Animation Anim;
  World Level;
  RunnerMotion Runner;
  RunClock Clock;
  RunOutcome Outcome;
  BestTimes Best;
  int32_t BestTimesOffset = 0;
  PlayerRoster Players;
  std::optional<int32_t> UnsavedRosterIndex;  // the roster's last write failed: its index
  // The player chosen last, as Players.dat's last field names them: the current player's
  // index while PlayerName is set.
  int32_t ChosenPlayerIndex = 0;
  PlayerRename Rename;  // plus: F4 on the player list
  LevelList LevelFiles;
  EditorState Editor;
  PlayTestState PlayTest;   // F5 in the editor
  EditorDialogs EditorAsk;  // plus: the editor's questions and notices
  ShortNotice ListNotice;   // plus: the level list's answer to a key with nothing to do
  int32_t SkyX = 0;
  // The folder the game started in (holding Players.dat and Levels), fixed at start
  // because the game enters Levels; empty when it could not be read.
  std::filesystem::path GameFolder;
  RunStepResult LastRun;  // what this tick's run step did, for the frame
  // What happened, for the platform to react to (sounds); the game never reads it.
  EventQueue Events;
  // Trouble beside the specified game (a replay that could not be written): never shown
  // to the player or read by the game; the platform prints and clears them.
  std::vector<std::string> Warnings;
  ExitContacts LockedExits;
  RunReplays Replays;
  std::optional<Question> OpenQuestion;  // plus: the question waiting for its answer
  // Plus: the player's times beside each level of the list, read again once emptied.
  std::vector<LevelRow> LevelRows;
  // Plus: the highlighted levels' previews by file, kept while the list shows.
  std::map<std::string, LevelPreview> LevelPreviews;
  // Plus: the player's progress on the main menu, read each time it shows.
  std::optional<LevelProgress> MenuProgress;
  // Plus with a server: the world records of the levels on the server by their level
  // CRC, as it last gave them; empty without one, and the list shows none.
  std::map<uint32_t, WorldRecord> WorldRecords;
  // Plus: what is drawn around the run (plus_flow.cpp); the run never reads it.
  PlusRunView PlusView;
  // Plus: why the open name field refused the last key (a character no name takes, or
  // Return with no name), shown under it until the next key; null when it took the key.
  const char* NameFieldHint = nullptr;
  bool GoalLearned = false;  // a level was finished: the banner no longer tells the goal
  int32_t FailedRuns = 0;    // runs ended without a finish this session: plus's results' tip
  // Plus: the par of the level last started, none for a level not shipped with the game.
  const ParTime* RunPar = nullptr;
  // Plus: the card after the game's last level, over the results until a key.
  std::optional<EndingCard> Ending;
  bool LastLevelCelebrated = false;  // the last level's first finish of the session had its card

 private:
  // Tick steps (game.cpp).
  void Update(bool surfaceReady);
  void ScrollEditor();
  void ClampViewCamera();
  int ViewTheme() const;
  void AdvanceAnimation();
  void EndRun(bool finished);
  void DrawFrame();
  void DrawWorldView();
  void DrawRunnerAndClock();
  // Screens (screens.cpp).
  void DrawWallpaper();
  void DrawSelectPlayer();
  void DrawCreateNewPlayer();
  void DrawMainMenu();
  void DrawSelectLevel();
  void DrawGameMenu();
  void DrawTopTen();
  void RankFinishedRunOnce();
  // Key rules of each mode, in KeyDown's order (menu_keys.cpp, players.cpp).
  void CreateNewPlayerKeyDown(uint16_t key);
  void SelectLevelKeyDown(uint16_t key);
  void GameMenuKeyDown(uint16_t key);
  void TopTenKeyDown(uint16_t key);
  void PlusGameMenuKeyDown(uint16_t key);
  void AnswerQuestion(uint16_t key);
  void AskOrClose();
  void AskQuitRun();
  void AskOrErase(int entry);
  // The plus menus (plus_menus.cpp).
  void ReadPlusMenuFiles();
  void DrawPlusBackdrop();
  void DrawPlusMainMenu();
  void DrawLevelPreview();
  void DrawPlusSelectLevel();
  bool PlusListJumpKeyDown(uint16_t key);
  void DrawPlusLevelRow(int row, int entry);
  void DrawWorldRecords();
  void DrawPlusTopTen();
  void ReturnToPlayers();
  // Plus on the player list: deleting and renaming a player (plus_players.cpp).
  bool PlusSelectPlayerKeyDown(uint16_t key);
  void LeavePlayers();
  void DrawPlusSelectPlayer();
  void AskDeletePlayer(int index);
  void DeletePlayer(int index);
  void RenamePlayer();
  void DrawRenameField();
  // Plus's menus under the mouse (menu_mouse.cpp).
  void ScrollLevelList(int32_t rows);
  bool PlusMenuMouseDown(MouseButton button, int32_t y);
  // Plus's results (plus_results.cpp).
  void DrawPlusGameMenu(const std::string& title);
  // Plus's goals: the par, the medals and the ending (plus_goals.cpp).
  Medal RunMedal() const;
  void DrawMedalLines(int32_t y);
  void OfferEnding(bool finishedBefore);
  void StepEnding();
  bool EndingTakesKey(uint16_t key);
  // Plus around a run (plus_flow.cpp).
  bool PlusDrawsRun() const;
  void DrawSkyAndTiles(ViewCamera camera);
  ViewCamera DrawCamera() const;
  void StepPlusView();
  void HoldRunPicture();
  void BeginPlusMoment();
  bool PlusMomentTakesKey(uint16_t key);
  void DrawWorldObjects(ViewCamera camera, const ObjectFrames& frames);
  void DrawPlusOverRun(ViewCamera camera);
  void DrawHeldRun(ViewCamera camera);
  void DrawPlusMoment();
  void DrawPlusHudStrip();
  void GameKeyDown(uint16_t key);
  void MainMenuKeyDown(uint16_t key);
  void EditorKeyDown(uint16_t key);
  void SelectPlayerKeyDown(uint16_t key);
  void CreateNewPlayerKeyPress(uint8_t key);
  bool TypeIntoName(std::string& name, uint8_t key);
  void NoteTypedNameChar(uint8_t key, bool accepted, bool nameEmpty, const char* charHint);
  void EditorKeyPress(uint8_t key);
  void CarryOutFileRequest(const FileRequest& request);
  void LeaveEditorForMenu();
  // Plus in the editor (editor_plus.cpp, editor_view.cpp).
  bool PlusEditorKeyDown(uint16_t key);
  bool PlusEditorKeyUp(uint16_t key);
  bool PlusEditorMouseDown(int32_t x, int32_t y);
  bool DialogListKeyDown(uint16_t key);
  void StepDialogList(int step);
  void ClickDialogList(int32_t x, int32_t y);
  bool BeginPlusRectangle(MouseButton button, int32_t x, int32_t y);  // editor_pointer.cpp
  void EndPlusRectangle(int32_t x, int32_t y);
  void GrabView(int32_t x, int32_t y);
  bool DragView(int32_t x, int32_t y);
  bool LevelMapKeyDown(uint16_t key);  // editor_map.cpp
  bool LevelMapMouseDown(MouseButton button, int32_t x, int32_t y);
  void DrawLevelMapCard();
  void ListPromptFiles();
  void AskSaveChanges(EditorDialogs::Then then);
  void PlayTestOrAsk();
  void OpenEditorPrompt(bool save);
  void BeginSave(const std::string& name);
  bool SaveReplacesAnotherLevel(const std::string& name) const;
  void AskBeforeSaving(std::string text, std::string detail, bool EditorDialogs::*accepted);
  void ContinueSave();
  void ShowFileFailure(const FileError& error);
  void RunAfterSave(EditorDialogs::Then then);
  void ShowEditorNotice(std::string text);
  void DrawPlusEditor();
  // Transitions with side effects.
  void StartRun(int entry);
  void PushRankingEvent();
  void BeginRun(const LoadedLevelInfo& info);
  void FailRun();
  bool PressTapForStep();
  void EraseBestTimes(int entry);
  void OpenLevelList();
  void ClampListPosition();
  void ChoosePlayer(int index);
  void CreatePlayer();
  void EnterLevelsDirectory();
  // The editor's play-test (play_test.cpp).
  void StartPlayTest();
  void RestartPlayTest();
  void BeginPlayTestRun();
  void EndPlayTestRun(bool finished);
  std::string RunEndingText(bool finished) const;
  void CountDownPlayTestResult();
  void PlayTestResultKeyDown(uint16_t key);
  void DrawPlayTestResult();
  void ReturnFromPlayTest();
  void WriteRosterFile(int32_t index);
  // Replays (replays.cpp).
  void StartRunReplays(const std::string& levelFile, uint32_t levelCrc);
  // The bytes before a level file's table are those of the level the run began on.
  bool RunLevelUnchanged(std::span<const uint8_t> levelPart) const;
  void StopRunReplays();
  void AdvanceRunReplays();
  void RecordKey(uint16_t key, bool down);
  void SaveRunRecording(bool levelUnchanged);
  bool WatchRecordOf(int entry);
  void Watch(Replay record, bool closeAtEnd);
  void PlayWatchedKeys();
  void WatchKeyDown(uint16_t key);
  void ToggleGhost();
  void LoadGhost();
  void CatchUpGhost(Replay record);
  Replay OfHighlightedLevel(Replay record) const;
  void DrawGhostRunner();
  void DrawWatchedRecordLine();

  Display& display_;
  bool escapeLeftSelectLevel_ = false;  // the Escape of this key-down is used up
  bool backToPlayers_ = false;          // this key-down went back to the players
  bool playersFromMenu_ = false;        // plus: the player list was reached from the main menu
  bool dropCharacter_ = false;          // the character of a key left over from a play-test
  PlayKeys playKeys_;                   // plus: Up, W, A and D in a run
  JumpTap jumpTap_;                     // plus: a tap of the jump key in a run
  uint16_t mapKey_ = 0;                 // plus: the Tab or Escape that opened or closed the editor's map last
};

}  // namespace tobu
