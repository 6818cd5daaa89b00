#pragma once
#include "present/sheets.h"

namespace tobu {

// The editor's five brushes as the player sees them: the sheet whose first frame shows
// the brush, and its name. Brush b (1..5) is row b - 1 and is chosen with the key b.
struct BrushPicture {
  int Sheet;
  const char* Name;
};
inline constexpr BrushPicture BrushPictures[] = {
    {SheetGrass, "grass"},        {SheetGround, "ground"}, {SheetFood, "apple"},
    {SheetKiller, "spiked ball"}, {SheetExit, "daisy"},
};
inline constexpr int BrushCount = 5;

}  // namespace tobu
