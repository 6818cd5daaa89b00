#include "present/sprite_sheet.h"

#include <gtest/gtest.h>

#include "world/file_error.h"

namespace tobu {
namespace {

void Put16(std::vector<unsigned char>& b, size_t at, uint32_t v) {
  b[at] = static_cast<unsigned char>(v);
  b[at + 1] = static_cast<unsigned char>(v >> 8);
}
void Put32(std::vector<unsigned char>& b, size_t at, uint32_t v) {
  Put16(b, at, v & 0xFFFF);
  Put16(b, at + 2, v >> 16);
}

// An 8-bit BMP of `width` x `rows.size()`; rows given from the top, stored bottom-up
// unless topDown, each padded to 4 bytes with 0xEE so stray padding shows.
std::vector<unsigned char> MakeBmp(const std::vector<std::vector<uint8_t>>& rows,
                                   const std::vector<uint32_t>& palette, bool topDown) {
  const auto width = static_cast<uint32_t>(rows[0].size());
  const auto height = static_cast<uint32_t>(rows.size());
  const uint32_t stride = (width + 3) & ~3u;
  const uint32_t offset = 14 + 40 + 4 * static_cast<uint32_t>(palette.size());
  std::vector<unsigned char> b(offset + stride * height, 0);
  b[0] = 'B';
  b[1] = 'M';
  Put32(b, 2, static_cast<uint32_t>(b.size()));
  Put32(b, 10, offset);
  Put32(b, 14, 40);
  Put32(b, 18, width);
  Put32(b, 22, topDown ? static_cast<uint32_t>(-static_cast<int32_t>(height)) : height);
  Put16(b, 26, 1);
  Put16(b, 28, 8);
  Put32(b, 46, static_cast<uint32_t>(palette.size()));
  for (size_t i = 0; i < palette.size(); ++i) {  // blue, green, red, zero
    b[54 + 4 * i] = static_cast<unsigned char>(palette[i]);
    b[55 + 4 * i] = static_cast<unsigned char>(palette[i] >> 8);
    b[56 + 4 * i] = static_cast<unsigned char>(palette[i] >> 16);
  }
  for (uint32_t r = 0; r < height; ++r) {
    const uint32_t stored = topDown ? r : height - 1 - r;
    for (uint32_t x = 0; x < stride; ++x) b[offset + stored * stride + x] = x < width ? rows[r][x] : 0xEE;
  }
  return b;
}

const std::vector<std::vector<uint8_t>> Rows = {{0, 1, 2}, {2, 1, 0}};
const std::vector<uint32_t> Palette = {0x112233, 0xFF00FF, 0xABCDEF};

TEST(ReadPalettedBmp, ReadsBottomUpAndTopDownRowsAlike) {
  for (const bool topDown : {false, true}) {
    const PalettedImage image = ReadPalettedBmp(MakeBmp(Rows, Palette, topDown), "test");
    EXPECT_EQ(image.Width, 3);
    EXPECT_EQ(image.Height, 2);
    EXPECT_EQ(image.Indices, (std::vector<uint8_t>{0, 1, 2, 2, 1, 0})) << topDown;
    EXPECT_EQ(image.Palette[0], 0x112233u);
    EXPECT_EQ(image.Palette[2], 0xABCDEFu);
    EXPECT_EQ(image.Palette[3], 0u);
  }
}

TEST(ReadPalettedBmp, RefusesDamagedFilesNamingThePicture) {
  const std::vector<unsigned char> good = MakeBmp(Rows, Palette, false);
  const struct {
    const char* Why;
    size_t At;
    uint32_t Value;
    int Bytes;
  } damages[] = {
      {"signature", 0, 'X', 1},
      {"header size", 14, 12, 4},
      {"huge header", 14, 100000, 4},
      {"zero width", 18, 0, 4},
      {"negative width", 18, 0xFFFFFFFD, 4},
      {"zero height", 22, 0, 4},
      {"giant height", 22, 1u << 30, 4},
      {"planes", 26, 2, 2},
      {"24 bits", 28, 24, 2},
      {"RLE", 30, 1, 4},
      {"palette size", 46, 257, 4},
      {"pixels past the end", 10, 1000, 4},
      {"pixels inside the header", 10, 20, 4},
      {"width past the rows", 18, 9, 4},
  };
  for (const auto& d : damages) {
    std::vector<unsigned char> bad = good;
    if (d.Bytes == 1)
      bad[d.At] = static_cast<unsigned char>(d.Value);
    else if (d.Bytes == 2)
      Put16(bad, d.At, d.Value);
    else
      Put32(bad, d.At, d.Value);
    try {
      ReadPalettedBmp(bad, "grass");
      ADD_FAILURE() << d.Why << " was accepted";
    } catch (const FileError& e) {
      EXPECT_NE(std::string(e.what()).find("grass"), std::string::npos) << e.what();
    }
  }
}

TEST(ReadPalettedBmp, EveryTruncationIsRefused) {
  const std::vector<unsigned char> good = MakeBmp(Rows, Palette, false);
  for (size_t length = 0; length < good.size(); ++length) {
    const std::span<const unsigned char> cut(good.data(), length);
    EXPECT_THROW(ReadPalettedBmp(cut, "cut"), FileError) << length;
  }
}

TEST(MakeSpriteSheet, KeyIsDecidedOnTheFullColourAndFramesComeFromTheCatalogue) {
  PalettedImage image = ReadPalettedBmp(MakeBmp(Rows, Palette, false), "test");
  image.Palette[0] = 0xFC03FC;  // equals 0xFF00FF only in 16 bits
  const SpriteSheet keyed = MakeSpriteSheet(image, {"t", 3, 2, 1, 2, true, 0xFF00FF});
  EXPECT_EQ(keyed.Frames, 3);
  EXPECT_EQ(keyed.IsKey, (std::vector<uint8_t>{0, 1, 0, 0, 1, 0}));
  EXPECT_EQ(keyed.Pixels[0], Rgb565(0xFC03FC));
  EXPECT_EQ(keyed.Pixels[2], Rgb565(0xABCDEF));
  const SpriteSheet opaque = MakeSpriteSheet(image, {"t", 3, 2, 3, 2, false, 0xFF00FF});
  EXPECT_EQ(opaque.Frames, 1);
  EXPECT_EQ(opaque.IsKey, (std::vector<uint8_t>(6, 0)));
}

// Palette entry 1 is the key; each string is one picture row, '.' the key and '#' ink.
SpriteSheet SheetOfRows(const std::vector<std::string>& rows, int frameWidth, int frameHeight,
                        bool transparent) {
  PalettedImage image;
  image.Width = static_cast<int>(rows[0].size());
  image.Height = static_cast<int>(rows.size());
  image.Palette[1] = 0xFF00FF;
  for (const std::string& row : rows)
    for (const char pixel : row) image.Indices.push_back(pixel == '.' ? 1 : 0);
  return MakeSpriteSheet(image,
                         {"rows", image.Width, image.Height, frameWidth, frameHeight, transparent, 0xFF00FF});
}

// Spans as "start+length" per frame row, rows separated by '|'.
std::string SpansOf(const SpriteSheet& sheet) {
  std::string text;
  for (size_t row = 0; row + 1 < sheet.RowSpans.size(); ++row) {
    if (row > 0) text += '|';
    for (uint32_t i = sheet.RowSpans[row]; i < sheet.RowSpans[row + 1]; ++i) {
      if (i > sheet.RowSpans[row]) text += ' ';
      text.append(std::to_string(sheet.Spans[i].Start))
          .append("+")
          .append(std::to_string(sheet.Spans[i].Length));
    }
  }
  return text;
}

TEST(FindOpaqueSpans, RunsOfInkPerFrameRowInFrameOrder) {
  const struct {
    const char* Name;
    std::vector<std::string> Rows;
    int FrameWidth, FrameHeight;
    bool Transparent;
    const char* Expected;
  } cases[] = {
      {"all ink", {"####"}, 4, 1, true, "0+4"},
      {"all key", {"...."}, 4, 1, true, ""},
      {"key at both ends", {".##."}, 4, 1, true, "1+2"},
      {"alternating", {"#.#.#"}, 5, 1, true, "0+1 2+1 4+1"},
      {"a run cut by the frame's edge", {"##.###"}, 3, 1, true, "0+2|0+3"},
      {"frames left to right, then down",
       {"#..#", "..##", "##..", "...."},
       2,
       2,
       true,
       "0+1||1+1|0+2|0+2|||"},
      {"opaque sheets ignore the key colour", {".#.."}, 2, 1, false, "0+2|0+2"},
      {"the picture's odd column belongs to no frame", {"#####"}, 2, 1, true, "0+2|0+2"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    const SpriteSheet sheet = SheetOfRows(c.Rows, c.FrameWidth, c.FrameHeight, c.Transparent);
    EXPECT_EQ(SpansOf(sheet), c.Expected);
  }
}

TEST(LoadEmbeddedSheets, GivesFourteenSheetsWithCatalogueFrames) {
  const std::vector<SpriteSheet> sheets = LoadEmbeddedSheets();
  ASSERT_EQ(sheets.size(), static_cast<size_t>(SheetCount));
  for (int i = 0; i < SheetCount; ++i) {
    const SpriteSheet& sheet = sheets[static_cast<size_t>(i)];
    const SheetSpec& spec = SheetCatalogue[static_cast<size_t>(i)];
    EXPECT_EQ(sheet.Frames, CatalogueFrameCount(i)) << spec.Name;
    EXPECT_EQ(sheet.FrameWidth, spec.FrameWidth) << spec.Name;
    if (sheet.Pixels.empty()) continue;  // a sheet not drawn yet draws nothing
    EXPECT_EQ(sheet.Width, spec.Width) << spec.Name;
    EXPECT_EQ(sheet.Height, spec.Height) << spec.Name;
  }
}

}  // namespace
}  // namespace tobu
