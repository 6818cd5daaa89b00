// The runner: a small figure in a grey helmet, khaki shirt and dark red
// trousers, standing and in a twelve-step run cycle. It is drawn facing left;
// the right-facing sheets are mirror images.
#include <cmath>

#include "art.h"

namespace art {
namespace {

const Rgb Khaki{0.74f, 0.66f, 0.42f}, Trousers{0.50f, 0.08f, 0.10f}, Boot{0.20f, 0.13f, 0.08f};
const Rgb Skin{0.96f, 0.74f, 0.58f}, HelmetGrey{0.62f, 0.64f, 0.68f};
const Rgb Outline{0.10f, 0.08f, 0.09f};

// Angles in radians, measured from straight down; positive swings forward.
struct Limb {
  float Upper, Bend;
};
struct Pose {
  float Lean;        // the trunk tilts forward by this much
  float Flight;      // pixels the soles stay above the ground
  Limb Legs[2];      // far, near; the knee bends backward
  Limb Arms[2];      // far, near; the elbow bends forward
};

struct Point {
  float X, Y;
};
Point Along(Point p, float angle, float length) { return {p.X + length * std::sin(angle), p.Y + length * std::cos(angle)}; }

constexpr float Thigh = 12.5f, Shin = 12.0f, BootR = 2.3f, Trunk = 16.5f, UpperArm = 8.5f, Forearm = 7.5f;

// Shades a limb like a cylinder lit from the upper left (in screen terms).
auto Round(Rgb c, Point a, Point b, float r, float dim) {
  float dx = b.X - a.X, dy = b.Y - a.Y, len = std::max(std::hypot(dx, dy), 0.01f);
  return [=](float x, float y) {
    float side = ((x - a.X) * -dy + (y - a.Y) * dx) / (len * r);  // -1 .. 1 across the limb
    float lit = -(-dy * -0.6f + dx * -0.8f) / len;                // how the +side faces the light
    return c * (dim * (0.85f + 0.3f * side * lit - 0.15f * side * side));
  };
}

// Draws one frame of the figure. Local x runs forward; screenX mirrors it
// so the figure faces left with its trunk centred on cx.
void DrawFigure(Layer& l, const Pose& pose, float cx, float soleY) {
  // Where the soles fall for a hip at height 0 decides the hip height.
  auto sole = [&](const Limb& leg) {
    Point knee = Along({0, 0}, leg.Upper, Thigh), ankle = Along(knee, leg.Upper - leg.Bend, Shin);
    return ankle.Y + BootR;
  };
  float hipY = soleY - pose.Flight - std::max(sole(pose.Legs[0]), sole(pose.Legs[1]));
  Point hip{0, hipY}, shoulder = Along(hip, Pi - pose.Lean, Trunk);
  float shift = -(hip.X + shoulder.X) / 2;  // centre the trunk
  auto screen = [&](Point p) { return Point{cx - (p.X + shift), p.Y}; };

  auto leg = [&](const Limb& limb, float dim) {
    Point knee = Along(hip, limb.Upper, Thigh), ankle = Along(knee, limb.Upper - limb.Bend, Shin);
    Point toe = Along(ankle, limb.Upper - limb.Bend + Pi / 2, 4.5f), heel = Along(ankle, limb.Upper - limb.Bend - Pi / 2, 1.0f);
    Point h = screen(hip), k = screen(knee), a = screen(ankle), t = screen(toe), b = screen(heel);
    Capsule(l, h.X, h.Y, k.X, k.Y, 3.3f, Round(Trousers, h, k, 3.3f, dim));
    Capsule(l, k.X, k.Y, a.X, a.Y, 2.9f, Round(Trousers, k, a, 2.9f, dim));
    Capsule(l, b.X, b.Y, t.X, t.Y, BootR, Round(Boot, b, t, BootR, dim));
  };
  auto arm = [&](const Limb& limb, float dim) {
    Point s = Along(shoulder, 0, 1.5f), elbow = Along(s, limb.Upper, UpperArm), hand = Along(elbow, limb.Upper + limb.Bend, Forearm);
    Point a = screen(s), e = screen(elbow), h = screen(hand);
    Capsule(l, a.X, a.Y, e.X, e.Y, 2.5f, Round(Khaki, a, e, 2.5f, dim));
    Capsule(l, e.X, e.Y, h.X, h.Y, 2.1f, Round(Khaki, e, h, 2.1f, dim));
    Disc(l, h.X, h.Y, 2.0f, 2.0f, Round(Skin, e, h, 2.0f, dim));
  };

  arm(pose.Arms[0], 0.72f);
  leg(pose.Legs[0], 0.72f);
  Point h = screen(hip), s = screen(shoulder);
  Capsule(l, h.X, h.Y - 1, s.X, s.Y + 1, 5.2f, Round(Khaki, h, s, 5.2f, 1.0f));
  Capsule(l, h.X + 4.6f, h.Y, h.X - 4.6f, h.Y, 1.2f, Flat(Rgb{0.28f, 0.18f, 0.10f}));  // belt
  leg(pose.Legs[1], 1.0f);

  // Head with the helmet, turned toward the front (screen left).
  Point head = screen(Along(shoulder, Pi - pose.Lean * 0.5f, 7.0f));
  head.X -= 0.8f;
  Disc(l, head.X, head.Y, 4.6f, 5.2f, [=](float x, float y) {
    return Skin * (0.95f + 0.08f * (head.X - x) / 4.6f - 0.05f * (y - head.Y) / 5.2f);
  });
  Disc(l, head.X - 2.4f, head.Y + 0.2f, 0.8f, 1.0f, Flat(Outline));  // eye
  Paint(l, head.X - 7, head.Y - 8, head.X + 7, head.Y + 1, [=](float x, float y) {
    float u = (x - head.X - 0.3f) / 5.8f, v = (y - head.Y + 0.4f) / 6.4f;
    return u * u + v * v <= 1 && y <= head.Y - 0.4f;
  }, [=](float x, float y) {
    float u = (x - head.X) / 6.0f, v = (y - head.Y) / 6.5f;
    float spec = std::exp(-((u + 0.35f) * (u + 0.35f) + (v + 0.6f) * (v + 0.6f)) * 18.0f);
    return HelmetGrey * (0.8f - 0.25f * u - 0.1f * v) + Rgb{1, 1, 1} * (0.45f * spec);
  });
  Capsule(l, head.X - 7.0f, head.Y - 0.6f, head.X + 5.2f, head.Y - 0.6f, 0.95f, Flat(HelmetGrey * 0.62f));  // brim
  arm(pose.Arms[1], 1.0f);
}

Pose Standing() {
  return {0.03f, 0.0f, {{-0.05f, 0.04f}, {0.06f, 0.04f}}, {{0.18f, 0.35f}, {-0.06f, 0.3f}}};
}

// Step i of the run: legs swing in opposite phase, arms against the legs,
// the knee folds while the leg swings through and straightens to land.
Pose Running(int i) {
  float p = 2 * Pi * static_cast<float>(i) / 12.0f;
  auto leg = [](float q) {
    float fold = std::max(0.0f, std::cos(q));
    return Limb{0.62f * std::sin(q), 0.18f + 1.35f * fold * std::sqrt(fold)};
  };
  auto arm = [](float q) { return Limb{-0.75f * std::sin(q), 1.25f + 0.25f * std::cos(q)}; };
  float flight = 1.6f * std::sin(p) * std::sin(p);
  return {0.20f, flight, {leg(p + Pi), leg(p)}, {arm(p + Pi), arm(p)}};
}

} // namespace

Sheet MirrorFrames(const Sheet& from, int index) {
  Sheet to(index);
  const int fw = to.Spec.FrameWidth;
  for (int y = 0; y < to.Spec.Height; ++y)
    for (int x = 0; x < to.Spec.Width; ++x) {
      int mirrored = (x / fw) * fw + (fw - 1 - x % fw);
      to.Pixels[to.At(x, y)] = from.Pixels[from.At(mirrored, y)];
      to.IsKey[to.At(x, y)] = from.IsKey[from.At(mirrored, y)];
    }
  return to;
}

Sheet DrawKippo(bool facingRight) {
  Sheet sheet(tobu::SheetKippo);
  Layer l(27, 64);
  DrawFigure(l, Standing(), 13.5f, 62.0f);  // soles on row 61, drawn at ry - 61
  PlaceFrame(sheet, l, 0, Outline);
  return facingRight ? MirrorFrames(sheet, tobu::SheetKippoR) : sheet;
}

Sheet DrawKippoRun(bool facingRight) {
  Sheet sheet(tobu::SheetKippoRun);
  for (int i = 0; i < sheet.Frames(); ++i) {
    Layer l(46, 64);
    DrawFigure(l, Running(i), 22.0f, 64.0f);  // soles on row 63, drawn at ry - 64
    PlaceFrame(sheet, l, i, Outline);
  }
  return facingRight ? MirrorFrames(sheet, tobu::SheetKippoRunR) : sheet;
}

} // namespace art
