// The bitmap font: yellow glyphs for "!" to "z", rendered from DejaVu Sans
// Bold through SDL_ttf at four times the size and boxed down, so wide
// letters can be narrowed to fit the 15-pixel frame.
#include <SDL.h>
#include <SDL_ttf.h>

#include <cstdio>
#include <cstring>

#include "art.h"

namespace art {
namespace {

constexpr int Oversample = 4, PointSize = 20;
constexpr float Baseline = 15.8f;  // capitals fill rows 1..15 (their shadow row 16), descenders reach row 20
const Rgb Shadow{0.24f, 0.11f, 0.02f};

// Columns of the frame a glyph's ink must stay in; the pen advance differs
// for these characters, so their ink sits where the next one begins.
void InkColumns(char c, int& lo, int& hi) {
  if (std::strchr(".,':;!", c))
    lo = 6, hi = 12;
  else if (std::strchr("()[]", c))
    lo = 5, hi = 11;
  else if (c == 'l')
    lo = 3, hi = 13;
  else
    lo = 1, hi = 13;
}

// Coverage of one glyph at Oversample x the frame's scale.
struct Glyph {
  int W = 0, H = 0, Ascent = 0, InkLeft = 0, InkRight = 0;
  std::vector<float> Alpha;
  float At(float x, float y) const {
    int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
    return ix < 0 || iy < 0 || ix >= W || iy >= H ? 0.0f : Alpha[static_cast<size_t>(iy * W + ix)];
  }
};

Glyph Render(TTF_Font* font, char c) {
  Glyph g;
  SDL_Surface* raw = TTF_RenderGlyph_Blended(font, static_cast<Uint16>(c), SDL_Color{255, 255, 255, 255});
  if (!raw) return g;
  SDL_Surface* s = SDL_ConvertSurfaceFormat(raw, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(raw);
  if (!s) return g;
  g.W = s->w, g.H = s->h, g.Ascent = TTF_FontAscent(font);
  g.Alpha.resize(static_cast<size_t>(g.W * g.H));
  g.InkLeft = g.W, g.InkRight = -1;
  for (int y = 0; y < g.H; ++y) {
    const Uint32* row = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(s->pixels) + y * s->pitch);
    for (int x = 0; x < g.W; ++x) {
      float a = static_cast<float>(row[x] >> 24) / 255.0f;
      g.Alpha[static_cast<size_t>(y * g.W + x)] = a;
      if (a > 0.05f) g.InkLeft = std::min(g.InkLeft, x), g.InkRight = std::max(g.InkRight, x);
    }
  }
  SDL_FreeSurface(s);
  return g;
}

// Boxes the glyph down into a frame, narrowed by `squeeze`, its ink centred
// on column `centre`, with a dark shadow one pixel down and right.
Layer Place(const Glyph& g, float squeeze, float centre) {
  Layer l(15, 21);
  float inkMid = static_cast<float>(g.InkLeft + g.InkRight + 1) / 2;
  auto coverage = [&](float x, float y) {
    float sx = inkMid + (x - centre) * Oversample / squeeze,
          sy = static_cast<float>(g.Ascent) + (y - Baseline) * Oversample;
    return g.At(sx, sy);
  };
  constexpr int n = 8;
  for (int layerPass = 0; layerPass < 2; ++layerPass) {
    float off = layerPass == 0 ? 1.0f : 0.0f;
    for (int y = 0; y < 21; ++y)
      for (int x = 0; x < 15; ++x) {
        float sum = 0;
        for (int j = 0; j < n; ++j)
          for (int i = 0; i < n; ++i)
            sum += coverage(static_cast<float>(x) - off + (static_cast<float>(i) + 0.5f) / n,
                            static_cast<float>(y) - off + (static_cast<float>(j) + 0.5f) / n);
        float a = sum / (n * n);
        if (a <= 0) continue;
        float t = Clamp01((static_cast<float>(y) - 2.0f) / 15.0f);
        Rgb fill = Mix(Rgb{1.0f, 0.96f, 0.40f}, Rgb{0.98f, 0.62f, 0.06f}, t * t);
        l.Over(x, y, layerPass == 0 ? Shadow : fill, a);
      }
  }
  return l;
}

// The first and last columns holding ink that will not become the key.
bool InkSpan(const Layer& l, float keyBelow, int& first, int& last) {
  first = l.W, last = -1;
  for (int y = 0; y < l.H; ++y)
    for (int x = 0; x < l.W; ++x)
      if (l.Cover[l.At(x, y)] >= keyBelow) first = std::min(first, x), last = std::max(last, x);
  return last >= 0;
}

}  // namespace

Sheet DrawFont() {
  Sheet sheet(tobu::SheetFont);
  constexpr float KeyBelow = 0.12f;  // only the faintest fringe becomes the key
  if (TTF_Init() != 0) return sheet;
  TTF_Font* font =
      TTF_OpenFont("/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf", PointSize * Oversample);
  if (!font) font = TTF_OpenFont("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", PointSize * Oversample);
  if (!font) {
    std::fprintf(stderr, "make-sheets: no DejaVu font: %s\n", TTF_GetError());
    TTF_Quit();
    return sheet;
  }
  for (int f = 0; f < sheet.Frames(); ++f) {
    char c = static_cast<char>(f + 33);
    Glyph g = Render(font, c);
    int lo, hi;
    InkColumns(c, lo, hi);
    float squeeze = 1.0f;
    Layer l(15, 21);
    for (int attempt = 0; attempt < 30; ++attempt, squeeze *= 0.95f) {
      l = Place(g, squeeze, static_cast<float>(lo + hi + 1) / 2);
      int first, last;
      if (!InkSpan(l, KeyBelow, first, last) || last - first <= hi - lo) break;
    }
    // Move the ink whole pixels so it sits centred in its columns.
    int first, last;
    if (InkSpan(l, KeyBelow, first, last)) {
      int shift = (lo + hi - first - last) / 2;
      Layer moved(15, 21);
      for (int y = 0; y < 21; ++y)
        for (int x = 0; x < 15; ++x)
          if (x - shift >= 0 && x - shift < 15) {
            moved.Colour[moved.At(x, y)] = l.Colour[l.At(x - shift, y)];
            moved.Cover[moved.At(x, y)] = l.Cover[l.At(x - shift, y)];
          }
      l = moved;
    }
    PlaceFrame(sheet, l, f, Shadow, KeyBelow);
  }
  TTF_CloseFont(font);
  TTF_Quit();
  return sheet;
}

}  // namespace art
