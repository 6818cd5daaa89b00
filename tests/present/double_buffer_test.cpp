// The back buffer clears, copies and presents lazily; every sequence of drawing must still
// leave each pixel what eager drawing leaves.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <variant>
#include <vector>

#include "present/software_display.h"
#include "present_support.h"

namespace tobu {
namespace {

constexpr uint32_t Key = 0xFF00FF;
enum TestSheet { Wide, Tile, Keyed };  // opaque 640 x 48, opaque 40 x 31, keyed 40 x 40

SpriteSheet PatternSheet(int width, int height, bool transparent) {
  PalettedImage image;
  image.Width = width;
  image.Height = height;
  for (uint32_t i = 1; i < 256; ++i) image.Palette[i] = (i * 0x3F1D7u) & 0xFFFFFF;
  image.Palette[0] = Key;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.Indices.push_back(static_cast<uint8_t>((x * 7 + y * 13) % 256));
  return MakeSpriteSheet(image, {"pattern", width, height, width, height, transparent, Key});
}

struct Clear {
  uint16_t Colour;
};
struct Draw {
  TestSheet Sheet;
  int X, Y;
};
struct Fill {
  int X, Y, W, H;
};
struct Present {};
using Step = std::variant<Clear, Draw, Fill, Present>;

// The same steps drawn eagerly, pixel by pixel.
struct EagerModel {
  const std::vector<SpriteSheet>& Sheets;
  FrameBuffer Back{}, Shown{};

  void operator()(Clear c) { Back.fill(c.Colour); }
  void operator()(Present) { Shown = Back; }
  void operator()(Fill f) {
    for (int y = std::max(f.Y, 0); y < std::min(f.Y + f.H, ViewHeight); ++y)
      for (int x = std::max(f.X, 0); x < std::min(f.X + f.W, ViewWidth); ++x)
        Back[y * ViewWidth + x] = 0x0F0F;
  }
  void operator()(Draw d) {
    const SpriteSheet& s = Sheets[d.Sheet];
    for (int fy = 0; fy < s.FrameHeight; ++fy)
      for (int fx = 0; fx < s.FrameWidth; ++fx) {
        const int vx = d.X + fx, vy = d.Y + fy;
        const size_t at = static_cast<size_t>(fy * s.Width + fx);
        if (vx >= 0 && vy >= 0 && vx < ViewWidth && vy < ViewHeight && !(s.Transparent && s.IsKey[at]))
          Back[static_cast<size_t>(vy * ViewWidth + vx)] = s.Pixels[at];
      }
  }
};

struct LazyDisplay {
  SoftwareDisplay& Screen;
  void operator()(Clear c) { Screen.ClearSurface(c.Colour); }
  void operator()(Present) { Screen.PresentFrame(); }
  void operator()(Fill f) { Screen.FillRect(f.X, f.Y, f.W, f.H, 0x0F0F); }
  void operator()(Draw d) { Screen.DrawFrame(d.Sheet, d.X, d.Y, 0); }
};

TEST(DoubleBuffer, LazyClearsCopiesAndPresentsLeaveWhatEagerDrawingLeaves) {
  const std::vector<SpriteSheet> sheets{PatternSheet(640, 48, false), PatternSheet(40, 31, false),
                                        PatternSheet(40, 40, true)};
  const struct {
    std::string Name;
    std::vector<Step> Steps;
  } cases[] = {
      {"sky halves, then tiles with a gap and an object over the gap",
       {Clear{1}, Draw{Wide, -200, 10}, Draw{Wide, 440, 10}, Draw{Tile, 0, 20}, Draw{Tile, 80, 20},
        Draw{Keyed, 30, 15}, Present{}}},
      {"a third opaque copy over an owed one",
       {Clear{2}, Draw{Wide, -600, 0}, Draw{Wide, 40, 0}, Draw{Tile, 20, 5}, Present{}}},
      {"an opaque copy right of owed colour, a keyed one over both",
       {Clear{3}, Draw{Tile, 100, 5}, Draw{Keyed, 90, 0}, Draw{Tile, 600, 460}, Present{}}},
      {"drawn on after a present without a clear, then presented twice",
       {Clear{4}, Draw{Tile, 0, 0}, Present{}, Draw{Keyed, 20, 10}, Present{}, Present{}}},
      {"a filled rectangle between the halves, one half clipped at the top",
       {Clear{5}, Draw{Wide, -300, -20}, Fill{10, 5, 100, 20}, Draw{Wide, 340, -20}, Present{}}},
      {"a clear after a present, left owed",
       {Clear{6}, Draw{Wide, 0, 100}, Present{}, Clear{7}, Draw{Wide, -5, 300}}},
  };
  for (const auto& c : cases) {
    SoftwareDisplay display{std::vector<SpriteSheet>(sheets)};
    EagerModel model{sheets};
    for (const Step& step : c.Steps) {
      std::visit(model, step);
      std::visit(LazyDisplay{display}, step);
    }
    EXPECT_TRUE(display.BackBuffer() == model.Back) << c.Name;
    EXPECT_TRUE(display.Presented() == model.Shown) << c.Name;
  }
}

}  // namespace
}  // namespace tobu
