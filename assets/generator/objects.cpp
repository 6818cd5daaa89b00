// The level objects: the spiked killer, the apple and the daisy.
#include <cmath>

#include "art.h"
#include "noise.h"

namespace art {
namespace {

// Light falls from the upper left on every object.
constexpr float LightX = -0.55f, LightY = -0.65f, LightZ = 0.52f;

// Lambert and a specular term for a sphere point at unit offset (u, v).
void SphereLight(float u, float v, float& diffuse, float& specular) {
  float w = std::sqrt(std::max(0.0f, 1 - u * u - v * v));
  float d = u * LightX + v * LightY + w * LightZ;
  diffuse = std::max(0.0f, d);
  float r = 2 * d * w - LightZ;  // reflected light toward the viewer
  specular = std::pow(std::max(0.0f, r), 18.0f);
}

}  // namespace

Sheet DrawKiller() {
  Sheet sheet(tobu::SheetKiller);
  const int frames = sheet.Frames(), spikes = 10;
  const float cx = 20, cy = 20, body = 11.0f;
  for (int f = 0; f < frames; ++f) {
    Layer l(40, 40);
    // One spike period per loop, so the last frame leads smoothly into the first.
    float turn = 2 * Pi / spikes * static_cast<float>(f) / static_cast<float>(frames);
    for (int s = 0; s < spikes; ++s) {
      float a = turn + 2 * Pi * static_cast<float>(s) / spikes, half = 0.34f;
      float tipR = 19.5f, baseR = 8.0f;
      float tx = cx + tipR * std::cos(a), ty = cy + tipR * std::sin(a);
      float lx = cx + baseR * std::cos(a - half), ly = cy + baseR * std::sin(a - half);
      float rx = cx + baseR * std::cos(a + half), ry = cy + baseR * std::sin(a + half);
      // The face of each spike turned toward the light catches a red glint.
      float ax = std::cos(a), ay = std::sin(a);
      Polygon(l, {tx, ty, lx, ly, rx, ry}, [=](float x, float y) {
        float side = (x - cx) * -ay + (y - cy) * ax;  // signed distance from the spike's ridge
        float facing = (side > 0 ? 1.0f : -1.0f) * (-ay * LightX + ax * LightY);
        float t = Clamp01((std::hypot(x - cx, y - cy) - baseR) / (tipR - baseR));
        Rgb dark{0.06f, 0.06f, 0.07f}, lit{0.62f, 0.12f, 0.10f};
        return Mix(dark, lit, Clamp01(facing) * (0.5f + 0.5f * t));
      });
    }
    Disc(l, cx, cy, body, body, [=](float x, float y) {
      float d, s;
      SphereLight((x - cx) / body, (y - cy) / body, d, s);
      float u = (x - cx) / body, v = (y - cy) / body;
      float edge = std::pow(Clamp01(u * u + v * v), 2.0f);
      float rim = edge * Clamp01(0.7f * u + 0.7f * v);  // red light caught on the lower right
      Rgb c = Rgb{0.06f, 0.06f, 0.07f} + Rgb{0.16f, 0.14f, 0.16f} * d;
      return c + Rgb{1.0f, 0.25f, 0.2f} * s + Rgb{0.55f, 0.06f, 0.05f} * rim;
    });
    PlaceFrame(sheet, l, f, {0.05f, 0.05f, 0.06f});
  }
  return sheet;
}

}  // namespace art

namespace art {
namespace {

// A leaf-shaped lens from a to b, widest (halfWidth) in the middle.
template <class Shade>
void Leaf(Layer& l, float ax, float ay, float bx, float by, float halfWidth, Shade shade) {
  float dx = bx - ax, dy = by - ay, len = std::max(std::hypot(dx, dy), 0.01f);
  Paint(
      l, std::min(ax, bx) - halfWidth, std::min(ay, by) - halfWidth, std::max(ax, bx) + halfWidth,
      std::max(ay, by) + halfWidth,
      [=](float x, float y) {
        float t = ((x - ax) * dx + (y - ay) * dy) / (len * len);
        float d = std::fabs((x - ax) * dy - (y - ay) * dx) / len;
        return t >= 0 && t <= 1 && d <= halfWidth * std::sin(Pi * t);
      },
      shade);
}

}  // namespace

Sheet DrawFood() {
  Sheet sheet(tobu::SheetFood);
  const int frames = sheet.Frames();
  const float cx = 20, cy = 23.5f, rx = 14.5f, ry = 13.5f;
  for (int f = 0; f < frames; ++f) {
    Layer l(40, 40);
    float turn = 2 * Pi * static_cast<float>(f) / static_cast<float>(frames);
    // The leaf sits on the stem and swings round with the apple.
    float leafX = std::cos(turn), leafZ = std::sin(turn);
    float sx = 20.5f, sy = 9.0f, tipX = sx + 10.0f * leafX, tipY = sy - 3.0f - 1.5f * leafZ;
    auto leafShade = [=](float x, float y) {
      float t = Clamp01(std::hypot(x - sx, y - sy) / 10.0f);
      float rib = std::fabs((x - sx) * (tipY - sy) - (y - sy) * (tipX - sx)) /
                  std::max(1.0f, std::hypot(tipX - sx, tipY - sy));
      Rgb c = Mix(Rgb{0.20f, 0.62f, 0.16f}, Rgb{0.45f, 0.80f, 0.22f}, t);
      if (leafZ > 0) c = c * 0.8f;  // the far side of the leaf is in shade
      return rib < 0.5f ? c * 0.7f : c;
    };
    auto drawLeaf = [&] { Leaf(l, sx, sy, tipX, tipY, 3.2f, leafShade); };
    if (leafZ > 0) drawLeaf();
    Paint(
        l, cx - rx, cy - ry - 2, cx + rx, cy + ry,
        [=](float x, float y) {
          float u = (x - cx) / rx, v = (y - cy) / ry;
          bool body = u * u + v * v <= 1;
          float nu = u / 0.30f, nv = (v + 1.05f) / 0.22f;  // the dip round the stem
          return body && nu * nu + nv * nv > 1;
        },
        [=](float x, float y) {
          float u = (x - cx) / rx, v = (y - cy) / ry;
          float d, s;
          SphereLight(u, v, d, s);
          float w = std::sqrt(std::max(0.0f, 1 - u * u - v * v));
          float lon = std::atan2(u, w) + turn;
          float blush = Smooth(0.2f, 0.9f, std::cos(lon - 1.0f));  // a yellow cheek on one side
          float streak = 0.5f + 0.5f * std::sin(lon * 7.0f + v * 3.0f);
          Rgb base =
              Mix(Rgb{0.78f, 0.06f, 0.05f}, Rgb{0.95f, 0.55f, 0.12f}, 0.45f * blush * (1 - std::fabs(v)));
          base = base * (0.9f + 0.1f * streak);
          Rgb c = base * (0.35f + 0.75f * d);
          return c + Rgb{1, 0.95f, 0.9f} * (0.85f * s);
        });
    Capsule(l, 20.0f, 12.5f, 20.8f, 6.0f, 1.1f, [](float x, float) {
      return Mix(Rgb{0.45f, 0.28f, 0.12f}, Rgb{0.25f, 0.14f, 0.06f}, Clamp01(x - 19.5f));
    });
    if (leafZ <= 0) drawLeaf();
    PlaceFrame(sheet, l, f, {0.30f, 0.04f, 0.03f});
  }
  return sheet;
}

Sheet DrawExit() {
  Sheet sheet(tobu::SheetExit);
  const int frames = sheet.Frames(), petals = 12;
  const float cx = 20, cy = 20;
  for (int f = 0; f < frames; ++f) {
    Layer l(40, 40);
    // Two petal periods per loop: a steady, gentle turn.
    float turn = 2 * (2 * Pi / petals) * static_cast<float>(f) / static_cast<float>(frames);
    for (int p = 0; p < petals; ++p) {
      float a = turn + 2 * Pi * static_cast<float>(p) / petals;
      float ax = std::cos(a), ay = std::sin(a);
      Leaf(l, cx + 2.5f * ax, cy + 2.5f * ay, cx + 18.5f * ax, cy + 18.5f * ay, 3.3f, [=](float x, float y) {
        float along = ((x - cx) * ax + (y - cy) * ay) / 18.5f;
        float across = std::fabs((x - cx) * -ay + (y - cy) * ax) / 3.3f;
        float t = Clamp01((along * 18.5f - 2.5f) / 16.0f);
        float edge = Clamp01(across / std::max(0.15f, std::sin(Pi * t)));  // 1 on the petal's rim
        float light = 0.5f - 0.5f * (ax * LightX + ay * LightY);  // petals facing the light are brighter
        Rgb c = Mix(Rgb{0.80f, 0.82f, 0.88f}, Rgb{1, 1, 1}, Smooth(0.1f, 0.6f, along));
        c = c * (0.88f + 0.12f * (1 - light)) * (1 - 0.3f * std::pow(edge, 4.0f));
        return c;
      });
    }
    Disc(l, cx, cy, 6.0f, 6.0f, [=](float x, float y) {
      float d, s;
      SphereLight((x - cx) / 6.0f, (y - cy) / 6.0f, d, s);
      float dots = Hash01(static_cast<int>(x * 2), static_cast<int>(y * 2), 5u);
      Rgb c = Mix(Rgb{0.85f, 0.50f, 0.02f}, Rgb{1.0f, 0.85f, 0.15f}, d) * (0.9f + 0.1f * dots);
      return c + Rgb{1, 1, 0.8f} * (0.5f * s);
    });
    PlaceFrame(sheet, l, f, {0.55f, 0.58f, 0.62f});
  }
  return sheet;
}

}  // namespace art
