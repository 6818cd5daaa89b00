// The themes: each theme's sheets are built in with the sizes and frames of the game's own,
// and the shipped levels fall into the themes in order.
#include "present/themes.h"

#include <gtest/gtest.h>

#include <string>

namespace tobu {
namespace {

TEST(Themes, EverySheetIsBuiltInWithTheGameSheetsSize) {
  const std::vector<SpriteSheet> sheets = LoadEmbeddedThemeSheets();
  ASSERT_EQ(sheets.size(), static_cast<size_t>((ThemeCount - 1) * ThemedSheetCount));
  for (size_t i = 0; i < sheets.size(); ++i) {
    const SheetSpec& own = SheetCatalogue[ThemedSheets[i % ThemedSheetCount]];
    SCOPED_TRACE(std::to_string(i) + " " + own.Name);
    EXPECT_EQ(sheets[i].Width, own.Width);
    EXPECT_EQ(sheets[i].Height, own.Height);
    EXPECT_EQ(sheets[i].Frames, CatalogueFrameCount(ThemedSheets[i % ThemedSheetCount]));
    EXPECT_EQ(sheets[i].Transparent, own.Transparent);
  }
}

TEST(Themes, ShippedLevelsInOrderAndTheirOwnLevelsInTheFirst) {
  const struct {
    const char* File;
    Theme Expected;
  } cases[] = {
      {"01-first-steps.vel", ThemeMeadow}, {"06-the-climb.vel", ThemeMeadow},
      {"07-caves.vel", ThemeCave},         {"14-steer-falls.vel", ThemeCave},
      {"15-fast-or-safe.vel", ThemeDusk},  {"22-guarded-drops.vel", ThemeDusk},
      {"23-deep-tunnels.vel", ThemeSnow},  {"30-LAST-DESCENT.VEL", ThemeSnow},
      {"my-level.vel", ThemeMeadow},       {"", ThemeMeadow},
  };
  for (const auto& c : cases) EXPECT_EQ(LevelTheme(c.File), c.Expected) << c.File;
}

}  // namespace
}  // namespace tobu
