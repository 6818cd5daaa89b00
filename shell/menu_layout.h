#pragma once
#include <algorithm>
#include <cstdint>

namespace tobu {

// Where a menu draws its rows: the text of row 0 at `FirstText`, each next one `Spacing`
// lower, the pointer 36 pixels left of the text and 10 above it. A row's band starts
// `BandAbove` above its text and reaches the next row's. The drawing and the pointer's row
// finder (shell/menu_rows.h) read the same numbers.
struct MenuRows {
  int32_t FirstText;
  int32_t Spacing;
  int32_t BandAbove = 4;

  constexpr int32_t TextTop(int32_t row) const { return FirstText + Spacing * row; }
  constexpr int32_t PointerTop(int32_t row) const { return TextTop(row) - 10; }
  constexpr int32_t BandTop(int32_t row) const { return TextTop(row) - BandAbove; }
};

// The columns a menu's rows are drawn across, the pointer's left edge included: under
// plus the pointer chooses a row only between them.
struct MenuColumns {
  int32_t Left, Right;

  constexpr bool Hold(int32_t x) const { return x >= Left && x < Right; }
};

constexpr MenuRows PlayerMenuRows{90, 24};  // "Create New Player", then the players
constexpr MenuRows MainMenuRows{140, 30};   // "Play", "Editor" (plus: "Players", "Options")
constexpr int32_t MainMenuTextLeft = 280;
// From the pointer to past the widest row, "Options".
constexpr MenuColumns PlusMainMenuColumns{MainMenuTextLeft - 44, MainMenuTextLeft + 140};
constexpr MenuRows LevelMenuRows{90, 24};
constexpr MenuRows ResultMenuRows{170, 30};  // "Play again", "Best times"
// Plus's level list, on its pane, and its results ("Next level" .. "Level list").
constexpr MenuRows PlusLevelMenuRows{54, 24};
constexpr MenuRows PlusResultMenuRows{250, 30};
constexpr int32_t PlusResultRowCount = 4;
// After a failed run, a tip under the rows, the pane lengthened to hold it.
constexpr int32_t PlusResultTipTop = PlusResultMenuRows.TextTop(PlusResultRowCount) + 2;
constexpr int32_t PlusResultTipPaneBottom = PlusResultTipTop + 24;

constexpr int32_t LevelListRows = 16;  // rows of the level list on screen
// Plus's level list pane, its scroll arrows inside its top and bottom edges; the preview
// takes the frame right of it.
constexpr int32_t LevelPaneTop = 40, LevelPaneBottom = 452;
constexpr int32_t LevelPaneLeft = 4, LevelPaneRight = 448;
constexpr MenuColumns PlusLevelColumns{LevelPaneLeft, LevelPaneRight};

// Plus's player list: "Create New Player" and then `players` rows, as far apart as fit
// above the keys' line (34 pixels; 25 with a full roster). Each row's highlight band ends
// `PlusBandGap` short of the next one's, its text in the middle of it.
constexpr int32_t MenuTextHeight = 21;  // the bitmap font's glyphs
constexpr int32_t PlusBandGap = 4;
constexpr MenuRows PlusPlayerRows(int32_t players) {
  const int32_t spacing = std::min(34, 375 / (players + 1));
  return {80, spacing, (spacing - PlusBandGap - MenuTextHeight) / 2};
}
constexpr int32_t PlayerTextLeft = 200;
// From the pointer to past "Create New Player".
constexpr MenuColumns PlusPlayerColumns{PlayerTextLeft - 44, PlayerTextLeft + 284};

}  // namespace tobu
