#include "screenshot/png_file.h"

#include <png.h>

#include <csetjmp>
#include <stdexcept>

#include "present/rgb565.h"

namespace tobu {
namespace {

void AppendBytes(png_structp png, png_bytep data, png_size_t length) {
  auto* bytes = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  bytes->insert(bytes->end(), data, data + length);
}

void NoFlush(png_structp) {}

// libpng reports a failure by a long jump back here, so nothing with a destructor is
// made in this function: the row buffer and the output belong to the caller.
bool WritePng(png_structp png, png_infop info, const FrameBuffer& frame, std::vector<uint8_t>& row,
              std::vector<uint8_t>& bytes) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_write_fn(png, &bytes, AppendBytes, NoFlush);
  png_set_IHDR(png, info, ViewWidth, ViewHeight, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < ViewHeight; ++y) {
    for (int x = 0; x < ViewWidth; ++x) {
      const auto rgb = WidenRgb565(frame[static_cast<size_t>(y * ViewWidth + x)]);
      for (size_t c = 0; c < 3; ++c) row[static_cast<size_t>(x) * 3 + c] = rgb[c];
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  return true;
}

}  // namespace

std::vector<uint8_t> EncodePng(const FrameBuffer& frame) {
  std::vector<uint8_t> bytes;
  std::vector<uint8_t> row(static_cast<size_t>(ViewWidth) * 3);
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
  const bool written = info != nullptr && WritePng(png, info, frame, row, bytes);
  png_destroy_write_struct(&png, &info);
  if (!written) throw std::runtime_error("cannot encode the PNG");
  return bytes;
}

}  // namespace tobu
