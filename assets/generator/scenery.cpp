// The opaque pictures: sky, the two tiles and the menu wallpaper, the first three
// in each theme's colours and materials. Every texture here repeats over its
// picture, so copies join without seams.
#include <algorithm>
#include <cmath>
#include <string_view>

#include "art.h"
#include "noise.h"

namespace art {
namespace {

// Rows top to bottom - 1 of an opaque sheet, each pixel the colour at its position.
template <typename Colour>
void FillOpaque(Sheet& sheet, Colour colour, int top, int bottom) {
  for (int y = std::max(top, 0); y < std::min(bottom, sheet.Spec.Height); ++y)
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

// Rock shared by both tiles, so grass and ground also meet cleanly.
Rgb Rock(const Scenery& look, float x, float y) {
  Stones s = StonesAt(x, y);
  float gap = s.Second - s.Nearest;  // small near the joint between two stones
  float grain = TiledFractal(x, y, TileW, TileH, 8, 6, 3, 11u);
  float tone = 0.9f + 0.2f * Hash01(s.Id, 7, 13u);
  Rgb c = Mix(look.RockDark, look.RockLight, grain) * tone;
  // Bevel: the upper-left rim of each stone catches the light.
  float rim = Smooth(2.5f, 0.4f, gap);
  float facing = (-s.Dx * -0.7f + -s.Dy * -0.7f) / std::max(s.Nearest, 0.01f);
  c = c * (1.0f + 0.35f * rim * facing);
  return Mix(c, look.RockJoint, 0.85f * Smooth(1.0f, 0.25f, gap));  // dark joints
}

// Blades along the top of the tile: each hangs a tip over the rock. Wide, short
// blades make the rounded lumps of snow or moss.
float GrassDepth(const Scenery& look, float x) {
  constexpr int Blades = 13;
  float depth = 6.5f;
  for (int i = 0; i < Blades; ++i) {
    float bx = (static_cast<float>(i) + 0.4f * Hash01(i, 3, 31u)) * TileW / Blades;
    float dx = std::fabs(x - bx);
    dx = std::min(dx, TileW - dx);  // the tile wraps left to right
    float length = (2.5f + 4.5f * Hash01(i, 4, 31u)) * look.BladeLength,
          width = (1.6f + 0.8f * Hash01(i, 5, 31u)) * look.BladeWidth;
    depth = std::max(depth, 6.5f + length * (1 - dx / width));
  }
  return depth;
}

Rgb GrassTile(const Scenery& look, float x, float y) {
  float depth = GrassDepth(look, x);
  if (y > depth + 0.5f) {
    float shadow = Smooth(depth + 4.0f, depth + 0.5f, y);  // the cover shades the rock below it
    return Rock(look, x, y) * (1.0f - 0.5f * shadow);
  }
  float t = Clamp01(y / depth);
  float streak = TiledFractal(x, y * 0.15f, TileW, TileH, 20, 1, 2, 41u);
  Rgb c = Mix(look.CoverTop, look.CoverBottom, t * t);
  c = c * (0.78f + look.CoverStreak * streak);
  c = Mix(c, look.CoverTips, Smooth(depth - 1.5f, depth + 0.5f, y));  // darker tips
  if (look.CoverEdgeWidth > 0)
    c = Mix(look.CoverEdge, c, Smooth(look.CoverEdgeWidth - 0.5f, look.CoverEdgeWidth + 0.5f, y));
  return c;
}

// Specks that repeat over the 640 x 480 picture: snowflakes or stars.
float Specks(float x, float y, uint32_t seed) {
  constexpr float Cell = 16.0f;
  const int cx = static_cast<int>(x / Cell), cy = static_cast<int>(y / Cell);
  if (Hash01(cx, cy, seed) > 0.45f) return 0.0f;
  const float px = (static_cast<float>(cx) + 0.2f + 0.6f * Hash01(cx, cy, seed + 1)) * Cell;
  const float py = (static_cast<float>(cy) + 0.2f + 0.6f * Hash01(cx, cy, seed + 2)) * Cell;
  const float radius = 0.6f + 1.0f * Hash01(cx, cy, seed + 3);
  return Smooth(radius + 0.7f, radius - 0.3f, std::hypot(x - px, y - py));
}

Rgb SkyColour(const Scenery& look, float x, float y) {
  float t = y / 480.0f;
  Rgb sky = Mix(look.SkyTop, look.SkyBottom, std::pow(t, 0.8f));
  // Clouds repeat every 640 pixels across, as the sky is drawn twice side by side.
  float n = TiledFractal(x, y * 1.8f, 640, 480 * 1.8f, 5, 4, 5, 7u);
  float band = Smooth(0.0f, 0.25f, t) * Smooth(0.95f, 0.55f, t);
  float cloud = Smooth(look.CloudFrom, 0.72f, n * (0.75f + 0.45f * band));
  float shade = TiledFractal(x, y * 1.8f + 6, 640, 480 * 1.8f, 5, 4, 5, 7u);
  Rgb white = Mix(look.CloudLit, look.CloudShade, Clamp01((shade - n) * 6 + 0.3f));
  Rgb c = Mix(sky, white, cloud);
  // Stars only where the sky is dark; snow falls all the way down.
  const float high = look.SpecksHigh ? Smooth(0.55f, 0.05f, t) : 1.0f;
  if (look.SpeckAmount > 0) c = Mix(c, look.Speck, look.SpeckAmount * high * Specks(x, y, 71u));
  return c;
}

// A cave's far wall instead of a sky: large dim stones lit from above, darker below.
Rgb CaveWall(const Scenery& look, float x, float y) {
  float t = y / 480.0f;
  float n = TiledFractal(x, y, 640, 480, 8, 6, 5, 83u);
  float ridge = 1 - std::fabs(2 * TiledFractal(x, y, 640, 480, 6, 5, 3, 89u) - 1);
  Rgb c = Mix(look.SkyTop, look.SkyBottom, t) * (0.75f + 0.5f * n);
  c = Mix(c, look.CloudShade, 0.35f * Smooth(0.9f, 0.99f, ridge));  // cracks
  return Mix(c, look.Speck, look.SpeckAmount * Specks(x, y, 97u));  // glints of crystal
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

Rgb SkyAt(const Scenery& look, float x, float y) {
  return look.CaveWall ? CaveWall(look, x, y) : SkyColour(look, x, y);
}

void PaintSceneryRows(Sheet& sheet, const Scenery& look, int top, int bottom) {
  const std::string_view name = sheet.Spec.Name;
  if (name == tobu::SheetCatalogue[tobu::SheetSky].Name) {
    FillOpaque(
        sheet, [&](float x, float y) { return SkyAt(look, x, y); }, top, bottom);
  } else if (name == tobu::SheetCatalogue[tobu::SheetBackdrop].Name) {
    FillOpaque(
        sheet, [&](float x, float y) { return BackdropAt(look, x, y); }, top, bottom);
  } else if (name == tobu::SheetCatalogue[tobu::SheetDetails].Name) {
    // Small enough to paint whole with its first rows.
    if (top == 0) PaintDetails(sheet, look);
  } else if (name == tobu::SheetCatalogue[tobu::SheetGrass].Name) {
    FillOpaque(
        sheet, [&](float x, float y) { return GrassTile(look, x, y); }, top, bottom);
  } else {
    FillOpaque(
        sheet, [&](float x, float y) { return Rock(look, x, y); }, top, bottom);
  }
}

Sheet DrawScenery(int index, const Scenery& look) {
  Sheet sheet(index);
  PaintSceneryRows(sheet, look, 0, sheet.Spec.Height);
  return sheet;
}

Sheet DrawFon() {
  Sheet sheet(tobu::SheetFon);
  FillOpaque(sheet, FonColour, 0, sheet.Spec.Height);
  return sheet;
}

}  // namespace art
