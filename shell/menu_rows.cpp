#include "shell/menu_rows.h"

#include <algorithm>

#include "shell/game.h"
#include "shell/menu_layout.h"

namespace tobu {
namespace {

int32_t RowAt(int32_t y, MenuRows rows, int32_t count) {
  const int32_t top = rows.BandTop(0);
  if (y < top) return -1;
  const int32_t row = (y - top) / rows.Spacing;
  return row < count ? row : -1;
}

// Plus's rows only between their columns; classic's (the browser's taps) across the frame.
int32_t RowAt(int32_t x, int32_t y, MenuRows rows, int32_t count, MenuColumns plusColumns, bool plus) {
  return !plus || plusColumns.Hold(x) ? RowAt(y, rows, count) : -1;
}

}  // namespace

int32_t MenuRowAt(const Game& form, int32_t x, int32_t y) {
  const int32_t levelsShown = std::clamp(form.LevelFiles.Count() - form.ListTop, 0, LevelListRows);
  const int32_t players = form.Players.PlayerCount;
  switch (form.Mode) {
    case GameMode::SelectPlayer:
      return RowAt(x, y, form.Plus ? PlusPlayerRows(players) : PlayerMenuRows, players + 1, PlusPlayerColumns,
                   form.Plus);
    case GameMode::MainMenu:
      return RowAt(x, y, MainMenuRows, form.Plus ? 4 : 2, PlusMainMenuColumns, form.Plus);
    case GameMode::SelectLevel:
      // Over the plus list's preview the pointer chooses nothing.
      return RowAt(x, y, form.Plus ? PlusLevelMenuRows : LevelMenuRows, levelsShown, PlusLevelColumns,
                   form.Plus);
    case GameMode::GameMenu:
      return form.Plus ? RowAt(y, PlusResultMenuRows, PlusResultRowCount) : RowAt(y, ResultMenuRows, 2);
    default:
      return -1;
  }
}

int32_t ListArrowAt(const Game& form, int32_t y) {
  if (!form.Plus || form.Mode != GameMode::SelectLevel) return 0;
  const int32_t rowsTop = PlusLevelMenuRows.BandTop(0);
  const int32_t rowsBottom = PlusLevelMenuRows.BandTop(LevelListRows);
  if (y >= LevelPaneTop && y < rowsTop && form.ListTop > 0) return -1;
  if (y >= rowsBottom && y < LevelPaneBottom && form.ListTop + LevelListRows < form.LevelFiles.Count())
    return 1;
  return 0;
}

}  // namespace tobu
