#pragma once
#include <array>
#include <functional>
#include <iterator>
#include <span>
#include <string_view>
#include <vector>

#include "present/sprite_sheet.h"

namespace tobu {

// The looks of plus: each theme repaints the sky and the two tiles, with the sizes,
// frame counts and keys of the game's own sheets, so the same drawing code draws them.
// A theme's sheets are embedded as NAME-SHEET, e.g. "dusk-sky" (cmake/EmbedThemes.cmake
// reads both lists from their lines here).
enum Theme : int { ThemeMeadow = 0, ThemeDusk = 1, ThemeCave = 2, ThemeSnow = 3, ThemeCount = 4 };
inline constexpr std::string_view ThemeNames[] = {"meadow", "dusk", "cave", "snow"};
inline constexpr std::string_view ThemedSheetNames[] = {"sky", "grass", "ground", "backdrop", "details"};
static_assert(std::size(ThemeNames) == ThemeCount);
constexpr int ThemedSheetCount = static_cast<int>(std::size(ThemedSheetNames));
constexpr auto MakeThemedSheets() {
  std::array<int, std::size(ThemedSheetNames)> sheets{};
  for (size_t i = 0; i < sheets.size(); ++i) sheets[i] = SheetNamed(ThemedSheetNames[i]);
  return sheets;
}
// The catalogue's indices of the themed sheets.
inline constexpr auto ThemedSheets = MakeThemedSheets();

// The theme a level is drawn in under plus: the shipped levels in groups in their order,
// any other level (the player's own) the first.
Theme LevelTheme(std::string_view levelFile);
// One of the levels the game ships (a file name with ".vel", any letter case).
bool IsShippedLevel(std::string_view levelFile);

// Where the themes' sheets come from: the BMP file of themed sheet `index`, counting
// ThemedSheetCount per theme (in the order of ThemedSheets) over every theme but the first
// (the game's own sheets); empty when there is none.
using ThemeSheetSource = std::function<std::span<const unsigned char>(int index)>;

// The sheets of `theme` (not the first), in the order of ThemedSheets, decoded from
// `source`; one it does not have is left empty (the game's own sheet is drawn instead).
std::vector<SpriteSheet> LoadThemeSheets(int theme, const ThemeSheetSource& source);
// The themed sheets of every theme but the first, built into the program.
std::vector<SpriteSheet> LoadEmbeddedThemeSheets();

}  // namespace tobu
