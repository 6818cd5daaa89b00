// The files plus's menus show more of: the highlighted level's preview beside the list,
// and the player's progress on the main menu. Each is read on its own, never through the
// game's level or the list's position, and forgotten when its menu is left.
#include <algorithm>
#include <string>
#include <vector>

#include "present/bitmap_text.h"
#include "present/level_map.h"
#include "present/plus_panel.h"
#include "present/text_lines.h"
#include "present/themes.h"
#include "shell/game.h"
#include "sim/clock.h"

namespace tobu {
namespace {

// Right of the level list's pane (shell/plus_menus.cpp), which takes what its rows need.
constexpr int PanelX = 452, PanelY = 40, PanelWidth = 182, PanelHeight = 300;
constexpr int MapX = PanelX + 5, MapY = PanelY + 5, MapSize = PanelWidth - 10;
constexpr int TextX = PanelX - 7;  // ShowString puts its first glyph one advance (15) right of x
constexpr int TextRight = PanelX + PanelWidth - 5;
constexpr int LineHeight = 24;

}  // namespace

void Game::ReadPlusMenuFiles() {
  if (!Plus || Mode != GameMode::SelectLevel) LevelPreviews.clear();
  if (!Plus || Mode != GameMode::MainMenu) MenuProgress.reset();
  if (!Plus) return;
  if (Mode == GameMode::SelectLevel && LevelRows.size() != LevelFiles.Items.size()) {
    LevelRows = ReadLevelRows(LevelFiles, Players.PlayerName);
    LevelPreviews.clear();  // a table written or erased since
  }
  const int entry = ListTop + MenuCursor;
  if (Mode == GameMode::SelectLevel && entry >= 0 && entry < LevelFiles.Count()) {
    const std::string& file = LevelFiles.Items[entry];
    if (!LevelPreviews.contains(file)) LevelPreviews.emplace(file, ReadLevelPreview(file));
  }
  if (Mode == GameMode::MainMenu && !MenuProgress) {
    LevelList levels;
    levels.Read();
    const std::vector<LevelRow> rows = ReadLevelRows(levels, Players.PlayerName);
    // The game's own levels, as the ending counts them: a level of the player's own is no
    // more to finish.
    LevelProgress progress{0, 0};
    for (size_t i = 0; i < rows.size(); ++i) {
      if (!IsShippedLevel(levels.Items[i])) continue;
      ++progress.Total;
      if (rows[i].Finished) ++progress.Finished;
    }
    MenuProgress = progress;
  }
}

// The highlighted level's map, its name, its food and the player's best time there.
void Game::DrawLevelPreview() {
  DrawPlusPanel(display_, PanelX, PanelY, PanelWidth, PanelHeight);
  const int entry = ListTop + MenuCursor;
  if (entry < 0 || entry >= LevelFiles.Count()) return;
  const auto preview = LevelPreviews.find(LevelFiles.Items[entry]);
  if (preview == LevelPreviews.end()) return;
  // Lines that end inside the panel, however long the words.
  const auto showLines = [&](int y, const std::string& text) {
    for (const std::string& line : FitLines(text, TextRight - TextX, 2)) {
      ShowString(display_, TextX, y, line);
      y += LineHeight;
    }
    return y;
  };
  if (preview->second.Readable) {
    DrawLevelMap(display_, MapX, MapY, MapSize, preview->second.Frame, preview->second.Level,
                 preview->second.Theme);
  } else {
    showLines(MapY + MapSize / 2 - LineHeight, "Cannot be read");
  }
  int y = showLines(MapY + MapSize + 10, LevelTitle(LevelFiles.Items[entry]));
  y += LineHeight / 2;
  if (!preview->second.Readable) return;
  const int food = preview->second.FoodCount;
  ShowString(display_, TextX, y, std::to_string(food) + (food == 1 ? " apple" : " apples"));
  y += LineHeight;
  const bool finished = entry < static_cast<int>(LevelRows.size()) && LevelRows[entry].Finished;
  ShowString(
      display_, TextX, y,
      finished ? "Best " + StopwatchText(StoredHundredths(LevelRows[entry].PlayerBest)) : "Unfinished");
}

}  // namespace tobu
