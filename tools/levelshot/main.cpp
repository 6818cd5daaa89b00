// tobu-levelshot: a level's whole world as a PNG, drawn by the game's own drawing code.
//
//   tobu-levelshot LEVEL.vel OUT.png [SCALE]     (SCALE 4 by default: 1010 x 783)
#include <png.h>

#include <cstdlib>
#include <iostream>

#include "tools/levelshot/level_picture.h"
#include "world/file_error.h"
#include "world/level_file.h"

int main(int argc, char** argv) {
  if (argc < 3 || argc > 4) {
    std::cerr << "usage: tobu-levelshot LEVEL.vel OUT.png [SCALE]\n";
    return 2;
  }
  const int scale = argc == 4 ? std::atoi(argv[3]) : 4;
  if (scale < 1 || scale > 101) {
    std::cerr << "tobu-levelshot: SCALE must be 1 to 101\n";
    return 2;
  }
  tobu::World world;
  try {
    tobu::LoadLevel(argv[1], world);
  } catch (const tobu::FileError& error) {
    std::cerr << "tobu-levelshot: " << argv[1] << ": " << error.what() << '\n';
    return 1;
  }
  const tobu::RgbPicture picture = tobu::DrawLevelPicture(world, scale);
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(picture.Width);
  image.height = static_cast<png_uint_32>(picture.Height);
  image.format = PNG_FORMAT_RGB;
  if (!png_image_write_to_file(&image, argv[2], 0, picture.Rgb.data(), 0, nullptr)) {
    std::cerr << "tobu-levelshot: " << argv[2] << ": " << image.message << '\n';
    return 1;
  }
  return 0;
}
