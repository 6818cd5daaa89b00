#include "tools/levelshot/level_picture.h"

#include <algorithm>
#include <memory>

#include "present/game_view.h"
#include "present/software_display.h"

namespace tobu {
namespace {

constexpr int WorldWidth = GridSize * CellWidth;    // 4040
constexpr int WorldHeight = GridSize * CellHeight;  // 3131

// Sums of each output pixel's block, filled view by view.
struct BlockSums {
  int Width, Height, Scale;
  std::vector<uint32_t> Sum;  // three per output pixel
  std::vector<uint32_t> Count;
  explicit BlockSums(int scale)
      : Width((WorldWidth + scale - 1) / scale),
        Height((WorldHeight + scale - 1) / scale),
        Scale(scale),
        Sum(static_cast<size_t>(Width * Height) * 3),
        Count(static_cast<size_t>(Width * Height)) {}

  // Adds the back buffer of the view whose top-left is world point (left, top).
  void AddView(const FrameBuffer& view, int left, int top) {
    const int right = std::min(left + ViewWidth, WorldWidth),
              bottom = std::min(top + ViewHeight, WorldHeight);
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x) {
        const uint16_t c = view[static_cast<size_t>((y - top) * ViewWidth + (x - left))];
        const size_t at = static_cast<size_t>((y / Scale) * Width + x / Scale);
        // RGB565 widened to 8 bits a channel, the top bits repeated into the low ones.
        const uint32_t r = (c >> 11) & 31, g = (c >> 5) & 63, b = c & 31;
        Sum[at * 3] += (r << 3) | (r >> 2);
        Sum[at * 3 + 1] += (g << 2) | (g >> 4);
        Sum[at * 3 + 2] += (b << 3) | (b >> 2);
        ++Count[at];
      }
  }
};

// One view as the game shows it with the camera at (left, top), and the start marker.
void DrawView(SoftwareDisplay& display, World& world, int left, int top) {
  world.CameraX = left;
  world.CameraY = top;
  display.ClearSurface(0);
  DrawSky(display, SkyOffset(left));
  DrawTiles(display, world);
  for (const LevelObject& object : world.ObjectList) DrawObject(display, world, object, ObjectFrames{});
  DrawStartMarker(display, world);
}

}  // namespace

RgbPicture DrawLevelPicture(const World& world, int scale) {
  scale = std::max(scale, 1);
  auto display = std::make_unique<SoftwareDisplay>();
  World view = world;
  BlockSums sums(scale);
  for (int top = 0; top < WorldHeight; top += ViewHeight)
    for (int left = 0; left < WorldWidth; left += ViewWidth) {
      DrawView(*display, view, left, top);
      sums.AddView(display->BackBuffer(), left, top);
    }
  RgbPicture picture{sums.Width, sums.Height, std::vector<uint8_t>(sums.Sum.size())};
  for (size_t i = 0; i < sums.Count.size(); ++i)
    for (size_t k = 0; k < 3; ++k)
      picture.Rgb[i * 3 + k] =
          static_cast<uint8_t>((sums.Sum[i * 3 + k] + sums.Count[i] / 2) / sums.Count[i]);
  return picture;
}

}  // namespace tobu
