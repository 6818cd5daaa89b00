#include "screenshot/screenshot.h"

#include <cstdio>
#include <stdexcept>
#include <system_error>

#include "screenshot/png_file.h"
#include "world/file_error.h"
#include "world/file_io.h"

namespace tobu {

std::string ScreenshotName(const std::tm& when, int take) {
  char name[64];
  std::snprintf(name, sizeof name, "tobu-%04d%02d%02d-%02d%02d%02d", when.tm_year + 1900, when.tm_mon + 1,
                when.tm_mday, when.tm_hour, when.tm_min, when.tm_sec);
  std::string text = name;
  if (take > 1) text += "-" + std::to_string(take);
  return text + ".png";
}

std::filesystem::path SaveScreenshot(const std::filesystem::path& folder, const FrameBuffer& frame,
                                     const std::tm& when) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error || !std::filesystem::is_directory(folder, error)) throw FileError::CannotCreate(folder.string());
  std::filesystem::path file;
  for (int take = 1;; ++take) {
    file = folder / ScreenshotName(when, take);
    if (!std::filesystem::exists(file, error)) break;
  }
  std::vector<uint8_t> png;
  try {
    png = EncodePng(frame);
  } catch (const std::runtime_error&) {
    throw FileError::CannotCreate(file.string());
  }
  ReplaceFile(file.string(), png);
  return file;
}

}  // namespace tobu
