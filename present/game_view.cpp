#include "present/game_view.h"

#include "present/sheets.h"
#include "world/numeric.h"

namespace tobu {
namespace {

constexpr int ViewColumns = 18;  // cells looked at per row and per column of the view
constexpr int DigitsTop = 23;
constexpr int ColonFrame = 10;

// One digit character in one slot; anything but a digit leaves the slot empty.
void DrawDigitChar(Display& display, char c, int x) {
  if (c >= '0' && c <= '9') display.DrawFrame(SheetDigits, x, DigitsTop, c - '0');
}

// A number in a two-digit slot pair: one digit gets a leading 0, more than two keep the first two.
void DrawDigitPair(Display& display, uint8_t value, int x) {
  const std::string text = std::to_string(value);
  if (text.size() == 1) {
    display.DrawFrame(SheetDigits, x, DigitsTop, 0);
    DrawDigitChar(display, text[0], x + 16);
  } else {
    DrawDigitChar(display, text[0], x);
    DrawDigitChar(display, text[1], x + 16);
  }
}

}  // namespace

int32_t SkyOffset(int32_t cameraX) { return cameraX / 1280 - (cameraX % 1280) / 2; }

void DrawSky(Display& display, int32_t skyX) {
  display.DrawFrame(SheetSky, skyX, 0, 0);
  display.DrawFrame(SheetSky, skyX + ViewWidth, 0, 0);
}

void DrawTiles(Display& display, const World& world) { DrawTiles(display, world, CameraOf(world)); }

void DrawTiles(Display& display, const World& world, ViewCamera camera) {
  const int32_t firstColumn = camera.X / CellWidth, firstRow = camera.Y / CellHeight;
  const int32_t shiftX = camera.X % CellWidth, shiftY = camera.Y % CellHeight;
  for (int r = 0; r < ViewColumns; ++r) {
    for (int c = 0; c < ViewColumns; ++c) {
      const int32_t column = firstColumn + c - 1, row = firstRow + r - 1;
      if (!CellInGrid(column, row)) continue;
      const uint8_t code = world.Cell(column, row);
      const int sheet = code == TileGrass ? SheetGrass : code == TileGround ? SheetGround : -1;
      if (sheet < 0) continue;
      display.DrawFrame(sheet, (c - 1) * CellWidth - shiftX, (r - 1) * CellHeight - shiftY, 0);
    }
  }
}

void DrawObject(Display& display, const World& world, const LevelObject& object, const ObjectFrames& frames) {
  DrawObject(display, CameraOf(world), object, frames);
}

void DrawObject(Display& display, ViewCamera camera, const LevelObject& object, const ObjectFrames& frames) {
  // Widened so objects placed far outside the world cannot overflow the test.
  const int64_t sx = int64_t{object.X} - camera.X, sy = int64_t{object.Y} - camera.Y;
  if (sx + 40 <= 0 || sy + 40 <= 0 || sx >= ViewWidth || sy >= ViewHeight) return;
  const int x = static_cast<int>(sx), y = static_cast<int>(sy);
  // Unknown kinds are kept in the file but never drawn.
  if (!FindObjectKind(object.Kind)) return;
  display.DrawFrame(ObjectSheets[object.Kind], x, y, frames[object.Kind]);
}

void DrawStartMarker(Display& display, const World& world) {
  DrawRunnerSheet(display, world, SheetKippo, 0, RoundPixel(world.RunnerX) - 14,
                  RoundPixel(world.RunnerY) - 61);
}

void DrawRunnerSheet(Display& display, const World& world, int sheet, int frame, int32_t left, int32_t top) {
  DrawRunnerSheet(display, CameraOf(world), sheet, frame, left, top);
}

void DrawRunnerSheet(Display& display, ViewCamera camera, int sheet, int frame, int32_t left, int32_t top) {
  display.DrawFrame(sheet, left - camera.X, top - camera.Y, frame);
}

void DrawGhostSheet(Display& display, const World& world, int sheet, int frame, int32_t left, int32_t top) {
  DrawGhostSheet(display, CameraOf(world), sheet, frame, left, top);
}

void DrawGhostSheet(Display& display, ViewCamera camera, int sheet, int frame, int32_t left, int32_t top) {
  display.DrawFrameHalfTransparent(sheet, left - camera.X, top - camera.Y, frame);
}

void DrawClockDigits(Display& display, uint8_t minutes, uint8_t seconds, uint8_t hundredths) {
  DrawDigitPair(display, minutes, 490);
  display.DrawFrame(SheetDigits, 518, DigitsTop, ColonFrame);
  DrawDigitPair(display, seconds, 530);
  display.DrawFrame(SheetDigits, 558, DigitsTop, ColonFrame);
  DrawDigitPair(display, hundredths, 570);
}

void DrawBestTime(Display& display, const std::string& bestTimeText) {
  // Characters 1, 2, 4, 5, 7 and 8 of "00:00:00" fill the digit slots; the colons are drawn, not read.
  const auto character = [&](size_t index, int x) {
    if (index < bestTimeText.size()) DrawDigitChar(display, bestTimeText[index], x);
  };
  character(0, 26);
  character(1, 42);
  display.DrawFrame(SheetDigits, 54, DigitsTop, ColonFrame);
  character(3, 66);
  character(4, 82);
  display.DrawFrame(SheetDigits, 94, DigitsTop, ColonFrame);
  character(6, 106);
  character(7, 122);
}

}  // namespace tobu
