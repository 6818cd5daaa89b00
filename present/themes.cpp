#include "present/themes.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <utility>

#include "present/embedded_theme_sheets.h"

namespace tobu {
namespace {

// The shipped levels, each with its theme: a new shipped level is one more row.
struct ShippedLevel {
  const char* File;
  Theme Look;
};
constexpr ShippedLevel ShippedLevels[] = {
    {"01-first-steps.vel", ThemeMeadow},  {"02-ledge-food.vel", ThemeMeadow},
    {"03-mind-the-gap.vel", ThemeMeadow}, {"04-killer-field.vel", ThemeMeadow},
    {"05-long-run.vel", ThemeMeadow},     {"06-the-climb.vel", ThemeMeadow},
    {"07-caves.vel", ThemeCave},          {"08-whole-world.vel", ThemeCave},
    {"09-killer-pits.vel", ThemeCave},    {"10-summit.vel", ThemeCave},
    {"11-guarded-exit.vel", ThemeCave},   {"12-top-of-arc.vel", ThemeCave},
    {"13-single-steps.vel", ThemeCave},   {"14-steer-falls.vel", ThemeCave},
    {"15-fast-or-safe.vel", ThemeDusk},   {"16-guarded-roads.vel", ThemeDusk},
    {"17-low-tunnels.vel", ThemeDusk},    {"18-tunnel-pits.vel", ThemeDusk},
    {"19-out-and-back.vel", ThemeDusk},   {"20-long-way-down.vel", ThemeDusk},
    {"21-arc-pits.vel", ThemeDusk},       {"22-guarded-drops.vel", ThemeDusk},
    {"23-deep-tunnels.vel", ThemeSnow},   {"24-three-roads.vel", ThemeSnow},
    {"25-full-height.vel", ThemeSnow},    {"26-tunnel-climb.vel", ThemeSnow},
    {"27-four-roads.vel", ThemeSnow},     {"28-grand-tour.vel", ThemeSnow},
    {"29-long-ascent.vel", ThemeSnow},    {"30-last-descent.vel", ThemeSnow},
};

// The level list ignores letter case, so the table does too.
bool SameName(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  });
}

}  // namespace

Theme LevelTheme(std::string_view levelFile) {
  for (const ShippedLevel& level : ShippedLevels) {
    if (SameName(levelFile, level.File)) return level.Look;
  }
  return ThemeMeadow;
}

bool IsShippedLevel(std::string_view levelFile) {
  return std::any_of(std::begin(ShippedLevels), std::end(ShippedLevels),
                     [levelFile](const ShippedLevel& level) { return SameName(levelFile, level.File); });
}

std::vector<SpriteSheet> LoadThemeSheets(int theme, const ThemeSheetSource& source) {
  std::vector<SpriteSheet> sheets;
  for (int k = 0; k < ThemedSheetCount; ++k) {
    const SheetSpec& spec = SheetCatalogue[ThemedSheets[k]];
    const std::span<const unsigned char> bytes = source((theme - 1) * ThemedSheetCount + k);
    // A theme not painted yet draws in the game's own sheets.
    sheets.push_back(bytes.empty() ? SpriteSheet{}
                                   : MakeSpriteSheet(ReadPalettedBmp(bytes, spec.Name), spec));
  }
  return sheets;
}

std::vector<SpriteSheet> LoadEmbeddedThemeSheets() {
  std::vector<SpriteSheet> sheets;
  for (int theme = 1; theme < ThemeCount; ++theme) {
    for (SpriteSheet& sheet : LoadThemeSheets(theme, EmbeddedThemeSheet)) sheets.push_back(std::move(sheet));
  }
  return sheets;
}

}  // namespace tobu
