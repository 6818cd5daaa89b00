// The details tobu plus draws on the tiles: eight frames that stand on a tile's top
// (their foot three rows above the frame's bottom, sunk into the tile's cover) and four
// that hang under an overhang (from three rows below the frame's top). Each theme picks
// its kinds; a frame is one or two of them at places and sizes of its own.
#include <vector>

#include "art.h"
#include "noise.h"

namespace art {
namespace {

constexpr float Foot = 17;  // the tile's top, in the standing frames
constexpr float Roof = 3;   // the tile's bottom, in the hanging frames

enum class Kind { None, Tuft, TallTuft, Flower, Pebbles, Mushroom, Crystal, Lump, Spikes, Roots };
struct Part {
  Kind What;
  float X;  // the centre, in frame columns
};
struct Frame {
  Part First, Second;
};

// Which kinds stand on the tiles of each landform, frame by frame, and which hang.
struct Recipe {
  Frame Standing[8];
  Kind Hanging;
};
constexpr Recipe Recipes[] = {
    // Hills: tufts, flowers and pebbles.
    {{{{Kind::Tuft, 12}, {}},
      {{Kind::Flower, 24}, {Kind::Tuft, 29}},
      {{Kind::Pebbles, 16}, {}},
      {{Kind::TallTuft, 20}, {}},
      {{Kind::Flower, 13}, {Kind::Flower, 22}},
      {{Kind::Tuft, 27}, {Kind::Pebbles, 12}},
      {{Kind::Tuft, 8}, {Kind::Tuft, 31}},
      {{Kind::Flower, 19}, {}}},
     Kind::Roots},
    // Mesas: dry grass and stones.
    {{{{Kind::TallTuft, 14}, {}},
      {{Kind::Pebbles, 22}, {}},
      {{Kind::Tuft, 26}, {Kind::Pebbles, 10}},
      {{Kind::TallTuft, 28}, {Kind::Tuft, 12}},
      {{Kind::Pebbles, 14}, {Kind::Pebbles, 30}},
      {{Kind::Tuft, 18}, {}},
      {{Kind::TallTuft, 9}, {Kind::Pebbles, 27}},
      {{Kind::Tuft, 24}, {}}},
     Kind::Roots},
    // Caverns: mushrooms and crystals.
    {{{{Kind::Mushroom, 14}, {}},
      {{Kind::Crystal, 24}, {}},
      {{Kind::Mushroom, 10}, {Kind::Mushroom, 18}},
      {{Kind::Pebbles, 20}, {}},
      {{Kind::Crystal, 12}, {Kind::Crystal, 28}},
      {{Kind::Mushroom, 27}, {Kind::Pebbles, 12}},
      {{Kind::Crystal, 18}, {Kind::Mushroom, 30}},
      {{Kind::Pebbles, 26}, {Kind::Mushroom, 12}}},
     Kind::Spikes},
    // Peaks: lumps of snow and stones.
    {{{{Kind::Lump, 14}, {}},
      {{Kind::Lump, 26}, {Kind::Lump, 11}},
      {{Kind::Pebbles, 18}, {}},
      {{Kind::Lump, 20}, {}},
      {{Kind::Lump, 12}, {Kind::Pebbles, 27}},
      {{Kind::Lump, 9}, {Kind::Pebbles, 28}},
      {{Kind::Lump, 30}, {}},
      {{Kind::Pebbles, 13}, {Kind::Lump, 22}}},
     Kind::Spikes},
};

// A vertical gradient from `low` at the foot to `high` at `top`.
auto Upward(Rgb low, Rgb high, float top) {
  return [=](float, float y) { return Mix(low, high, Clamp01((Foot - y) / (Foot - top))); };
}

void Tuft(Layer& l, float cx, float height, int blades, Rgb colour, uint32_t seed) {
  for (int b = 0; b < blades; ++b) {
    const float bx = cx + 1.7f * (static_cast<float>(b) - static_cast<float>(blades - 1) / 2);
    const float lean = (bx - cx) * 0.9f + 3 * (Hash01(b, 1, seed) - 0.5f);
    const float top = Foot - height * (0.55f + 0.45f * Hash01(b, 2, seed));
    Polygon(l, {bx - 1.1f, Foot + 1, bx + 1.1f, Foot + 1, bx + lean, top},
            Upward(colour * 0.55f, colour * 1.15f, top));
  }
}

void Flower(Layer& l, float cx, Rgb stem, Rgb petal, uint32_t seed) {
  const float head = Foot - 8 - 4 * Hash01(0, 3, seed);
  Capsule(l, cx, Foot + 1, cx + 1, head, 0.6f, Flat(stem * 0.8f));
  constexpr float Petals[][2] = {{0, -2}, {1.9f, -0.6f}, {1.2f, 1.6f}, {-1.2f, 1.6f}, {-1.9f, -0.6f}};
  for (const auto& p : Petals) Disc(l, cx + 1 + p[0], head + p[1], 1.5f, 1.5f, Flat(petal));
  Disc(l, cx + 1, head, 1.1f, 1.1f, Flat(Rgb{0.98f, 0.80f, 0.20f}));
}

void Pebbles(Layer& l, float cx, Rgb stone, uint32_t seed) {
  for (int i = 0; i < 3; ++i) {
    const float rx = 1.8f + 2.2f * Hash01(i, 4, seed), ry = rx * 0.7f;
    const float px = cx + 5.5f * (static_cast<float>(i) - 1) + 1.5f * Hash01(i, 5, seed);
    const float py = Foot - ry + 1.5f;
    Disc(l, px, py, rx, ry, [=](float x, float y) {
      const float lit = Clamp01(0.5f - 0.5f * ((x - px) / rx + (y - py) / ry));
      return stone * (0.6f + 0.7f * lit);
    });
  }
}

void Mushroom(Layer& l, float cx, Rgb stem, Rgb cap, uint32_t seed) {
  const float height = 5 + 5 * Hash01(0, 6, seed), width = 3 + 2 * Hash01(0, 7, seed);
  const float capY = Foot - height;
  Capsule(l, cx, Foot + 1, cx, capY, 1.1f, Upward(stem * 0.7f, stem, capY));
  Paint(
      l, cx - width, capY - width, cx + width, capY + 1,
      [=](float x, float y) {
        const float u = (x - cx) / width, v = (y - capY - 0.5f) / (width * 0.8f);
        return u * u + v * v <= 1 && y <= capY + 0.5f;
      },
      [=](float x, float y) {
        const float spot = Hash01(static_cast<int>(x), static_cast<int>(y), seed) > 0.85f ? 1.0f : 0.0f;
        return Mix(cap * (0.75f + 0.35f * Clamp01((cx - x) / width + 0.5f)), Rgb{1, 1, 0.9f}, 0.6f * spot);
      });
}

void Crystal(Layer& l, float cx, Rgb glow, uint32_t seed) {
  const float height = 7 + 7 * Hash01(0, 8, seed), lean = 4 * (Hash01(0, 9, seed) - 0.5f);
  const float top = Foot - height;
  Polygon(
      l, {cx - 2.2f, Foot + 1, cx - 2.4f, Foot - 3, cx + lean, top, cx + 2.4f, Foot - 3, cx + 2.2f, Foot + 1},
      [=](float x, float y) {
        const Rgb body = Mix(glow * 0.55f, glow, Clamp01((Foot - y) / height));
        return x < cx + lean * (Foot - y) / height ? Mix(body, Rgb{1, 1, 1}, 0.35f) : body;
      });
}

void Lump(Layer& l, float cx, Rgb snow, uint32_t seed) {
  const float rx = 4 + 3 * Hash01(0, 10, seed), ry = 2.5f + 1.5f * Hash01(0, 11, seed);
  Disc(l, cx, Foot - ry + 1.5f, rx, ry,
       [=](float, float y) { return Mix(snow, snow * 0.78f, Clamp01((y - (Foot - 2 * ry)) / (2 * ry))); });
}

void Spikes(Layer& l, Rgb colour, uint32_t seed) {
  for (int i = 0; i < 4; ++i) {
    if (Hash01(i, 12, seed) < 0.25f) continue;
    const float sx = 5 + 10 * static_cast<float>(i) + 4 * Hash01(i, 13, seed);
    const float length = 5 + 11 * Hash01(i, 14, seed), half = 1.4f + 1.2f * Hash01(i, 15, seed);
    Polygon(l, {sx - half, Roof - 1, sx + half, Roof - 1, sx, Roof + length},
            [=](float x, float) { return colour * (x < sx ? 1.1f : 0.8f); });
  }
}

void Roots(Layer& l, Rgb colour, uint32_t seed) {
  for (int i = 0; i < 3; ++i) {
    float x = 6 + 12 * static_cast<float>(i) + 5 * Hash01(i, 16, seed), y = Roof - 1;
    const int bends = 2 + static_cast<int>(3 * Hash01(i, 17, seed));
    for (int b = 0; b < bends; ++b) {
      const float nx = x + 4 * (Hash01(i, 18 + b, seed) - 0.5f), ny = y + 3 + 2 * Hash01(i, 24 + b, seed);
      Capsule(l, x, y, nx, ny, 0.7f - 0.1f * static_cast<float>(b), Flat(colour));
      x = nx, y = ny;
    }
  }
}

void PaintPart(Layer& l, const Landscape& land, const Part& part, uint32_t seed) {
  const Rgb cover = land.Detail[0], bloom = land.Detail[1], stone = land.Detail[2];
  switch (part.What) {
    case Kind::Tuft:
      return Tuft(l, part.X, 7, 5, cover, seed);
    case Kind::TallTuft:
      return Tuft(l, part.X, 12, 7, cover, seed);
    case Kind::Flower:
      return Flower(l, part.X, cover, bloom, seed);
    case Kind::Pebbles:
      return Pebbles(l, part.X, stone, seed);
    case Kind::Mushroom:
      return Mushroom(l, part.X, stone, bloom, seed);
    case Kind::Crystal:
      return Crystal(l, part.X, bloom, seed);
    case Kind::Lump:
      return Lump(l, part.X, cover, seed);
    case Kind::Spikes:
    case Kind::Roots:
    case Kind::None:
      return;
  }
}

}  // namespace

void PaintDetails(Sheet& sheet, const Scenery& look) {
  const Landscape& land = look.Land;
  const Recipe& recipe = Recipes[static_cast<int>(land.Form)];
  const Rgb neutral = look.RockJoint;  // soft edges fade toward the dark of the tiles
  for (int f = 0; f < 12; ++f) {
    Layer l(sheet.Spec.FrameWidth, sheet.Spec.FrameHeight);
    const auto seed = static_cast<uint32_t>(501 + 7 * f);
    if (f < 8) {
      PaintPart(l, land, recipe.Standing[f].First, seed);
      PaintPart(l, land, recipe.Standing[f].Second, seed + 3);
    } else if (recipe.Hanging == Kind::Spikes) {
      Spikes(l, land.Detail[3], seed);
    } else {
      Roots(l, land.Detail[3], seed);
    }
    PlaceFrame(sheet, l, f, neutral);
  }
}

}  // namespace art
