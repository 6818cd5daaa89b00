#pragma once
#include <cstdint>

namespace tobu {

// Where a menu draws its rows: the text of row 0 at `FirstText`, each next one `Spacing`
// lower, the pointer 36 pixels left of the text and 10 above it. The drawing and the
// pointer's row finder (shell/menu_rows.h) read the same numbers.
struct MenuRows {
  int32_t FirstText;
  int32_t Spacing;

  constexpr int32_t TextTop(int32_t row) const { return FirstText + Spacing * row; }
  constexpr int32_t PointerTop(int32_t row) const { return TextTop(row) - 10; }
};

constexpr MenuRows PlayerMenuRows{90, 24};  // "Create New Player", then the players
constexpr MenuRows MainMenuRows{140, 30};   // "Play", "Editor" (plus: "Players", "Options")
constexpr MenuRows LevelMenuRows{90, 24};
constexpr MenuRows ResultMenuRows{170, 30};  // "Play again", "Best times"
// Plus's level list, on its pane, and its results ("Next level" .. "Level list").
constexpr MenuRows PlusLevelMenuRows{54, 24};
constexpr MenuRows PlusResultMenuRows{250, 30};
constexpr int32_t PlusResultRowCount = 4;

constexpr int32_t LevelListRows = 16;  // rows of the level list on screen
// Plus's level list pane, its scroll arrows inside its top and bottom edges; the preview
// takes the frame right of it.
constexpr int32_t LevelPaneTop = 40, LevelPaneBottom = 452;
constexpr int32_t LevelPaneLeft = 4, LevelPaneRight = 448;

}  // namespace tobu
