// The menus under tobu plus: the same rows, cursor and keys as the classic ones, with
// more said on each row (level names as words, the player's times, where the list is)
// and a way back to the players.
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>

#include "present/bitmap_text.h"
#include "present/meadow_scene.h"
#include "present/plus_palette.h"
#include "present/plus_panel.h"
#include "present/sheets.h"
#include "shell/game.h"
#include "shell/menu_layout.h"
#include "sim/clock.h"
#include "world/file_error.h"

namespace tobu {
namespace {

constexpr uint16_t VkPageUp = 33, VkPageDown = 34, VkEnd = 35, VkHome = 36;
// The level list's pane, as wide as a row needs: the longest shipped name ("16 guarded
// roads", 255 pixels), a time to the minute ("1:06.59", 106), the star and the mark; the
// preview takes the rest (shell/plus_level_preview.cpp).
constexpr int ListLeft = LevelPaneLeft, ListRight = LevelPaneRight;
constexpr int LevelNameX = 40;       // the pointer, 36 to the left, stands at the pane's edge
constexpr int NameGap = 10;          // between a name's last glyph and its time's first
constexpr int LevelTimeRight = 396;  // the times end in one column
constexpr int StarX = 408;           // the star's centre, its rim 8 pixels round it
constexpr int MarkX = 419;
constexpr int ArrowX = (ListLeft + ListRight) / 2;
constexpr int WorldRecordX = 8;

// The name of a level as words, cut with ".." so that it ends before `right`.
std::string FittedTitle(const std::string& title, int x, int right) {
  if (x + StringWidth(title) <= right) return title;
  std::string cut = title;
  while (!cut.empty() && x + StringWidth(cut + "..") > right) cut.pop_back();
  return cut + "..";
}

// A tick of 3-pixel blocks, 26 x 17 pixels, its top-left at (x, y).
void DrawFinishedMark(Display& display, int x, int y) {
  constexpr int Points[][2] = {{0, 3}, {1, 4}, {2, 5}, {3, 4}, {4, 3}, {5, 2}, {6, 1}, {7, 0}};
  for (const auto& point : Points) display.FillRect(x + 3 * point[0], y + 3 * point[1], 5, 5, palette::Green);
}

// A triangle 21 pixels wide pointing up or down, its top at y.
void DrawArrow(Display& display, int centreX, int y, bool up) {
  for (int k = 0; k < 11; ++k) {
    const int half = up ? k : 10 - k;
    display.FillRect(centreX - half, y + k, 2 * half + 1, 1, palette::White);
  }
}

}  // namespace

// Home, End, Page Up and Page Down in the level list: Up or Down as many times as they
// move, so that the cursor, ListTop and LevelIndex end where the classic keys would.
bool Game::PlusListJumpKeyDown(uint16_t key) {
  const bool down = key == VkEnd || key == VkPageDown;
  int32_t steps = 0;
  if (key == VkHome || key == VkEnd) steps = LevelFiles.Count();
  if (key == VkPageUp || key == VkPageDown) steps = LevelListRows;
  if (steps == 0) return false;
  for (int32_t i = 0; i < steps; ++i) SelectLevelKeyDown(down ? VkDown : VkUp);
  return true;
}

// Plus's menus stand over the title's scene on their dark pane; the level list lays out
// panes of its own.
void Game::DrawPlusBackdrop() {
  if (Mode == GameMode::SelectLevel)
    return DrawMeadowScene(display_, Anim.SceneTick, ViewHeight - CellHeight);
  // Down to the scene's ground, or past the player list's or the results' last row.
  int paneBottom = MenuPaneBottom;
  if (Mode == GameMode::SelectPlayer)
    paneBottom =
        std::max(MenuPaneBottom, PlusPlayerRows(Players.PlayerCount).TextTop(Players.PlayerCount) + 30);
  if (Mode == GameMode::GameMenu)
    paneBottom = Outcome.RunFailed ? PlusResultTipPaneBottom : PlusResultMenuRows.TextTop(PlusResultRowCount);
  DrawMenuBackdrop(display_, Anim.SceneTick, paneBottom);
}

void Game::DrawPlusMainMenu() {
  // Who is playing, quietly, under the title and in line with the rows.
  display_.DrawCanvasText(MainMenuTextLeft + 16, 92, "Playing as " + Players.PlayerName, palette::LabelGrey);
  ShowString(display_, MainMenuTextLeft, MainMenuRows.TextTop(2), "Players");
  ShowString(display_, MainMenuTextLeft, MainMenuRows.TextTop(3), "Options");
  if (MenuProgress && MenuProgress->Total > 0) {
    ShowString(display_, -1, 290,
               std::to_string(MenuProgress->Finished) + " of " + std::to_string(MenuProgress->Total) +
                   (MenuProgress->Total == 1 ? " level finished" : " levels finished"));
  }
  display_.DrawCanvasText(150, MenuHintsTop, "O options    F1 help    F3 the classic game    Escape quits");
}

// Plus: the third row of "MainMenu" goes back to the player list, in the folder the game
// started in, so that choosing a player writes the roster there and enters Levels again.
void Game::ReturnToPlayers() {
  std::error_code error;
  if (!GameFolder.empty()) std::filesystem::current_path(GameFolder, error);
  if (GameFolder.empty() || error) throw FileError("Cannot open directory " + GameFolder.string());
  Mode = GameMode::SelectPlayer;
  playersFromMenu_ = true;
  MenuCursor = 0;
  for (int i = 1; i <= Players.PlayerCount; ++i) {
    if (Players.PlayerNames[i] == Players.PlayerName) MenuCursor = i;
  }
  LevelRows.clear();
}

// One row of the level list: the name as words, and the player's best time with a mark
// when they have finished the level; with a server, the world record at the left.
void Game::DrawPlusLevelRow(int row, int entry) {
  const int y = PlusLevelMenuRows.TextTop(row);
  const bool known = entry < static_cast<int>(LevelRows.size());
  const LevelRow level = known ? LevelRows[entry] : LevelRow{};
  const std::string time = level.Finished ? StopwatchText(StoredHundredths(level.PlayerBest)) : std::string();
  // The time's ink starts one advance right of where it is drawn, as the name's does.
  const int timeX = LevelTimeRight - StringWidth(time);
  const int nameRight =
      level.Finished ? timeX + static_cast<int>(StringAdvance(time.substr(0, 1))) - NameGap : ListRight - 4;
  ShowString(display_, LevelNameX, y,
             FittedTitle(LevelTitle(LevelFiles.Items[entry]), LevelNameX, nameRight));
  if (!known) return;
  if (level.LevelCrc) {
    const auto record = WorldRecords.find(*level.LevelCrc);
    if (record != WorldRecords.end())
      display_.DrawCanvasText(WorldRecordX, y + 4, StopwatchText(StoredHundredths(record->second.Time)));
  }
  if (!level.Finished) return;
  ShowString(display_, timeX, y, time);
  DrawFinishedMark(display_, MarkX, y + 2);
  const ParTime* par = level.LevelCrc ? FindParTime(*level.LevelCrc) : nullptr;
  if (par != nullptr)
    DrawStar(display_, StarX, y + 10, 6, MedalFor(StoredHundredths(level.PlayerBest), *par));
}

// The heading of the world records' column, and who holds the highlighted level's.
void Game::DrawWorldRecords() {
  if (WorldRecords.empty()) return;
  display_.DrawCanvasText(WorldRecordX, 8, "World record");
  const int entry = ListTop + MenuCursor;
  if (entry < 0 || entry >= static_cast<int>(LevelRows.size()) || !LevelRows[entry].LevelCrc) return;
  const auto record = WorldRecords.find(*LevelRows[entry].LevelCrc);
  if (record != WorldRecords.end()) display_.DrawCanvasText(WorldRecordX, 22, record->second.Player);
}

void Game::DrawPlusSelectLevel() {
  display_.BlendRect(0, 4, ViewWidth, 30, palette::Black, palette::BackingAmount);
  ShowString(display_, -1, 8, "Select Level!");
  // Opaque: the scene's runner and apples pass behind the rows, never under their text.
  display_.FillRect(ListLeft, LevelPaneTop, ListRight - ListLeft, LevelPaneBottom - LevelPaneTop,
                    palette::PanelFill);
  // The pointer first: a world record's time on its row stays readable over it.
  display_.DrawFrame(SheetHelmet, LevelNameX - 36, PlusLevelMenuRows.PointerTop(MenuCursor),
                     Anim.ObjectFrame[ObjectExit]);
  const int32_t count = LevelFiles.Count();
  for (int32_t i = 0; i < LevelListRows && ListTop + i < count; ++i) DrawPlusLevelRow(i, ListTop + i);
  DrawWorldRecords();
  display_.DrawCanvasText(572, 14, std::to_string(ListTop + MenuCursor + 1) + " / " + std::to_string(count));
  if (ListTop > 0) DrawArrow(display_, ArrowX, LevelPaneTop + 2, true);
  if (ListTop + LevelListRows < count) DrawArrow(display_, ArrowX, LevelPaneBottom - 13, false);
  DrawLevelPreview();
  display_.DrawCanvasText(
      67, MenuHintsTop,
      "Return plays    Delete erases times    W watches the record run    Escape back    F1 help");
  if (ListNotice.Shown()) DrawTextCard(display_, LevelPaneBottom - 56, {ListNotice.Text});
}

// The level's name as the title, the ten places by rank, the player's own on a band.
void Game::DrawPlusTopTen() {
  const bool listed = LevelIndex >= 0 && LevelIndex < LevelFiles.Count();
  const std::string title = listed ? LevelTitle(LevelFiles.Items[LevelIndex]) : "Best times";
  ShowStringWithStar(display_, 30, title, RunMedal());
  if (RunPar != nullptr) {
    const std::string targets = MedalTargetsText(*RunPar);
    DrawCanvasTextCentred(display_, 57, targets, palette::LabelGrey);
  }
  const bool none = Best.BestNames[1].empty();  // after a failed first run, say how to set one
  for (int i = 1; i <= BestPlaces && !none; ++i) {
    const int y = 80 + 24 * (i - 1);
    const bool own = !Best.BestNames[i].empty() && Best.BestNames[i] == Players.PlayerName;
    if (own) display_.FillRect(80, y - 4, 480, 28, palette::AmberBand);
    ShowString(display_, i < 10 ? 100 : 85, y, std::to_string(i) + ".");  // the numbers end in one column
    if (Best.BestNames[i].empty()) continue;
    ShowString(display_, 160, y, Best.BestNames[i]);
    const std::string time = StopwatchText(StoredHundredths(Best.BestTime[i]));
    ShowString(display_, 520 - StringWidth(time), y, time);  // the times end in one column
  }
  if (none) {
    ShowString(display_, -1, 150, "No times yet:");
    ShowString(display_, -1, 180, "finish the level to set one");
  }
  display_.DrawCanvasText(270, MenuHintsTop, "Escape goes back");
}

}  // namespace tobu
