#pragma once
#include <array>
#include <cstdint>
#include <string_view>

namespace tobu {

// The sprite sheets, always addressed by this index. The catalogue below is the one list
// of them: the embedding (cmake/EmbedSheets.cmake reads its rows), the generator's
// painters (assets/generator/painters.h) and the tests follow it.
enum SheetIndex : int {
  SheetKiller = 0,
  SheetSky = 1,
  SheetGrass = 2,
  SheetGround = 3,
  SheetFood = 4,
  SheetExit = 5,
  SheetKippo = 6,
  SheetKippoR = 7,
  SheetKippoRun = 8,
  SheetKippoRunR = 9,
  SheetFon = 10,
  SheetDigits = 11,
  SheetFont = 12,
  SheetHelmet = 13,
  SheetBackdrop = 14,
  SheetDetails = 15,
  SheetCount = 16,
};

struct SheetSpec {
  const char* Name;
  int Width, Height;            // the picture
  int FrameWidth, FrameHeight;  // one frame; frames run left to right
  bool Transparent;
  uint32_t Key;  // colour key as 0xRRGGBB, when Transparent
};

inline constexpr std::array<SheetSpec, SheetCount> SheetCatalogue{{
    {"killer", 1320, 40, 40, 40, true, 0x0094C5},
    {"sky", 640, 480, 640, 480, false, 0},
    {"grass", 40, 31, 40, 31, false, 0},
    {"ground", 40, 31, 40, 31, false, 0},
    {"food", 1360, 40, 40, 40, true, 0x7B9CDE},
    {"exit", 2000, 40, 40, 40, true, 0x6AD5F6},
    {"kippo", 27, 64, 27, 64, true, 0xFF00FF},
    {"kippoR", 27, 64, 27, 64, true, 0xFF00FF},
    {"KippoRun", 552, 64, 46, 64, true, 0xFF00FF},
    {"KippoRunR", 552, 64, 46, 64, true, 0xFF00FF},
    {"fon", 50, 57, 50, 57, false, 0},
    {"digits", 176, 39, 16, 39, true, 0x000000},
    {"Font", 1350, 21, 15, 21, true, 0xFF00FF},
    {"Helmet", 2000, 40, 40, 40, true, 0x147CC7},
    // Only tobu plus draws these two: the sky with far land, and the small details on
    // the tiles (eight standing on a top, four hanging under an overhang).
    {"backdrop", 640, 480, 640, 480, false, 0},
    {"details", 480, 20, 40, 20, true, 0xFF00FF},
}};

constexpr int CatalogueFrameCount(int sheet) {
  const SheetSpec& s = SheetCatalogue[sheet];
  return (s.Width / s.FrameWidth) * (s.Height / s.FrameHeight);
}

// The index of the sheet called `name`; -1 when there is none.
constexpr int SheetNamed(std::string_view name) {
  for (size_t i = 0; i < SheetCatalogue.size(); ++i)
    if (SheetCatalogue[i].Name == name) return static_cast<int>(i);
  return -1;
}

}  // namespace tobu
