// A tiny float-RGB rasteriser: shapes are painted with anti-aliased coverage
// into a layer that keeps premultiplied colour plus coverage, so the finished
// frame can be laid over an opaque neutral before the colour key is applied.
#pragma once
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace art {

struct Rgb {
  float r = 0, g = 0, b = 0;
};
inline Rgb operator+(Rgb a, Rgb b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
inline Rgb operator*(Rgb a, float k) { return {a.r * k, a.g * k, a.b * k}; }
inline Rgb Mix(Rgb a, Rgb b, float t) { return a * (1 - t) + b * t; }
inline Rgb Hex(uint32_t rgb) {
  return {static_cast<float>((rgb >> 16) & 255) / 255.0f, static_cast<float>((rgb >> 8) & 255) / 255.0f,
          static_cast<float>(rgb & 255) / 255.0f};
}
inline float Clamp01(float v) { return std::clamp(v, 0.0f, 1.0f); }
inline float Smooth(float a, float b, float x) {
  float t = Clamp01((x - a) / (b - a));
  return t * t * (3 - 2 * t);
}
constexpr float Pi = 3.14159265358979f;

// One frame being drawn: premultiplied colour and coverage per pixel.
struct Layer {
  int W, H;
  std::vector<Rgb> Colour;
  std::vector<float> Cover;
  Layer(int w, int h)
      : W(w), H(h), Colour(static_cast<size_t>(w * h)), Cover(static_cast<size_t>(w * h), 0.0f) {}
  size_t At(int x, int y) const { return static_cast<size_t>(y * W + x); }
  // Lays colour c with coverage a over what is already there.
  void Over(int x, int y, Rgb c, float a) {
    size_t i = At(x, y);
    Colour[i] = Colour[i] * (1 - a) + c * a;
    Cover[i] = Cover[i] * (1 - a) + a;
  }
};

// Paints a shape given by inside(x, y) and shade(x, y) -> Rgb over the box
// [x0, x1) x [y0, y1), sampling each pixel on an n x n grid for smooth edges.
template <class Inside, class Shade>
void Paint(Layer& layer, float x0, float y0, float x1, float y1, Inside inside, Shade shade, int n = 4) {
  int ix0 = std::max(0, static_cast<int>(std::floor(x0)));
  int iy0 = std::max(0, static_cast<int>(std::floor(y0)));
  int ix1 = std::min(layer.W, static_cast<int>(std::ceil(x1)));
  int iy1 = std::min(layer.H, static_cast<int>(std::ceil(y1)));
  for (int y = iy0; y < iy1; ++y) {
    for (int x = ix0; x < ix1; ++x) {
      Rgb sum;
      int hits = 0;
      for (int j = 0; j < n; ++j) {
        for (int i = 0; i < n; ++i) {
          float sx = static_cast<float>(x) + (static_cast<float>(i) + 0.5f) / static_cast<float>(n);
          float sy = static_cast<float>(y) + (static_cast<float>(j) + 0.5f) / static_cast<float>(n);
          if (inside(sx, sy)) {
            sum = sum + shade(sx, sy);
            ++hits;
          }
        }
      }
      if (hits > 0)
        layer.Over(x, y, sum * (1.0f / static_cast<float>(hits)),
                   static_cast<float>(hits) / static_cast<float>(n * n));
    }
  }
}

// Convenience shapes painted in one colour or with a shading function.
template <class Shade>
void Disc(Layer& l, float cx, float cy, float rx, float ry, Shade shade) {
  Paint(
      l, cx - rx, cy - ry, cx + rx, cy + ry,
      [=](float x, float y) {
        float u = (x - cx) / rx, v = (y - cy) / ry;
        return u * u + v * v <= 1;
      },
      shade);
}
// A thick segment with round ends, from (ax, ay) to (bx, by), radius r.
template <class Shade>
void Capsule(Layer& l, float ax, float ay, float bx, float by, float r, Shade shade) {
  float dx = bx - ax, dy = by - ay, len2 = std::max(dx * dx + dy * dy, 1e-6f);
  Paint(
      l, std::min(ax, bx) - r, std::min(ay, by) - r, std::max(ax, bx) + r, std::max(ay, by) + r,
      [=](float x, float y) {
        float t = Clamp01(((x - ax) * dx + (y - ay) * dy) / len2);
        float ex = x - ax - t * dx, ey = y - ay - t * dy;
        return ex * ex + ey * ey <= r * r;
      },
      shade);
}
// A convex or concave polygon, filled by the even-odd rule.
template <class Shade>
void Polygon(Layer& l, const std::vector<float>& xy, Shade shade) {
  float x0 = 1e9f, y0 = 1e9f, x1 = -1e9f, y1 = -1e9f;
  for (size_t i = 0; i < xy.size(); i += 2) {
    x0 = std::min(x0, xy[i]), x1 = std::max(x1, xy[i]);
    y0 = std::min(y0, xy[i + 1]), y1 = std::max(y1, xy[i + 1]);
  }
  Paint(
      l, x0, y0, x1 + 1, y1 + 1,
      [&xy](float x, float y) {
        bool in = false;
        size_t n = xy.size() / 2;
        for (size_t i = 0, j = n - 1; i < n; j = i++) {
          float xi = xy[2 * i], yi = xy[2 * i + 1], xj = xy[2 * j], yj = xy[2 * j + 1];
          if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) in = !in;
        }
        return in;
      },
      shade);
}
inline auto Flat(Rgb c) {
  return [c](float, float) { return c; };
}

}  // namespace art

namespace art {

// Rings a drawn shape with a one-pixel hard outline: every pixel that would
// become background but touches a solid one takes the outline colour.
inline void AddOutline(Layer& l, Rgb outline) {
  std::vector<bool> solid(l.Cover.size());
  for (size_t i = 0; i < solid.size(); ++i) solid[i] = l.Cover[i] >= 0.5f;
  for (int y = 0; y < l.H; ++y)
    for (int x = 0; x < l.W; ++x) {
      if (solid[l.At(x, y)]) continue;
      bool touches = (x > 0 && solid[l.At(x - 1, y)]) || (x + 1 < l.W && solid[l.At(x + 1, y)]) ||
                     (y > 0 && solid[l.At(x, y - 1)]) || (y + 1 < l.H && solid[l.At(x, y + 1)]);
      if (touches) {
        size_t i = l.At(x, y);
        l.Colour[i] = l.Colour[i] + outline * (1 - l.Cover[i]);
        l.Cover[i] = 1;
      }
    }
}

}  // namespace art
