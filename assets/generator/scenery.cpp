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

// Stones of the rock: fifteen small stones on a jittered brick bond (five across, three
// rows, each row shifted), measured with wrap-around so every stone that leaves one edge
// comes back on the other. Many small stones of even size keep the repeated tile from
// reading as a lattice.
struct Stones {
  float Nearest, Second;  // distances to the nearest and second centres
  float Dx, Dy;           // from the nearest centre to the point
  int Id;
};
Stones StonesAt(float x, float y) {
  constexpr int Across = 5, Rows = 3;
  // The bond is shifted so that few joints run along the tile's edges, which keeps the
  // step from one copy to the next as soft as the steps inside it.
  constexpr float OffsetX = 4.0f, OffsetY = 5.0f;
  Stones s{1e9f, 1e9f, 0, 0, 0};
  for (int i = 0; i < Across * Rows; ++i) {
    const int column = i % Across, row = i / Across;
    const float shift = 0.37f * static_cast<float>(row);
    float cx =
        (static_cast<float>(column) + shift + 0.15f + 0.7f * Hash01(i, 1, 97u)) * TileW / Across + OffsetX;
    float cy = (static_cast<float>(row) + 0.2f + 0.6f * Hash01(i, 2, 97u)) * TileH / Rows + OffsetY;
    for (int wy = -1; wy <= 1; ++wy)
      for (int wx = -1; wx <= 1; ++wx) {
        float dx = x - (cx + TileW * static_cast<float>(wx)),
              dy = (y - (cy + TileH * static_cast<float>(wy))) * 1.25f;
        float d = std::hypot(dx, dy);
        if (d < s.Nearest)
          s.Second = s.Nearest, s = {d, s.Second, dx, dy, i};
        else if (d < s.Second)
          s.Second = d;
      }
  }
  return s;
}

// Dark blue rock shared by both tiles, so grass and ground also meet cleanly.
Rgb Rock(float x, float y) {
  Stones s = StonesAt(x, y);
  float gap = s.Second - s.Nearest;  // small near the joint between two stones
  float grain = TiledFractal(x, y, TileW, TileH, 8, 6, 3, 11u);
  float tone = 0.9f + 0.2f * Hash01(s.Id, 7, 13u);
  Rgb c = Mix(Rgb{0.10f, 0.13f, 0.30f}, Rgb{0.20f, 0.26f, 0.50f}, grain) * tone;
  // Bevel: the upper-left rim of each stone catches the light.
  float rim = Smooth(2.5f, 0.4f, gap);
  float facing = (-s.Dx * -0.7f + -s.Dy * -0.7f) / std::max(s.Nearest, 0.01f);
  c = c * (1.0f + 0.35f * rim * facing);
  return Mix(c, Rgb{0.05f, 0.06f, 0.14f}, 0.85f * Smooth(1.0f, 0.25f, gap));  // dark joints
}

// Blades of grass along the tile: each hangs a pointed tip over the rock.
float GrassDepth(float x) {
  constexpr int Blades = 13;
  float depth = 6.5f;
  for (int i = 0; i < Blades; ++i) {
    float bx = (static_cast<float>(i) + 0.4f * Hash01(i, 3, 31u)) * TileW / Blades;
    float dx = std::fabs(x - bx);
    dx = std::min(dx, TileW - dx);  // the tile wraps left to right
    float length = 2.5f + 4.5f * Hash01(i, 4, 31u), width = 1.6f + 0.8f * Hash01(i, 5, 31u);
    depth = std::max(depth, 6.5f + length * (1 - dx / width));
  }
  return depth;
}

Rgb GrassTile(float x, float y) {
  float depth = GrassDepth(x);
  if (y > depth + 0.5f) {
    float shadow = Smooth(depth + 4.0f, depth + 0.5f, y);  // the grass shades the rock below it
    return Rock(x, y) * (1.0f - 0.5f * shadow);
  }
  float t = Clamp01(y / depth);
  float streak = TiledFractal(x, y * 0.15f, TileW, TileH, 20, 1, 2, 41u);
  Rgb c = Mix(Rgb{0.52f, 0.90f, 0.26f}, Rgb{0.12f, 0.45f, 0.08f}, t * t);
  c = c * (0.78f + 0.45f * streak);
  return Mix(c, Rgb{0.06f, 0.22f, 0.04f}, Smooth(depth - 1.5f, depth + 0.5f, y));  // darker tips
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

// The wallpaper repeats every 50 x 57 pixels across the whole screen, so it holds no
// feature larger than a few pixels: fine mottling and veins of even density, with no
// dark blob to line up into a checkerboard.
Rgb FonColour(float x, float y) {
  float n = TiledFractal(x, y, 50, 57, 10, 11, 3, 53u);
  float blot = TiledFractal(x, y, 50, 57, 7, 8, 2, 59u);
  float vein = 1 - std::fabs(2 * TiledFractal(x, y, 50, 57, 9, 10, 2, 61u) - 1);  // ridged: thin bright lines
  Rgb c = Mix(Rgb{0.03f, 0.13f, 0.05f}, Rgb{0.08f, 0.27f, 0.10f}, Smooth(0.2f, 0.8f, n));
  c = c * (0.9f + 0.2f * blot);
  return c + Rgb{0.01f, 0.04f, 0.02f} * Smooth(0.8f, 0.98f, vein);
}

}  // namespace

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

}  // namespace art
