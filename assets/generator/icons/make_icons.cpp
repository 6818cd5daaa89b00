// make-icons: the web page's icons (favicon, app icons) painted from the sheets: a
// running frame of the runner over the sky, scaled by whole steps so its pixels stay
// square, written as PNGs into the directory given on the command line.
#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "../art.h"

namespace {

uint8_t Byte(float v) { return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f)); }

// The sky's middle as the background, the runner's third running frame over it.
std::vector<uint8_t> PaintIcon(const art::Sheet& sky, const art::Sheet& runner, int size) {
  std::vector<uint8_t> rgb(static_cast<size_t>(size * size * 3));
  const int frameWidth = runner.Spec.FrameWidth, frameHeight = runner.Spec.FrameHeight;
  const int step = std::max(1, size * 7 / 8 / frameHeight);
  const int left = (size - frameWidth * step) / 2, top = (size - frameHeight * step) / 2;
  const int firstColumn = 2 * frameWidth;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      art::Rgb colour = sky.Pixels[sky.At(sky.Spec.Width / 4 + x * sky.Spec.Width / 2 / size,
                                          sky.Spec.Height / 4 + y * sky.Spec.Height / 2 / size)];
      const int fx = x - left, fy = y - top;
      if (fx >= 0 && fy >= 0 && fx < frameWidth * step && fy < frameHeight * step) {
        const size_t at = runner.At(firstColumn + fx / step, fy / step);
        if (!runner.IsKey[at]) colour = runner.Pixels[at];
      }
      uint8_t* out = &rgb[static_cast<size_t>((y * size + x) * 3)];
      out[0] = Byte(colour.r);
      out[1] = Byte(colour.g);
      out[2] = Byte(colour.b);
    }
  }
  return rgb;
}

bool WritePng(const std::string& path, const std::vector<uint8_t>& rgb, int size) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(size);
  image.height = static_cast<png_uint_32>(size);
  image.format = PNG_FORMAT_RGB;
  return png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr) != 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make-icons <output directory>\n");
    return 2;
  }
  const art::Sheet sky = art::DrawScenery(tobu::SheetSky, art::Themes[0]);
  const art::Sheet runner = art::DrawKippoRun(true);
  int failures = 0;
  for (const int size : {32, 192, 512}) {
    const std::string path = std::string(argv[1]) + "/icon-" + std::to_string(size) + ".png";
    if (!WritePng(path, PaintIcon(sky, runner, size), size)) {
      std::fprintf(stderr, "make-icons: cannot write %s\n", path.c_str());
      ++failures;
    }
  }
  return failures == 0 ? 0 : 1;
}
