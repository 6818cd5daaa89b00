#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "editor/editor.h"
#include "replay/level_crc.h"
#include "shell/game.h"
#include "shell/menu_layout.h"
#include "world/file_error.h"
#include "world/file_io.h"
#include "world/level_file.h"

namespace tobu {
namespace {

constexpr int ListNoticeTicks = 200;  // 2 s

// Down and Up of the menus of a few rows ("MainMenu", "GameMenu").
void MoveMenuCursor(int32_t& cursor, uint16_t key, int32_t rows) {
  if (key == VkDown && cursor < rows - 1) ++cursor;
  if (key == VkUp && cursor > 0) --cursor;
}

}  // namespace

void Game::SelectLevelKeyDown(uint16_t key) {
  ListNotice.TicksLeft = 0;  // any key ends the last answer
  if (Plus && PlusListJumpKeyDown(key)) return;
  const int32_t count = LevelFiles.Count();
  if (key == VkDown) {
    ++MenuCursor;
    if (ListTop + MenuCursor > count - 1) --MenuCursor;
    if (MenuCursor > LevelListRows - 1) {
      ++ListTop;
      --MenuCursor;
    }
    LevelIndex = ListTop + MenuCursor;
  }
  if (key == VkUp) {
    --MenuCursor;
    if (MenuCursor < 0) {
      if (ListTop > 0) --ListTop;
      ++MenuCursor;
    }
    LevelIndex = ListTop + MenuCursor;
  }
  if (key == VkReturn) StartRun(ListTop + MenuCursor);
  if (key == VkDelete) AskOrErase(ListTop + MenuCursor);
  if (key == 'W' && !WatchRecordOf(ListTop + MenuCursor) && Plus)
    ListNotice.Show("No record run for this level yet", ListNoticeTicks);
  if (key == VkEscape) {
    MenuCursor = 0;
    Mode = GameMode::MainMenu;
    escapeLeftSelectLevel_ = true;  // this Escape must not also close the program
  }
}

void Game::GameMenuKeyDown(uint16_t key) {
  if (Plus) return PlusGameMenuKeyDown(key);
  MoveMenuCursor(MenuCursor, key, 2);
  if (key == VkReturn && MenuCursor == 0) {
    StartRun(LevelIndex);
  } else if (key == VkReturn && MenuCursor == 1 && !Best.BestNames[1].empty()) {
    Mode = GameMode::TopTen;
  }
  if (key == VkEscape) {
    MenuCursor = LevelIndex - ListTop;
    Mode = GameMode::SelectLevel;
  }
}

void Game::TopTenKeyDown(uint16_t key) {
  if (key == VkEscape) Mode = GameMode::GameMenu;
}

void Game::GameKeyDown(uint16_t key) {
  if (key == VkEscape) FailRun();
  if (key == 'G') ToggleGhost();
}

void Game::MainMenuKeyDown(uint16_t key) {
  if (key == VkEscape && !escapeLeftSelectLevel_) AskOrClose();
  MoveMenuCursor(MenuCursor, key, Plus ? 4 : 2);  // plus: "Players" and "Options" (the session opens it)
  if (key == VkReturn && MenuCursor == 0) {
    OpenLevelList();
  } else if (key == VkReturn && MenuCursor == 1) {
    // Only while still in "MainMenu": "Play" may have just set the cursor to 1.
    EnterEditor(Editor, Level);
    Mode = GameMode::editor;
    display_.ShowPointer(true);
  } else if (key == VkReturn && MenuCursor == 2 && Plus) {
    backToPlayers_ = true;
    ReturnToPlayers();
  }
}

void Game::EditorKeyDown(uint16_t key) {
  if (Plus && PlusEditorKeyDown(key)) return;
  if (key == VkEscape) {
    if (Editor.PromptOpen()) {
      ClosePrompts(Editor);
      return;
    }
    return LeaveEditorForMenu();
  }
  if (Editor.PromptOpen()) {
    if (key == VkTab) {
      LevelList files;  // read afresh: the Play list keeps the rows it shows
      files.Read();
      CompleteName(Editor, files.Items);
      Editor.NameSelected = false;
    }
    return;
  }
  if (key == VkF5) return StartPlayTest();
  if (EditorCommandKey(Editor, Level, key, KeyHeld)) return;
  if (EditorToolKey(Editor, Level, key) && key == VkSpace) Events.Push(GameEvent::Start);
}

void Game::LeaveEditorForMenu() {
  Mode = GameMode::MainMenu;
  MenuCursor = 1;  // "Editor" stays highlighted
  display_.ShowPointer(false);
  LeaveEditor(Editor);
}

void Game::EditorKeyPress(uint8_t key) {
  // Plus types a space in a level's name as the dash that the level list shows as a space.
  if (Plus && key == ' ') key = '-';
  const std::optional<FileRequest> request = EditorTypeChar(Editor, key);
  NoteTypedNameChar(key, AcceptedNameChar(key), Editor.InputText.empty(), LevelNameHint);
  if (Plus) EditorAsk.Failure.clear();
  if (!request) return;
  if (!Plus) return CarryOutFileRequest(*request);
  // Plus asks before a save that could lose work (and shows a failed save itself).
  if (request->Save) return BeginSave(Editor.InputText);
  try {
    CarryOutFileRequest(*request);
  } catch (const FileError& error) {
    ShowFileFailure(error);
  }
}

// A failed save or open leaves the prompt open with the typed name.
void Game::CarryOutFileRequest(const FileRequest& request) {
  if (request.Save) {
    SaveLevel(request.FileName, Level);
    Events.Push(GameEvent::Saved);
    ShowEditorNotice("Saved " + Editor.InputText);
  } else {
    const LoadedLevelInfo info = LoadLevel(request.FileName, Level);
    Editor.History.Clear();
    Best = info.Times;
    BestTimesOffset = info.BestTimesOffset;
    if (info.HadTable) Outcome.BestTimeText.clear();
    Events.Push(GameEvent::Opened);
    ShowEditorNotice("Opened " + Editor.InputText);
  }
  Editor.LevelName = Editor.InputText;
  KeepLevelAsSaved(Editor, Level);
  ClosePrompts(Editor);
}

// "Play": the list is read again, so a level just saved in the editor is there, even
// when the list held nothing before. With no level at all the menu stays.
void Game::OpenLevelList() {
  LevelFiles.Read();
  LevelRows.clear();
  if (LevelFiles.Count() == 0) return;
  ClampListPosition();
  MenuCursor = LevelIndex - ListTop;
  Mode = GameMode::SelectLevel;
}

// Keeps the chosen level, and the rows shown, inside a list that may have shrunk.
void Game::ClampListPosition() {
  const int32_t count = LevelFiles.Count();
  LevelIndex = std::clamp(LevelIndex, 0, count - 1);
  ListTop = std::clamp(ListTop, 0, std::max(0, count - LevelListRows));
  ListTop = std::clamp(ListTop, std::max(0, LevelIndex - (LevelListRows - 1)), LevelIndex);
}

// Starting a run. The level is read first: a file that cannot be loaded leaves the
// mode, the level, the clock and the flags as they were.
void Game::StartRun(int entry) {
  if (entry < 0 || entry >= LevelFiles.Count()) return;
  // One read gives the level and its CRC, so the finish can tell whether the file it
  // writes the time into still holds this level.
  const std::string& file = LevelFiles.Items[entry];
  const std::vector<uint8_t> bytes = ReadWholeFile(file);
  const LoadedLevelInfo info = UseLevel(ParseLevel(bytes, file), Level);
  BeginRun(info);
  const uint32_t crc = LevelCrc(file, bytes);
  StartRunReplays(file, crc);
  RunPar = FindParTime(crc);
}

// The run's first values, once its level is loaded.
void Game::BeginRun(const LoadedLevelInfo& info) {
  ResetRunnerForRun(Runner);
  jumpTap_.Forget();
  LockedExits = {};
  Mode = GameMode::game;
  Outcome.RunFailed = false;
  Outcome.RunFinished = false;
  Outcome.NewBestTime = false;
  Best = info.Times;
  BestTimesOffset = info.BestTimesOffset;
  if (info.HadTable) Outcome.BestTimeText.clear();
  Clock.Reset();
  BeginPlusRun(PlusView, Level);
  FadeHud(PlusView, Level);
  display_.ShowPointer(false);  // plus: a click may have started the run
}

// Delete: the level is read and written back, and the writer stores no best times.
void Game::EraseBestTimes(int entry) {
  if (entry < 0 || entry >= LevelFiles.Count()) return;
  const LoadedLevelInfo info = LoadLevel(LevelFiles.Items[entry], Level);
  Best = info.Times;
  BestTimesOffset = info.BestTimesOffset;
  if (info.HadTable) Outcome.BestTimeText.clear();
  LevelRows.clear();
  SaveLevel(LevelFiles.Items[entry], Level);
}

}  // namespace tobu
