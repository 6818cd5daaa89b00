// The painters of the sheets, one function per picture (painters.h lists them by sheet).
#pragma once
#include "sheet.h"

namespace art {

// The colours and materials of one theme's sky, grass and ground (themes.cpp).
struct Scenery {
  const char* Name;
  Rgb SkyTop, SkyBottom;     // the gradient down the sky (or the cave's wall)
  float CloudFrom;           // lower: more cloud
  Rgb CloudLit, CloudShade;  // clouds (in a cave: the cracks)
  Rgb Speck;                 // snowflakes, stars or glints
  float SpeckAmount;         // 0: none
  bool SpecksHigh;           // only high in the sky (stars)
  bool CaveWall;             // a wall of stone instead of a sky
  Rgb RockDark, RockLight, RockJoint;
  Rgb CoverTop, CoverBottom, CoverTips;  // the grass, snow or moss on the top tile
  float CoverStreak;                     // how streaked the cover is
  float BladeLength, BladeWidth;
};
// The themes in order; the first is the game's own look.
extern const Scenery Themes[];
extern const int ThemeCount;

// Paints rows top to bottom - 1 of `sheet`, a sky, grass or ground sheet, in the theme
// `look`. DrawSky, DrawGrass and DrawGround paint every row; the browser paints a few rows
// at a time (theme_painter.h).
void PaintSceneryRows(Sheet& sheet, const Scenery& look, int top, int bottom);

Sheet DrawKiller();
Sheet DrawSky(const Scenery& look);
Sheet DrawGrass(const Scenery& look);
Sheet DrawGround(const Scenery& look);
Sheet DrawFood();
Sheet DrawExit();
Sheet DrawKippo(bool facingRight);
Sheet DrawKippoRun(bool facingRight);
Sheet DrawFon();
Sheet DrawDigits();
Sheet DrawFont();
Sheet DrawHelmet();

// Mirrors every frame of `from` left to right into a sheet of index `index`, about the
// screen column the runner's frames turn around (see runner.cpp).
Sheet MirrorFrames(const Sheet& from, int index, int fromLeft, int toLeft);

}  // namespace art
