#pragma once
#include <string_view>
#include <vector>

#include "present/sprite_sheet.h"

namespace tobu {

// The looks of plus: each theme repaints the sky and the two tiles, with the sizes,
// frame counts and keys of the game's own sheets, so the same drawing code draws them.
enum Theme : int { ThemeMeadow = 0, ThemeDusk = 1, ThemeCave = 2, ThemeSnow = 3, ThemeCount = 4 };
inline constexpr int ThemedSheets[] = {SheetSky, SheetGrass, SheetGround};
constexpr int ThemedSheetCount = 3;

// The theme a level is drawn in under plus: the shipped levels in groups in their order,
// any other level (the player's own) the first.
Theme LevelTheme(std::string_view levelFile);
// One of the levels the game ships (a file name with ".vel", any letter case).
bool IsShippedLevel(std::string_view levelFile);

// The themed sheets of every theme but the first (the game's own sheets), built into the
// program: ThemedSheetCount per theme, in the order of ThemedSheets.
std::vector<SpriteSheet> LoadEmbeddedThemeSheets();

}  // namespace tobu
