// The backdrop: the theme's sky with two ranges of land over it, far and near, hazed
// toward the horizon's colour so that they stay behind the tiles. Every outline is
// noise that repeats every 640 pixels, as the backdrop is drawn twice side by side like
// the sky. Only arithmetic and square roots: the browser paints the same bytes.
#include <algorithm>
#include <cmath>

#include "art.h"
#include "noise.h"

namespace art {
namespace {

constexpr float Width = 640;

// Smooth noise along the picture's width, 0..1.
float Wave(float x, int cells, int octaves, uint32_t seed) {
  return TiledFractal(x, 0, Width, 1, cells, 1, octaves, seed);
}
// Sharp crests, 0..1: the noise folded about its middle.
float Crest(float x, int cells, int octaves, uint32_t seed) {
  return 1 - std::fabs(2 * Wave(x, cells, octaves, seed) - 1);
}

// The land's colour a little darker with depth below its outline, so a range has a lit rim.
Rgb Range(Rgb colour, float depth) { return colour * (1.05f - 0.25f * Smooth(0, 140, depth)); }

Rgb Hills(Rgb sky, Rgb far, Rgb near, float x, float y) {
  // A far ridge crowned with a tree line, then rolling meadow.
  const float trees = 11 * Wave(x, 70, 2, 401u) + 6 * Wave(x, 23, 1, 402u);
  const float farTop = 222 - 70 * Wave(x, 3, 3, 403u) - trees;
  const float nearTop = 282 - 64 * Wave(x, 3, 3, 404u);
  const float meadow = 0.9f + 0.16f * TiledFractal(x, y, Width, 480, 10, 8, 3, 405u);
  if (y >= nearTop) return Range(near, y - nearTop) * meadow;
  if (y >= farTop) return Range(far, y - farTop) * (1 - 0.1f * Smooth(farTop + 12, farTop, y) * (trees / 17));
  return sky;
}

Rgb Mesas(Rgb sky, Rgb far, Rgb near, float x, float y) {
  // A low sun behind flat-topped rocks, then dunes.
  const float sunDx = x - 430, sunDy = y - 150;
  const float sun = std::sqrt(sunDx * sunDx + sunDy * sunDy);
  sky = Mix(sky, Rgb{1.0f, 0.86f, 0.55f}, 0.55f * Smooth(120, 0, sun));
  sky = Mix(sky, Rgb{1.0f, 0.93f, 0.72f}, Smooth(36, 34, sun));
  const float n = Wave(x, 6, 2, 411u);
  const float mesaTop = 238 - 92 * Smooth(0.55f, 0.6f, n) - 10 * Wave(x, 40, 1, 412u);
  const float duneTop = 290 - 38 * Wave(x, 3, 2, 413u);
  if (y >= duneTop) return Range(near, y - duneTop);
  if (y >= mesaTop) {
    const float strata = 0.92f + 0.08f * Smooth(0.3f, 0.7f, Wave(y * 9, 16, 1, 414u));
    return Range(far, y - mesaTop) * strata;
  }
  return sky;
}

Rgb Caverns(Rgb sky, Rgb far, Rgb near, float x, float y) {
  // Rock hanging from the roof, pillars in the distance and mounds on the floor in a cold
  // mist, these lighter than a killer's dark body, so one in a pit still shows.
  const float hang = Crest(x, 9, 2, 421u);
  const float roofBottom = 22 + 110 * hang * hang * hang;
  if (y <= roofBottom) return Range(far * 0.67f, roofBottom - y);
  const float moundTop = 300 - 55 * Wave(x, 4, 3, 422u);
  if (y >= moundTop) return Range(near, y - moundTop);
  constexpr float Pillars[][2] = {{95, 20}, {330, 14}, {505, 26}};  // centre, half width
  for (const auto& pillar : Pillars) {
    const float flare = 22 * (Smooth(150, 40, y) + Smooth(220, 330, y));
    const float edge = pillar[1] + flare + 3 * Wave(y * 4, 12, 2, 423u);
    const float from = std::fabs(x - pillar[0]);
    if (from < edge) return far * (0.85f + 0.25f * (1 - from / edge));
  }
  return sky;
}

Rgb Peaks(Rgb sky, Rgb far, Rgb near, float x, float y) {
  // Jagged mountains with snow on their upper slopes, their feet lost in the valley's
  // mist, and far below a snowfield in shadow: never as white as the snow on the roads,
  // and dimmer toward the bottom, so a gap between two roads reads as a drop.
  const float crest = Crest(x, 3, 4, 431u);
  const float peakTop = 262 - 150 * crest * crest;
  const float fieldTop = 345 - 14 * Wave(x, 3, 2, 432u);
  if (y >= fieldTop) {
    const float seam = 0.06f * Smooth(3, 0, y - fieldTop);
    return Mix(near * (0.95f - seam), near * 0.62f, Smooth(fieldTop, 490, y));
  }
  const Rgb mist = Mix(far, near, 0.7f);
  if (y >= peakTop) {
    const float snowLine = peakTop + 6 + 24 * crest + 8 * Wave(x, 60, 1, 433u);
    const Rgb rock = Range(far, y - peakTop);
    const Rgb snow = Mix(Rgb{0.96f, 0.97f, 1.0f}, far, 0.25f);
    return Mix(Mix(rock, snow, Smooth(snowLine + 2, snowLine - 2, y)), mist, Smooth(250, fieldTop, y));
  }
  return sky;
}

}  // namespace

Rgb BackdropAt(const Scenery& look, float x, float y) {
  const Landscape& land = look.Land;
  const Rgb sky = SkyAt(look, x, y);
  // Farther is paler: both ranges take on the horizon's colour.
  const Rgb far = Mix(land.Far, look.SkyBottom, land.Haze);
  const Rgb near = Mix(land.Near, look.SkyBottom, land.Haze / 2);
  switch (land.Form) {
    case Landform::Hills:
      return Hills(sky, far, near, x, y);
    case Landform::Mesas:
      return Mesas(sky, far, near, x, y);
    case Landform::Caverns:
      return Caverns(sky, far, near, x, y);
    case Landform::Peaks:
      return Peaks(sky, far, near, x, y);
  }
  return sky;
}

}  // namespace art
