#include "present/plus_view.h"

#include <algorithm>
#include <array>

#include "present/bitmap_text.h"
#include "present/object_sheets.h"
#include "present/plus_hud.h"
#include "present/plus_medal.h"
#include "present/sheets.h"

namespace tobu {
namespace {

constexpr uint16_t Black = 0x0000, White = 0xFFFF, Red = 0xF800, Yellow = 0xFFE0;
constexpr std::array<uint16_t, 4> Petals{0xFFFF, 0xFE19, 0xFFE0, 0xFB56};
constexpr std::array<uint16_t, 4> Confetti{0xF800, 0xFFE0, 0x07E0, 0x041F};
constexpr uint16_t RimGlow = 0xA9A6, RimLine = 0xFED6;  // a deep orange, a pale amber

// Eight directions, a tenth of a pixel per step: the same star for sparks and petals.
struct Step {
  int32_t X, Y;
};
constexpr std::array<Step, 8> Star{
    {{10, 0}, {7, 7}, {0, 10}, {-7, 7}, {-10, 0}, {-7, -7}, {0, -10}, {7, -7}}};

void Square(Display& display, int32_t cx, int32_t cy, int32_t size, uint16_t colour) {
  display.FillRect(cx - size / 2, cy - size / 2, size, size, colour);
}

// A frame of `thickness` pixels just inside a w x h box.
void Frame(Display& display, int32_t x, int32_t y, int32_t w, int32_t h, int32_t thickness, uint16_t colour) {
  display.FillRect(x, y, w, thickness, colour);
  display.FillRect(x, y + h - thickness, w, thickness, colour);
  display.FillRect(x, y, thickness, h, colour);
  display.FillRect(x + w - thickness, y, thickness, h, colour);
}

// Confetti piece `i` at height y: swaying about a column of its own, in one of four colours.
void DrawConfetti(Display& display, int32_t i, int32_t y, int32_t age) {
  const int32_t x = (i * 83 + 17) % ViewWidth + (age / 4 + i) % 7 - 3;
  display.FillRect(x, y, 9, 6, Confetti[static_cast<size_t>(i) % Confetti.size()]);
}

constexpr int32_t BannerLineHeight = 28;

}  // namespace

void DrawLevelBanner(Display& display, const std::string& title, bool withGoal, bool withKeys, int32_t top) {
  const int32_t lines = 1 + int32_t{withGoal} + int32_t{withKeys};
  display.BlendRect(0, top, ViewWidth, 6 + BannerLineHeight * lines, Black, 144);
  ShowString(display, -1, top + 6, title);
  int32_t y = top + 6;
  if (withGoal) ShowString(display, -1, y += BannerLineHeight, "Eat every apple, then reach the daisy");
  if (withKeys) ShowString(display, -1, y += BannerLineHeight, "Left/Right run, Space jumps");
}

void DrawBurst(Display& display, ViewCamera camera, int32_t x, int32_t y, int32_t age, int32_t length) {
  // The tick that eats a food still shows it: a spark over it would make a patterned ball.
  if (age <= 0 || age >= length) return;
  constexpr std::array<Step, 12> Ways{{{10, 0},
                                       {9, 5},
                                       {5, 9},
                                       {0, 10},
                                       {-5, 9},
                                       {-9, 5},
                                       {-10, 0},
                                       {-9, -5},
                                       {-5, -9},
                                       {0, -10},
                                       {5, -9},
                                       {9, -5}}};
  constexpr std::array<int32_t, 5> Speeds{30, 22, 36, 26, 33};       // tenths of a pixel a tick
  constexpr std::array<uint16_t, 3> Colours{White, Yellow, 0xFD20};  // and a gold
  const int32_t cx = x - camera.X, cy = y - camera.Y;
  const int32_t size = 4 - 3 * age / length;  // 4 pixels across, shrinking to 2
  // Bright for the first half, then fading out.
  const auto fade = static_cast<uint8_t>(std::min(255, 510 * (length - age) / length));
  for (size_t i = 0; i < Ways.size(); ++i) {
    // From the food's rim, slowing as they go, falling a little, fading out.
    const int32_t speed = Speeds[i % Speeds.size()];
    const int32_t reach = 16 + speed * age * (2 * length - age) / (20 * length);
    const int32_t drop = age * age / 48;
    const int32_t sx = cx + Ways[i].X * reach / 10, sy = cy + Ways[i].Y * reach / 10 + drop;
    display.BlendRect(sx - size / 2, sy - size / 2, size, size, Colours[i % Colours.size()], fade);
    // A fainter point behind it, so each spark reads as moving.
    const int32_t tx = cx + Ways[i].X * (reach - 5) / 10, ty = cy + Ways[i].Y * (reach - 5) / 10 + drop;
    display.BlendRect(tx - 1, ty - 1, 2, 2, Colours[i % Colours.size()], fade / 2);
  }
}

void DrawBloom(Display& display, ViewCamera camera, const LevelObject& exit, int32_t age, int32_t length) {
  const int32_t cx = exit.X + 20 - camera.X, cy = exit.Y + 20 - camera.Y;
  const int32_t reach = age < length ? 8 + 20 * age / length : 28;
  for (size_t i = 0; i < Star.size(); ++i) {
    Square(display, cx + Star[i].X * reach / 10, cy + Star[i].Y * reach / 10, 6, Petals[i % Petals.size()]);
  }
  if (age < length) display.BlendRect(cx - reach, cy - reach, 2 * reach, 2 * reach, White, 64);
}

int32_t ShakeOffset(int32_t age) {
  constexpr std::array<int32_t, 4> Swing{3, 0, -3, 0};
  return age < 0 ? 0 : Swing[static_cast<size_t>(age) % Swing.size()];
}

ViewCamera DeathShake(int32_t age, int32_t length) {
  if (age < 0 || age >= length) return {};
  // Sideways and a little up and down, turning every second tick, the reach falling to 0.
  const int32_t reach = 5 * (length - age) / length;
  const int32_t side = age / 2 % 2 == 0 ? 1 : -1;
  return {side * reach, (age / 2 % 3 - 1) * reach / 2};
}

void DrawKillerMark(Display& display, ViewCamera camera, const LevelObject& killer, int32_t age) {
  const int32_t grow = age / 6 % 2 * 4;
  const int32_t x = killer.X - camera.X - 6 - grow, y = killer.Y - camera.Y - 6 - grow, size = 52 + 2 * grow;
  Frame(display, x - 2, y - 2, size + 4, size + 4, 2, White);
  Frame(display, x, y, size, size, 3, Yellow);
}

void DrawObjectRim(Display& display, ViewCamera camera, const LevelObject& object, int32_t frame) {
  if (!FindObjectKind(object.Kind)) return;
  // A warm glow two pixels out, then a pale line one pixel out, hugging the picture.
  constexpr Step Glow[] = {{2, 0}, {-2, 0}, {0, 2}, {0, -2}, {1, 1}, {-1, 1}, {1, -1}, {-1, -1}};
  constexpr Step Line[] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
  const int sheet = ObjectSheets[object.Kind];
  const int32_t x = object.X - camera.X, y = object.Y - camera.Y;
  for (const Step& step : Glow) display.DrawFrameSilhouette(sheet, x + step.X, y + step.Y, frame, RimGlow);
  for (const Step& step : Line) display.DrawFrameSilhouette(sheet, x + step.X, y + step.Y, frame, RimLine);
}

void DrawRedFlash(Display& display, int32_t age) {
  display.BlendRect(0, 0, ViewWidth, ViewHeight, Red, static_cast<uint8_t>(std::max(48, 160 - 6 * age)));
}

void DrawCelebration(Display& display, int32_t age, const std::string& cheer, const std::string& time,
                     const std::string& bestDelta, Medal medal) {
  // Falling in from above the view, each piece at its own speed.
  for (int32_t i = 0; i < 32; ++i) DrawConfetti(display, i, (i * 37) % 90 - 90 + age * (4 + i % 4), age);
  display.BlendRect(0, 150, ViewWidth, bestDelta.empty() ? 70 : 100, Black, 144);
  ShowString(display, -1, 160, cheer);
  ShowString(display, -1, 190, time);
  if (!bestDelta.empty()) ShowString(display, -1, 220, "Best Time! " + bestDelta);
  // The star grows in beside the time once the confetti is falling.
  DrawStar(display, (ViewWidth + StringWidth(time)) / 2 + 24, 201, std::clamp(age - 8, 0, 12), medal);
}

void DrawConfettiRain(Display& display, int32_t age) {
  // A piece that leaves the bottom comes back in above the top.
  for (int32_t i = 0; i < 40; ++i)
    DrawConfetti(display, i, ((i * 37) % ViewHeight + age * (2 + i % 3)) % (ViewHeight + 10) - 10, age);
}

void DrawFallCue(Display& display, int32_t depth, int32_t age) {
  // Bands 8 pixels high, each darker than the one above, from a top that climbs the view.
  const int32_t reach = 200 + (ViewHeight - 200) * depth / 256, darkest = 144 + 111 * depth / 256;
  for (int32_t y = ViewHeight - reach; y < ViewHeight; y += 8) {
    const int32_t alpha = darkest * (y + 8 - (ViewHeight - reach)) / reach;
    display.BlendRect(0, y, ViewWidth, 8, Black, static_cast<uint8_t>(std::min(alpha, 255)));
  }
  // Faster than the runner falls, each streak in a column of its own, more of them deeper:
  // a bright head going up, a fainter tail under it.
  for (int32_t i = 0; i < 10 + 10 * depth / 256; ++i) {
    const int32_t length = 32 + i * 13 % 32, speed = 20 + i % 4 * 5;
    const int32_t x = (i * 97 + 31) % ViewWidth;
    const int32_t y = ViewHeight - (i * 53 + age * speed) % (ViewHeight + length);
    display.BlendRect(x, y, 3, length / 3, White, 176);
    display.BlendRect(x, y + length / 3, 3, length - length / 3, White, 80);
  }
}

void DrawFellOutNotice(Display& display, bool restartable) {
  constexpr int32_t Top = ViewHeight * 5 / 8;  // under the runner, which a falling view shows high
  display.BlendRect(0, Top, ViewWidth, restartable ? 52 : 34, Black, 144);
  ShowString(display, -1, Top + 6, "Fell out of the level");
  if (restartable) DrawCanvasTextCentred(display, Top + 34, "R restarts", White);
}

void DrawLockedHint(Display& display, ViewCamera camera, const LevelObject& exit) {
  const std::string text = "Eat every apple first";
  const int32_t width = StringWidth(text);
  const int32_t x = std::clamp(exit.X + 20 - camera.X - width / 2, 10, ViewWidth - width - 10);
  const int32_t y = std::max(exit.Y - camera.Y - 40, HudBottom + 8);
  display.ShadeRect(x - 8, y - 4, width + 16, 30);
  ShowString(display, x, y, text);
}

}  // namespace tobu
