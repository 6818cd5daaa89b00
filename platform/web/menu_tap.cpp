#include "platform/web/menu_tap.h"

#include <algorithm>

namespace tobu {
namespace {

// Rows `spacing` apart whose text starts at `firstText`; a row's band reaches a few
// pixels above its text and down to the next row's.
int32_t RowAt(int32_t y, int32_t firstText, int32_t spacing, int32_t rows) {
  const int32_t top = firstText - 4;
  if (y < top) return -1;
  const int32_t row = (y - top) / spacing;
  return row < rows ? row : -1;
}

}  // namespace

int32_t MenuRowAt(const Game& form, int32_t y) {
  switch (form.Mode) {
    case GameMode::SelectPlayer:
      return RowAt(y, 90, 24, form.Players.PlayerCount + 1);
    case GameMode::MainMenu:
      return RowAt(y, 140, 30, 2);
    case GameMode::SelectLevel:
      return RowAt(y, 90, 24, std::clamp(form.LevelFiles.Count() - form.ListTop, 0, 16));
    case GameMode::GameMenu:
      return form.Plus ? RowAt(y, 140, 30, 3) : RowAt(y, 170, 30, 2);
    default:
      return -1;
  }
}

}  // namespace tobu
