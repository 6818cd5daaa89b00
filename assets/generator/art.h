// The painters of the sheets, one function per picture and one for the themed ones (painters.h
// lists them by sheet).
#pragma once
#include "sheet.h"

namespace art {

// The land tobu plus shows behind the tiles (over the sky, in two ranges: far and near),
// and the small details it draws on the tiles' tops and under overhangs.
enum class Landform { Hills, Mesas, Caverns, Peaks };
struct Landscape {
  Landform Form;
  Rgb Far, Near;  // the two ranges before the haze
  float Haze;     // how much of the horizon's colour the far range takes (the near, half)
  Rgb Detail[4];  // the details' colours, by kind: cover, bloom or cap, stone, hanging
};

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
  Rgb CoverEdge;         // a line along the cover's top, where a pale cover meets a pale sky
  float CoverEdgeWidth;  // in pixels; 0: none
  Landscape Land;
};
// The themes in order; the first is the game's own look.
extern const Scenery Themes[];
extern const int ThemeCount;

// Paints rows top to bottom - 1 of `sheet`, one of the themed sheets, in the theme `look`.
// DrawScenery paints every row; the browser paints a few rows at a time (theme_painter.h).
void PaintSceneryRows(Sheet& sheet, const Scenery& look, int top, int bottom);
// The sky's (or the cave wall's) colour at a point of the 640 x 480 picture.
Rgb SkyAt(const Scenery& look, float x, float y);
// The sky with the theme's land over it, at a point of the backdrop (backdrop.cpp).
Rgb BackdropAt(const Scenery& look, float x, float y);
// Every frame of the details sheet (details.cpp).
void PaintDetails(Sheet& sheet, const Scenery& look);

Sheet DrawKiller();
// Themed sheet `index` (one of tobu::ThemedSheets) whole, in the theme `look`.
Sheet DrawScenery(int index, const Scenery& look);
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
