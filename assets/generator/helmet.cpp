// The menu pointer: a red hard hat turning about its vertical axis, ray
// marched through a small distance field and lit from the upper left.
#include <cmath>

#include "art.h"

namespace art {
namespace {

struct V3 {
  float X, Y, Z;
};
V3 operator+(V3 a, V3 b) { return {a.X + b.X, a.Y + b.Y, a.Z + b.Z}; }
V3 operator*(V3 a, float k) { return {a.X * k, a.Y * k, a.Z * k}; }
float Dot(V3 a, V3 b) { return a.X * b.X + a.Y * b.Y + a.Z * b.Z; }
float Length(V3 a) { return std::sqrt(Dot(a, a)); }
V3 Unit(V3 a) { return a * (1.0f / Length(a)); }

// Distances to the parts of the hat in its own frame: y up, the peak toward +z.
float Dome(V3 p) { return std::max(Length({p.X, p.Y / 1.08f, p.Z}) - 12.3f, -p.Y); }
// The ridge runs from the back over the crown and stops short of the badge.
float Ridge(V3 p) {
  return std::max({Length({p.X, p.Y / 1.08f, p.Z}) - 13.2f, std::fabs(p.X) - 1.4f, -p.Y, p.Z - 5.0f});
}
float Brim(V3 p) {
  float flat = std::hypot(p.X, p.Z);
  float front = std::max(0.0f, p.Z / std::max(flat, 0.01f));
  float reach = 14.0f + 4.6f * front * front * front;  // a peak at the front
  return std::max(flat - reach, std::fabs(p.Y + 0.7f) - 0.7f);
}
float Hat(V3 p) { return std::min({Dome(p), Ridge(p), Brim(p)}); }

V3 Normal(V3 p) {
  const float e = 0.05f;
  return Unit({Hat(p + V3{e, 0, 0}) - Hat(p + V3{-e, 0, 0}), Hat(p + V3{0, e, 0}) - Hat(p + V3{0, -e, 0}),
               Hat(p + V3{0, 0, e}) - Hat(p + V3{0, 0, -e})});
}

}  // namespace

Sheet DrawHelmet() {
  Sheet sheet(tobu::SheetHelmet);
  const int frames = sheet.Frames();
  const float tilt = -0.42f;  // seen a little from above
  const V3 light = Unit({-0.5f, 0.7f, 0.6f});
  for (int f = 0; f < frames; ++f) {
    Layer l(40, 40);
    float turn = 2 * Pi * static_cast<float>(f) / static_cast<float>(frames);
    float ct = std::cos(tilt), st = std::sin(tilt), cr = std::cos(turn), sr = std::sin(turn);
    // Camera space to the hat's frame: undo the tilt, then the turn.
    auto toHat = [=](V3 v) {
      V3 t{v.X, v.Y * ct - v.Z * st, v.Y * st + v.Z * ct};
      return V3{t.X * cr - t.Z * sr, t.Y, t.X * sr + t.Z * cr};
    };
    auto toCamera = [=](V3 v) {
      V3 t{v.X * cr + v.Z * sr, v.Y, -v.X * sr + v.Z * cr};
      return V3{t.X, t.Y * ct + t.Z * st, -t.Y * st + t.Z * ct};
    };
    auto hit = [&](float x, float y, V3& where) {
      V3 origin = toHat({x - 20.0f, 22.5f - y, 30.0f}), dir = toHat({0, 0, -1});
      float travelled = 0;
      for (int i = 0; i < 90 && travelled < 60; ++i) {
        V3 p = origin + dir * travelled;
        float d = Hat(p);
        if (d < 0.01f) {
          where = p;
          return true;
        }
        travelled += d;
      }
      return false;
    };
    Paint(
        l, 0, 0, 40, 40,
        [&](float x, float y) {
          V3 p;
          return hit(x, y, p);
        },
        [&](float x, float y) {
          V3 p{0, 0, 0};
          hit(x, y, p);
          V3 n = toCamera(Normal(p));
          float diffuse = std::max(0.0f, Dot(n, light));
          V3 half = Unit(light + V3{0, 0, 1});
          float shine = std::pow(std::max(0.0f, Dot(n, half)), 30.0f);
          Rgb base{0.82f, 0.07f, 0.06f};
          if (Brim(p) < 0.05f && Dome(p) > 0.05f) base = Rgb{0.70f, 0.05f, 0.05f};
          // A white badge on the front shows which way the hat faces.
          V3 dir = Unit(p);
          if (Dome(p) < 0.05f && Ridge(p) > 0.05f && Dot(dir, Unit({0, 0.5f, 1})) > 0.95f)
            base = Rgb{0.95f, 0.93f, 0.88f};
          return base * (0.28f + 0.85f * diffuse) + Rgb{1, 0.95f, 0.92f} * (0.7f * shine);
        });
    PlaceFrame(sheet, l, f, {0.30f, 0.02f, 0.02f});
  }
  return sheet;
}

}  // namespace art
