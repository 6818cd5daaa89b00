// The runner: a small figure in a grey helmet, khaki shirt and dark red
// trousers, standing and in a twelve-step run cycle. It is drawn facing left;
// the right-facing sheets are mirror images about one screen column.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

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
  float Lean;    // the trunk tilts forward by this much
  float Flight;  // pixels the soles stay above the ground
  Limb Legs[2];  // far, near; the knee bends backward
  Limb Arms[2];  // far, near; the elbow bends forward
};

struct Point {
  float X, Y;
};
Point Along(Point p, float angle, float length) {
  return {p.X + length * std::sin(angle), p.Y + length * std::cos(angle)};
}

constexpr float Thigh = 12.0f, Shin = 11.5f, BootR = 2.3f, Trunk = 15.5f, UpperArm = 8.0f, Forearm = 7.0f;

struct LegJoints {
  Point Knee, Ankle, Toe, Heel;
};
LegJoints Joints(Point hip, const Limb& leg) {
  float shin = leg.Upper - leg.Bend;
  Point knee = Along(hip, leg.Upper, Thigh), ankle = Along(knee, shin, Shin);
  return {knee, ankle, Along(ankle, shin + Pi / 2, 4.5f), Along(ankle, shin - Pi / 2, 1.0f)};
}

// Shades a limb like a cylinder lit from the upper left (in screen terms).
auto Round(Rgb c, Point a, Point b, float r, float dim) {
  float dx = b.X - a.X, dy = b.Y - a.Y, len = std::max(std::hypot(dx, dy), 0.01f);
  return [=](float x, float y) {
    float side = ((x - a.X) * -dy + (y - a.Y) * dx) / (len * r);  // -1 .. 1 across the limb
    float lit = -(-dy * -0.6f + dx * -0.8f) / len;                // how the +side faces the light
    return c * (dim * (0.85f + 0.3f * side * lit - 0.15f * side * side));
  };
}

// One figure being drawn: its hip and shoulder in local coordinates (x runs
// forward, y down) and the mapping that turns it to face screen left.
struct Figure {
  Layer& L;
  Point Hip, Shoulder;
  float Cx, Shift;
  Point Screen(Point p) const { return {Cx - (p.X + Shift), p.Y}; }
};

void DrawLeg(const Figure& fig, const Limb& limb, float dim) {
  LegJoints j = Joints(fig.Hip, limb);
  Point h = fig.Screen(fig.Hip), k = fig.Screen(j.Knee), a = fig.Screen(j.Ankle);
  Point t = fig.Screen(j.Toe), b = fig.Screen(j.Heel);
  Capsule(fig.L, h.X, h.Y, k.X, k.Y, 3.2f, Round(Trousers, h, k, 3.2f, dim));
  Capsule(fig.L, k.X, k.Y, a.X, a.Y, 2.8f, Round(Trousers, k, a, 2.8f, dim));
  Capsule(fig.L, b.X, b.Y, t.X, t.Y, BootR, Round(Boot, b, t, BootR, dim));
}

void DrawArm(const Figure& fig, const Limb& limb, float dim) {
  Point s = Along(fig.Shoulder, 0, 1.8f), elbow = Along(s, limb.Upper, UpperArm);
  Point hand = Along(elbow, limb.Upper + limb.Bend, Forearm);
  Point a = fig.Screen(s), e = fig.Screen(elbow), h = fig.Screen(hand);
  Capsule(fig.L, a.X, a.Y, e.X, e.Y, 2.4f, Round(Khaki, a, e, 2.4f, dim));
  Capsule(fig.L, e.X, e.Y, h.X, h.Y, 2.0f, Round(Khaki, e, h, 2.0f, dim));
  Disc(fig.L, h.X, h.Y, 2.1f, 2.1f, Round(Skin, e, h, 2.1f, dim));
}

// The shirt: a trunk wider at the shoulders, with a belt at the hip.
void DrawTrunk(const Figure& fig, float lean) {
  float ax = std::sin(lean), ay = -std::cos(lean);  // up the trunk, local
  auto across = [&](Point p, float w) { return fig.Screen({p.X - ay * w, p.Y + ax * w}); };
  Point hipTop = Along(fig.Hip, Pi - lean, 1.0f), chest = Along(fig.Shoulder, 0, 1.0f);
  Point p0 = across(hipTop, 4.8f), p1 = across(chest, 5.6f), p2 = across(chest, -5.0f),
        p3 = across(hipTop, -4.6f);
  Point h = fig.Screen(fig.Hip), s = fig.Screen(fig.Shoulder);
  Polygon(fig.L, {p0.X, p0.Y, p1.X, p1.Y, p2.X, p2.Y, p3.X, p3.Y}, Round(Khaki, h, s, 5.5f, 1.0f));
  Point f = across(chest, 3.0f), b = across(chest, -2.6f);  // round shoulders
  Capsule(fig.L, f.X, f.Y, b.X, b.Y, 2.6f, Round(Khaki, h, s, 5.5f, 1.0f));
  Point bf = across(fig.Hip, 4.8f), bb = across(fig.Hip, -4.6f);
  Capsule(fig.L, bf.X, bf.Y, bb.X, bb.Y, 1.1f, Flat(Rgb{0.30f, 0.19f, 0.10f}));
}

// Head and grey helmet, the face toward screen left.
void DrawHead(const Figure& fig, float lean) {
  Point neck = fig.Screen(Along(fig.Shoulder, Pi - lean, 1.0f));
  Point head = fig.Screen(Along(fig.Shoulder, Pi - lean * 0.5f, 6.8f));
  head.X -= 0.6f;
  Capsule(fig.L, neck.X, neck.Y, head.X, head.Y, 2.2f, Flat(Skin * 0.85f));
  Disc(fig.L, head.X, head.Y, 5.0f, 5.4f, [=](float x, float y) {
    return Skin * (0.95f + 0.1f * (head.X - x) / 5.0f - 0.06f * (y - head.Y) / 5.4f);
  });
  Disc(fig.L, head.X - 5.0f, head.Y + 1.2f, 1.3f, 1.3f, Flat(Skin * 0.95f));  // nose
  Disc(fig.L, head.X - 2.6f, head.Y + 0.9f, 0.75f, 1.1f, Flat(Outline));      // eye
  Paint(
      fig.L, head.X - 8, head.Y - 9, head.X + 8, head.Y + 1,
      [=](float x, float y) {
        float u = (x - head.X - 0.3f) / 6.3f, v = (y - head.Y + 0.8f) / 6.8f;
        return u * u + v * v <= 1 && y <= head.Y - 0.8f;
      },
      [=](float x, float y) {
        float u = (x - head.X) / 6.3f, v = (y - head.Y) / 6.8f;
        float shine = std::exp(-((u + 0.35f) * (u + 0.35f) + (v + 0.6f) * (v + 0.6f)) * 16.0f);
        return HelmetGrey * (0.85f - 0.25f * u - 0.1f * v) + Rgb{1, 1, 1} * (0.5f * shine);
      });
  Capsule(fig.L, head.X - 7.6f, head.Y - 1.0f, head.X + 6.0f, head.Y - 1.0f, 1.0f,
          Flat(HelmetGrey * 0.6f));  // brim
}

// Draws one frame of the figure with its soles on soleY (before the outline)
// and its trunk centred on cx.
void DrawFigure(Layer& l, const Pose& pose, float cx, float soleY) {
  // Where the soles fall for a hip at height 0 decides the hip height.
  auto sole = [&](const Limb& leg) {
    LegJoints j = Joints({0, 0}, leg);
    return std::max({j.Ankle.Y, j.Toe.Y, j.Heel.Y}) + BootR;
  };
  float hipY = soleY - pose.Flight - std::max(sole(pose.Legs[0]), sole(pose.Legs[1]));
  Point hip{0, hipY}, shoulder = Along(hip, Pi - pose.Lean, Trunk);
  Figure fig{l, hip, shoulder, cx, -(hip.X + shoulder.X) / 2};
  DrawArm(fig, pose.Arms[0], 0.7f);
  DrawLeg(fig, pose.Legs[0], 0.7f);
  DrawTrunk(fig, pose.Lean);
  DrawLeg(fig, pose.Legs[1], 1.0f);
  DrawHead(fig, pose.Lean);
  DrawArm(fig, pose.Arms[1], 1.0f);
  AddOutline(l, Outline);
}

Pose Standing() {
  return {0.03f, 0.0f, {{0.20f, 0.08f}, {-0.10f, 0.02f}}, {{0.22f, 0.35f}, {-0.05f, 0.25f}}};
}

// Step i of the run: legs swing in opposite phase, arms against the legs,
// the knee folds while the leg swings through and straightens to land.
Pose Running(int i) {
  float p = 2 * Pi * static_cast<float>(i) / 12.0f;
  auto leg = [](float q) {
    float fold = std::max(0.0f, std::cos(q));
    return Limb{0.62f * std::sin(q), 0.18f + 1.35f * fold * std::sqrt(fold)};
  };
  auto arm = [](float q) { return Limb{0.05f - 0.7f * std::sin(q), 1.45f - 0.25f * std::sin(q)}; };
  // No flight phase: the lower sole touches the floor in every frame, so the feet never
  // leave the ground row the standing frame uses.
  return {0.20f, 0.0f, {leg(p + Pi), leg(p)}, {arm(p + Pi), arm(p)}};
}

}  // namespace

// The game draws each frame's top-left corner this many pixels left of the runner's x.
constexpr int StandingLeft = 14, RunningLeft = 21, RunningRightLeft = 23;

// Every frame of `from` (drawn `fromLeft` pixels left of the runner's x) mirrored about
// the screen column x - 0.5, the standing figure's own axis, into a sheet drawn `toLeft`
// pixels left of it. One axis for all the sheets keeps the head in place when the
// runner starts or stops running in either direction.
Sheet MirrorFrames(const Sheet& from, int index, int fromLeft, int toLeft) {
  Sheet to(index);
  const int fw = to.Spec.FrameWidth, sum = fromLeft + toLeft - 1;  // column c lands on sum - c
  std::fill(to.IsKey.begin(), to.IsKey.end(), true);
  for (int y = 0; y < from.Spec.Height; ++y)
    for (int x = 0; x < from.Spec.Width; ++x) {
      if (from.IsKey[from.At(x, y)]) continue;
      const int mirrored = sum - x % fw;
      if (mirrored < 0 || mirrored >= fw) {
        std::fprintf(stderr, "make-sheets: %s would lose a pixel at column %d\n", to.Spec.Name, x);
        std::exit(1);
      }
      to.Pixels[to.At((x / fw) * fw + mirrored, y)] = from.Pixels[from.At(x, y)];
      to.IsKey[to.At((x / fw) * fw + mirrored, y)] = false;
    }
  return to;
}

Sheet DrawKippo(bool facingRight) {
  Sheet sheet(tobu::SheetKippo);
  Layer l(27, 64);
  // Outlined soles on row 60, drawn at ry - 61: the same screen row, ry - 1, as the
  // running frames' row 63 drawn at ry - 64, so starting to run does not lift the feet.
  DrawFigure(l, Standing(), 13.5f, 60.0f);
  PlaceFrame(sheet, l, 0, Outline);
  return facingRight ? MirrorFrames(sheet, tobu::SheetKippoR, StandingLeft, StandingLeft) : sheet;
}

Sheet DrawKippoRun(bool facingRight) {
  Sheet sheet(tobu::SheetKippoRun);
  for (int i = 0; i < sheet.Frames(); ++i) {
    Layer l(46, 64);
    DrawFigure(l, Running(i), 22.0f, 63.0f);  // outlined soles on row 63, drawn at ry - 64
    PlaceFrame(sheet, l, i, Outline);
  }
  return facingRight ? MirrorFrames(sheet, tobu::SheetKippoRunR, RunningLeft, RunningRightLeft) : sheet;
}

}  // namespace art
