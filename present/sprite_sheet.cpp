#include "present/sprite_sheet.h"

#include <cstdlib>

#include "present/embedded_sheets.h"
#include "world/file_error.h"

namespace tobu {
namespace {

constexpr size_t FileHeaderSize = 14;
constexpr size_t InfoHeaderSize = 40;  // the smallest header we accept
constexpr int32_t MaxSide = 16384;     // far beyond any sheet; keeps the sizes below from overflowing

uint32_t U16At(std::span<const unsigned char> b, size_t at) {
  return static_cast<uint32_t>(b[at]) | (static_cast<uint32_t>(b[at + 1]) << 8);
}

uint32_t U32At(std::span<const unsigned char> b, size_t at) {
  return U16At(b, at) | (U16At(b, at + 2) << 16);
}

[[noreturn]] void Malformed(const std::string& what, const std::string& why) {
  throw FileError("Picture " + what + " is not an 8-bit BMP: " + why);
}

}  // namespace

PalettedImage ReadPalettedBmp(std::span<const unsigned char> bytes, const std::string& what) {
  if (bytes.size() < FileHeaderSize + InfoHeaderSize) Malformed(what, "too short");
  if (bytes[0] != 'B' || bytes[1] != 'M') Malformed(what, "no BM signature");
  const uint32_t pixelOffset = U32At(bytes, 10);
  const uint32_t headerSize = U32At(bytes, 14);
  const auto width = static_cast<int32_t>(U32At(bytes, 18));
  const auto height = static_cast<int32_t>(U32At(bytes, 22));
  const uint32_t planes = U16At(bytes, 26);
  const uint32_t bitCount = U16At(bytes, 28);
  const uint32_t compression = U32At(bytes, 30);
  uint32_t coloursUsed = U32At(bytes, 46);

  if (headerSize < InfoHeaderSize || headerSize > bytes.size() - FileHeaderSize)
    Malformed(what, "bad header size");
  if (planes != 1 || bitCount != 8) Malformed(what, "not 8 bits per pixel");
  if (compression != 0) Malformed(what, "compressed");
  if (width <= 0 || width > MaxSide || height == 0 || height < -MaxSide || height > MaxSide)
    Malformed(what, "bad picture size");
  if (coloursUsed == 0) coloursUsed = 256;
  if (coloursUsed > 256) Malformed(what, "more than 256 palette entries");

  const size_t paletteAt = FileHeaderSize + headerSize;
  if (coloursUsed * 4 > bytes.size() - paletteAt) Malformed(what, "palette cut short");
  const bool bottomUp = height > 0;
  const auto rows = static_cast<size_t>(std::abs(height));
  const auto columns = static_cast<size_t>(width);
  const size_t stride = (columns + 3) & ~size_t{3};
  if (pixelOffset < paletteAt + coloursUsed * 4 || pixelOffset > bytes.size() ||
      stride * rows > bytes.size() - pixelOffset)
    Malformed(what, "pixel rows cut short");

  PalettedImage image;
  image.Width = width;
  image.Height = static_cast<int>(rows);
  for (size_t i = 0; i < coloursUsed; ++i) {
    const size_t at = paletteAt + i * 4;  // blue, green, red, zero
    image.Palette[i] = (static_cast<uint32_t>(bytes[at + 2]) << 16) |
                       (static_cast<uint32_t>(bytes[at + 1]) << 8) | bytes[at];
  }
  image.Indices.resize(columns * rows);
  for (size_t row = 0; row < rows; ++row) {
    const size_t stored = bottomUp ? rows - 1 - row : row;
    const unsigned char* source = bytes.data() + pixelOffset + stored * stride;
    std::copy(source, source + columns, image.Indices.begin() + static_cast<std::ptrdiff_t>(row * columns));
  }
  return image;
}

SpriteSheet MakeSpriteSheet(const PalettedImage& image, const SheetSpec& spec) {
  SpriteSheet sheet;
  sheet.Width = image.Width;
  sheet.Height = image.Height;
  sheet.FrameWidth = spec.FrameWidth;
  sheet.FrameHeight = spec.FrameHeight;
  sheet.Frames = (spec.Width / spec.FrameWidth) * (spec.Height / spec.FrameHeight);
  sheet.Transparent = spec.Transparent;

  // Each palette entry is converted and tested against the key once.
  std::array<uint16_t, 256> converted{};
  std::array<uint8_t, 256> keyEntry{};
  for (size_t i = 0; i < 256; ++i) {
    converted[i] = Rgb565(image.Palette[i]);
    keyEntry[i] = spec.Transparent && image.Palette[i] == spec.Key ? 1 : 0;
  }
  sheet.Pixels.resize(image.Indices.size());
  sheet.IsKey.resize(image.Indices.size());
  for (size_t i = 0; i < image.Indices.size(); ++i) {
    sheet.Pixels[i] = converted[image.Indices[i]];
    sheet.IsKey[i] = keyEntry[image.Indices[i]];
  }
  FindOpaqueSpans(sheet);
  return sheet;
}

void FindOpaqueSpans(SpriteSheet& sheet) {
  sheet.Spans.clear();
  sheet.RowSpans.clear();
  if (sheet.FrameWidth <= 0 || sheet.FrameHeight <= 0 || sheet.FrameWidth > 0xFFFF ||
      sheet.Pixels.size() != static_cast<size_t>(sheet.Width) * static_cast<size_t>(sheet.Height))
    return;
  const bool keyed = sheet.Transparent && sheet.IsKey.size() == sheet.Pixels.size();
  const int across = sheet.Width / sheet.FrameWidth;
  const int down = sheet.Height / sheet.FrameHeight;
  for (int frame = 0; frame < across * down; ++frame) {
    const int left = (frame % across) * sheet.FrameWidth;
    const int top = (frame / across) * sheet.FrameHeight;
    for (int row = 0; row < sheet.FrameHeight; ++row) {
      sheet.RowSpans.push_back(static_cast<uint32_t>(sheet.Spans.size()));
      const size_t rowStart = static_cast<size_t>(top + row) * static_cast<size_t>(sheet.Width) + left;
      int column = 0;
      while (column < sheet.FrameWidth) {
        while (keyed && column < sheet.FrameWidth && sheet.IsKey[rowStart + column]) ++column;
        const int start = column;
        while (column < sheet.FrameWidth && !(keyed && sheet.IsKey[rowStart + column])) ++column;
        if (column > start)
          sheet.Spans.push_back({static_cast<uint16_t>(start), static_cast<uint16_t>(column - start)});
      }
    }
  }
  sheet.RowSpans.push_back(static_cast<uint32_t>(sheet.Spans.size()));
}

std::vector<SpriteSheet> LoadEmbeddedSheets() {
  std::vector<SpriteSheet> sheets;
  sheets.reserve(SheetCount);
  for (int i = 0; i < SheetCount; ++i) {
    const SheetSpec& spec = SheetCatalogue[i];
    const std::span<const unsigned char> bytes = EmbeddedSheet(i);
    if (bytes.empty()) {
      // Not drawn yet: an empty picture that still answers its frame count.
      SpriteSheet empty;
      empty.FrameWidth = spec.FrameWidth;
      empty.FrameHeight = spec.FrameHeight;
      empty.Frames = CatalogueFrameCount(i);
      empty.Transparent = spec.Transparent;
      sheets.push_back(std::move(empty));
      continue;
    }
    sheets.push_back(MakeSpriteSheet(ReadPalettedBmp(bytes, spec.Name), spec));
  }
  return sheets;
}

}  // namespace tobu
