#include "shell/menu_rows.h"

#include <algorithm>

#include "shell/game.h"
#include "shell/menu_layout.h"

namespace tobu {
namespace {

// A row's band reaches a few pixels above its text and down to the next row's.
constexpr int32_t BandAboveText = 4;

int32_t RowAt(int32_t y, MenuRows rows, int32_t count) {
  const int32_t top = rows.TextTop(0) - BandAboveText;
  if (y < top) return -1;
  const int32_t row = (y - top) / rows.Spacing;
  return row < count ? row : -1;
}

}  // namespace

int32_t MenuRowAt(const Game& form, int32_t y) {
  const int32_t levelsShown = std::clamp(form.LevelFiles.Count() - form.ListTop, 0, LevelListRows);
  switch (form.Mode) {
    case GameMode::SelectPlayer:
      return RowAt(y, PlayerMenuRows, form.Players.PlayerCount + 1);
    case GameMode::MainMenu:
      return RowAt(y, MainMenuRows, form.Plus ? 4 : 2);
    case GameMode::SelectLevel:
      return RowAt(y, form.Plus ? PlusLevelMenuRows : LevelMenuRows, levelsShown);
    case GameMode::GameMenu:
      return form.Plus ? RowAt(y, PlusResultMenuRows, PlusResultRowCount) : RowAt(y, ResultMenuRows, 2);
    default:
      return -1;
  }
}

int32_t ListArrowAt(const Game& form, int32_t y) {
  if (!form.Plus || form.Mode != GameMode::SelectLevel) return 0;
  const int32_t rowsTop = PlusLevelMenuRows.TextTop(0) - BandAboveText;
  const int32_t rowsBottom = PlusLevelMenuRows.TextTop(LevelListRows) - BandAboveText;
  if (y >= LevelPaneTop && y < rowsTop && form.ListTop > 0) return -1;
  if (y >= rowsBottom && y < LevelPaneBottom && form.ListTop + LevelListRows < form.LevelFiles.Count())
    return 1;
  return 0;
}

}  // namespace tobu
