// The whole-level picture: its size for each scale, and views that join without a seam.
#include "tools/levelshot/level_picture.h"

#include <gtest/gtest.h>

namespace tobu {
namespace {

TEST(LevelPicture, SizeIsTheWorldReducedByTheScale) {
  const struct {
    int Scale, Width, Height;
  } cases[] = {{1, 4040, 3131}, {4, 1010, 783}, {8, 505, 392}, {101, 40, 31}};
  World world;
  for (const auto& c : cases) {
    const RgbPicture picture = DrawLevelPicture(world, c.Scale);
    EXPECT_EQ(picture.Width, c.Width) << c.Scale;
    EXPECT_EQ(picture.Height, c.Height) << c.Scale;
    EXPECT_EQ(picture.Rgb.size(), static_cast<size_t>(c.Width * c.Height * 3)) << c.Scale;
  }
}

// The picture is put together from 640 x 480 views: a cell cut by a view's edge must come
// out exactly like the same tile well inside a view.
TEST(LevelPicture, CellsAcrossViewEdgesMatchCellsInside) {
  World world;
  world.RunnerX = 3000;  // the start marker far from the cells compared
  world.RunnerY = 3000;
  const struct {
    int Column, Row;
  } cut[] = {{15, 15}, {16, 3}, {31, 30}, {47, 61}};  // x 640, y 465..495, x 1280, y 1891..1921
  world.SetCell(2, 2, TileGround);
  for (const auto& c : cut) world.SetCell(c.Column, c.Row, TileGround);
  const RgbPicture picture = DrawLevelPicture(world, 1);
  auto pixel = [&](int x, int y, int k) {
    return picture.Rgb[static_cast<size_t>((y * picture.Width + x) * 3 + k)];
  };
  for (const auto& c : cut)
    for (int y = 0; y < CellHeight; ++y)
      for (int x = 0; x < CellWidth; ++x)
        for (int k = 0; k < 3; ++k)
          ASSERT_EQ(pixel(c.Column * CellWidth + x, c.Row * CellHeight + y, k),
                    pixel(2 * CellWidth + x, 2 * CellHeight + y, k))
              << "cell " << c.Column << "," << c.Row << " pixel " << x << "," << y;
  // And the ground is not the sky beside it.
  EXPECT_NE(pixel(2 * CellWidth + 20, 2 * CellHeight + 15, 2),
            pixel(4 * CellWidth + 20, 2 * CellHeight + 15, 2));
}

}  // namespace
}  // namespace tobu
