#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "present/sheets.h"

namespace tobu {

// Columns Start to Start + Length - 1 of a frame row are drawn.
struct OpaqueSpan {
  uint16_t Start = 0;
  uint16_t Length = 0;
  bool operator==(const OpaqueSpan&) const = default;
};

// A sheet converted once to the display format: RGB565 pixels plus, for a transparent
// sheet, which pixels are the key. The key is decided on the 24-bit picture, so a colour
// that only becomes equal to the key in 16 bits is still drawn.
struct SpriteSheet {
  int Width = 0;
  int Height = 0;
  int FrameWidth = 0;
  int FrameHeight = 0;
  int Frames = 0;
  bool Transparent = false;
  std::vector<uint16_t> Pixels;  // row by row, Width * Height
  std::vector<uint8_t> IsKey;    // 1 where the picture holds the key colour
  // The runs of drawn pixels of every frame row, so a keyed copy is a few plain copies:
  // the spans of row `row` of frame `frame` are Spans[RowSpans[i]] up to Spans[RowSpans[i + 1]],
  // i = frame * FrameHeight + row. Frames count left to right, then down the picture.
  std::vector<OpaqueSpan> Spans;
  std::vector<uint32_t> RowSpans;
};

// Fills in Spans and RowSpans from Pixels and IsKey (a whole-width span per row when opaque).
void FindOpaqueSpans(SpriteSheet& sheet);

constexpr uint16_t Rgb565(uint32_t rgb) {
  return static_cast<uint16_t>(((rgb >> 8) & 0xF800) | ((rgb >> 5) & 0x07E0) | ((rgb >> 3) & 0x001F));
}

// An 8-bit paletted picture, as the sheets are stored.
struct PalettedImage {
  int Width = 0;
  int Height = 0;
  std::array<uint32_t, 256> Palette{};  // 0xRRGGBB
  std::vector<uint8_t> Indices;         // row by row from the top
};

// Reads an uncompressed 8-bit BMP; throws FileError naming `what` when it is not one.
PalettedImage ReadPalettedBmp(std::span<const unsigned char> bytes, const std::string& what);
SpriteSheet MakeSpriteSheet(const PalettedImage& image, const SheetSpec& spec);
// The catalogue's sheets built into the program.
std::vector<SpriteSheet> LoadEmbeddedSheets();

} // namespace tobu
