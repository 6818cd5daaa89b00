#include "server/level_upload.h"

#include <png.h>

#include <algorithm>
#include <cstdio>

#include "editor/editor.h"
#include "replay/level_crc.h"
#include "tools/levelshot/level_picture.h"
#include "world/file_error.h"
#include "world/level_file.h"

namespace tobu::server {
namespace {
const std::string UploadName = "upload.vel";  // the name in a damaged upload's message
constexpr int PictureScale = 8;               // 505 x 391
}  // namespace

SharedLevel CheckLevelUpload(std::span<const uint8_t> bytes) {
  if (bytes.size() > LargestLevelFile) throw FileError::Damaged(UploadName);
  const ParsedLevel parsed = ParseLevel(bytes, UploadName);
  if (parsed.Objects.size() > size_t{GridSize} * GridSize) throw FileError::Damaged(UploadName);
  SharedLevel level;
  level.Id = LevelId(LevelCrc(UploadName, bytes));
  level.LevelPart.assign(bytes.begin(), bytes.begin() + parsed.Info.BestTimesOffset);
  return level;
}

World LoadSharedLevel(std::span<const uint8_t> levelPart) {
  World world;
  UseLevel(ParseLevel(levelPart, UploadName), world);
  return world;
}

bool AcceptedLevelName(const std::string& name) {
  return !name.empty() && name.size() <= MaxFileNameLength &&
         std::all_of(name.begin(), name.end(),
                     [](char c) { return AcceptedNameChar(static_cast<uint8_t>(c)); });
}

std::string LevelId(uint32_t crc) {
  char text[9];
  std::snprintf(text, sizeof text, "%08x", crc);
  return text;
}

bool WellFormedLevelId(const std::string& id) {
  return id.size() == 8 && std::all_of(id.begin(), id.end(), [](char c) {
           return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
         });
}

std::vector<uint8_t> LevelPicturePng(const World& world) {
  const RgbPicture picture = DrawLevelPicture(world, PictureScale);
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(picture.Width);
  image.height = static_cast<png_uint_32>(picture.Height);
  image.format = PNG_FORMAT_RGB;
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&image, nullptr, &size, 0, picture.Rgb.data(), 0, nullptr)) {
    throw FileError("Cannot draw the level's picture");
  }
  std::vector<uint8_t> png(size);
  if (!png_image_write_to_memory(&image, png.data(), &size, 0, picture.Rgb.data(), 0, nullptr)) {
    throw FileError("Cannot draw the level's picture");
  }
  png.resize(size);
  return png;
}

}  // namespace tobu::server
