#include "present/meadow_scene.h"

#include "present/plus_palette.h"
#include "present/sheets.h"
#include "world/world.h"

namespace tobu {
namespace {

constexpr int AppleXs[] = {170, 290, 410};
constexpr int DaisyX = 540;
constexpr int ObjectSize = 40;
constexpr int RunnerWidth = 46;
constexpr int RunnerHeight = 64;
// The runner enters at the left edge and leaves past the right one, then comes round again.
constexpr int Lap = ViewWidth + 2 * RunnerWidth;

void DrawGround(Display& display, int groundTop) {
  for (int x = 0; x < ViewWidth; x += CellWidth) {
    display.DrawFrame(SheetGrass, x, groundTop, 0);
    for (int y = groundTop + CellHeight; y < ViewHeight; y += CellHeight)
      display.DrawFrame(SheetGround, x, y, 0);
  }
}

}  // namespace

void DrawMeadowScene(Display& display, int64_t tick, int groundTop) {
  display.DrawFrame(SheetSky, 0, 0, 0);
  DrawGround(display, groundTop);
  const int runnerX = static_cast<int>(tick * 2 % Lap) - RunnerWidth;
  const int frame = static_cast<int>(tick / 3);
  for (const int appleX : AppleXs) {
    if (runnerX + RunnerWidth / 2 < appleX)
      display.DrawFrame(SheetFood, appleX, groundTop - ObjectSize, frame % display.FrameCount(SheetFood));
  }
  display.DrawFrame(SheetExit, DaisyX, groundTop - ObjectSize, frame % display.FrameCount(SheetExit));
  display.DrawFrame(SheetKippoRunR, runnerX, groundTop - RunnerHeight,
                    frame % display.FrameCount(SheetKippoRunR));
}

void DrawMenuBackdrop(Display& display, int64_t tick, int paneBottom) {
  DrawMeadowScene(display, tick, ViewHeight - CellHeight);
  display.BlendRect(MenuPaneLeft, MenuPaneTop, MenuPaneRight - MenuPaneLeft, paneBottom - MenuPaneTop,
                    palette::Black, palette::BackingAmount);
}

}  // namespace tobu
