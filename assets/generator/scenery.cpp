// The opaque pictures: sky, the two tiles and the menu wallpaper. Every
// texture here repeats over its picture, so copies join without seams.
#include <cmath>

#include "art.h"
#include "noise.h"

namespace art {
namespace {

void FillOpaque(Sheet& sheet, Rgb (*colour)(float, float)) {
  for (int y = 0; y < sheet.Spec.Height; ++y)
    for (int x = 0; x < sheet.Spec.Width; ++x) {
      // Average a 2 x 2 grid per pixel so fine detail stays smooth.
      Rgb sum;
      for (int j = 0; j < 2; ++j)
        for (int i = 0; i < 2; ++i)
          sum = sum + colour(static_cast<float>(x) + 0.25f + 0.5f * static_cast<float>(i),
                             static_cast<float>(y) + 0.25f + 0.5f * static_cast<float>(j));
      sheet.Pixels[sheet.At(x, y)] = sum * 0.25f;
    }
}

constexpr float TileW = 40, TileH = 31;

// Dark blue rock shared by both tiles, so grass and ground also meet cleanly.
Rgb Rock(float x, float y) {
  float n = TiledFractal(x, y, TileW, TileH, 4, 3, 4, 11u);
  float bump = TiledFractal(x + 0.8f, y + 0.8f, TileW, TileH, 4, 3, 4, 11u);
  float stones = TiledFractal(x, y, TileW, TileH, 2, 2, 2, 23u);
  float ridge = Smooth(0.06f, 0.0f, std::fabs(stones - 0.5f));  // dark cracks between stones
  Rgb c = Mix(Rgb{0.08f, 0.10f, 0.24f}, Rgb{0.20f, 0.25f, 0.48f}, n);
  c = c * (1.0f + 2.2f * (n - bump));  // light from the upper left
  return c * (1.0f - 0.45f * ridge);
}

Rgb GrassTile(float x, float y) {
  // Grass depth varies along the tile but repeats every 40 pixels.
  float depth = 8.0f + 3.0f * TiledFractal(x, 0, TileW, TileH, 5, 1, 2, 31u);
  float blade = 0.5f + 0.5f * std::sin(2 * Pi * x / TileW * 13.0f + 3.0f * std::sin(2 * Pi * x / TileW * 3.0f));
  float fringe = depth + 2.0f * blade;
  if (y > fringe + 1.5f) {
    float shadow = Smooth(fringe + 4.5f, fringe + 1.5f, y);
    return Rock(x, y) * (1.0f - 0.55f * shadow);
  }
  float t = Clamp01(y / fringe);
  float speck = TiledFractal(x, y, TileW, TileH, 8, 6, 2, 41u);
  Rgb top{0.45f, 0.85f, 0.22f}, bottom{0.10f, 0.42f, 0.08f};
  Rgb c = Mix(top, bottom, t) * (0.8f + 0.25f * blade + 0.25f * (speck - 0.5f));
  float edge = Smooth(fringe - 0.5f, fringe + 1.5f, y);  // soft lip where grass meets rock
  return Mix(c, Rock(x, y) * 0.45f, edge);
}

Rgb SkyColour(float x, float y) {
  float t = y / 480.0f;
  Rgb sky = Mix(Rgb{0.16f, 0.38f, 0.80f}, Rgb{0.60f, 0.80f, 0.97f}, std::pow(t, 0.8f));
  // Clouds repeat every 640 pixels across, as the sky is drawn twice side by side.
  float n = TiledFractal(x, y * 1.8f, 640, 480 * 1.8f, 5, 4, 5, 7u);
  float band = Smooth(0.0f, 0.25f, t) * Smooth(0.95f, 0.55f, t);
  float cloud = Smooth(0.50f, 0.72f, n * (0.75f + 0.45f * band));
  float shade = TiledFractal(x, y * 1.8f + 6, 640, 480 * 1.8f, 5, 4, 5, 7u);
  Rgb white = Mix(Rgb{1, 1, 1}, Rgb{0.78f, 0.84f, 0.93f}, Clamp01((shade - n) * 6 + 0.3f));
  return Mix(sky, white, cloud);
}

Rgb FonColour(float x, float y) {
  float n = TiledFractal(x, y, 50, 57, 3, 3, 4, 53u);
  float fine = TiledFractal(x, y, 50, 57, 10, 11, 2, 59u);
  Rgb c = Mix(Rgb{0.03f, 0.13f, 0.05f}, Rgb{0.10f, 0.33f, 0.13f}, Smooth(0.25f, 0.75f, n));
  return c * (0.85f + 0.3f * fine);
}

} // namespace

Sheet DrawSky() {
  Sheet sheet(tobu::SheetSky);
  FillOpaque(sheet, SkyColour);
  return sheet;
}

Sheet DrawGrass() {
  Sheet sheet(tobu::SheetGrass);
  FillOpaque(sheet, GrassTile);
  return sheet;
}

Sheet DrawGround() {
  Sheet sheet(tobu::SheetGround);
  FillOpaque(sheet, Rock);
  return sheet;
}

Sheet DrawFon() {
  Sheet sheet(tobu::SheetFon);
  FillOpaque(sheet, FonColour);
  return sheet;
}

} // namespace art
