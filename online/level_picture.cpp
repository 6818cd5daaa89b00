// Level pictures through libpng's simplified reader, checked before anything is allocated.
#include "online/level_picture.h"

#include <png.h>

namespace tobu {
namespace {

// The average of one block of RGB pixels, in RGB565.
uint16_t BlockColour(const std::vector<uint8_t>& rgb, int width, int left, int top, int shrink) {
  uint32_t sums[3] = {0, 0, 0};
  for (int y = top; y < top + shrink; ++y) {
    for (int x = left; x < left + shrink; ++x) {
      for (int channel = 0; channel < 3; ++channel)
        sums[channel] += rgb[(static_cast<size_t>(y) * width + x) * 3 + channel];
    }
  }
  const uint32_t count = static_cast<uint32_t>(shrink * shrink);
  const auto mean = [&](int channel) { return (sums[channel] + count / 2) / count; };
  return static_cast<uint16_t>((mean(0) >> 3) << 11 | (mean(1) >> 2) << 5 | mean(2) >> 3);
}

}  // namespace

std::optional<Picture> DecodeLevelPicture(const std::vector<uint8_t>& png, int shrink) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (shrink < 1 || !png_image_begin_read_from_memory(&image, png.data(), png.size())) return std::nullopt;
  if (image.width > MostPictureSide || image.height > MostPictureSide ||
      image.width < static_cast<png_uint_32>(shrink) || image.height < static_cast<png_uint_32>(shrink)) {
    png_image_free(&image);
    return std::nullopt;
  }
  image.format = PNG_FORMAT_RGB;
  std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr))
    return std::nullopt;  // freed by libpng
  const int width = static_cast<int>(image.width), height = static_cast<int>(image.height);
  Picture picture{width / shrink, height / shrink, {}};
  picture.Pixels.reserve(static_cast<size_t>(picture.Width) * picture.Height);
  for (int y = 0; y < picture.Height; ++y) {
    for (int x = 0; x < picture.Width; ++x)
      picture.Pixels.push_back(BlockColour(rgb, width, x * shrink, y * shrink, shrink));
  }
  return picture;
}

}  // namespace tobu
