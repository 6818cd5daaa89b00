// Checks the committed sprite sheets against the catalogue: each file must be
// an uncompressed 8-bit BMP of the catalogue's size whose frames hold both
// picture and (on transparent sheets) the colour key.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "present/sheets.h"

namespace {

using tobu::SheetCatalogue;

struct Picture {
  int Width = 0, Height = 0, Bits = 0;
  uint32_t Compression = 0;
  std::vector<uint32_t> Palette;  // 0xRRGGBB
  std::vector<uint8_t> Index;     // top row first
  uint32_t At(int x, int y) const { return Palette[Index[static_cast<size_t>(y * Width + x)]]; }
};

uint32_t Le(const std::vector<uint8_t>& b, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | b.at(at + static_cast<size_t>(i));
  return v;
}

// Reads an 8-bit bottom-up BMP; fails the test on anything else.
Picture ReadBmp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<uint8_t> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  Picture p;
  EXPECT_GE(b.size(), 54u) << path;
  if (b.size() < 54) return p;
  EXPECT_EQ(b[0], 'B');
  EXPECT_EQ(b[1], 'M');
  EXPECT_EQ(Le(b, 2, 4), b.size()) << "file size field";
  EXPECT_EQ(Le(b, 14, 4), 40u) << "info header size";
  p.Width = static_cast<int>(Le(b, 18, 4));
  p.Height = static_cast<int>(Le(b, 22, 4));  // positive: rows stored bottom-up
  EXPECT_EQ(Le(b, 26, 2), 1u) << "planes";
  p.Bits = static_cast<int>(Le(b, 28, 2));
  p.Compression = Le(b, 30, 4);
  uint32_t used = Le(b, 46, 4), offset = Le(b, 10, 4);
  if (used == 0) used = 256;
  if (p.Bits != 8 || p.Width <= 0 || p.Height <= 0 || used > 256) return p;
  for (uint32_t i = 0; i < used; ++i) p.Palette.push_back(Le(b, 54 + 4 * i, 3));
  p.Palette.resize(256, 0);
  const size_t stride = (static_cast<size_t>(p.Width) + 3) & ~size_t{3};
  EXPECT_GE(b.size(), offset + stride * static_cast<size_t>(p.Height)) << "pixel rows";
  if (b.size() < offset + stride * static_cast<size_t>(p.Height)) return p;
  for (int y = 0; y < p.Height; ++y) {
    size_t row = offset + stride * static_cast<size_t>(p.Height - 1 - y);
    p.Index.insert(p.Index.end(), b.begin() + static_cast<long>(row),
                   b.begin() + static_cast<long>(row) + p.Width);
  }
  return p;
}

Picture ReadSheet(int sheet) {
  return ReadBmp(std::string(TOBU_SOURCE_DIR) + "/assets/sheets/" +
                 SheetCatalogue[static_cast<size_t>(sheet)].Name + ".bmp");
}

// The display runs at 16 bits per pixel, so a picture colour must stay
// distinct from the key after reduction to 5-6-5 bits.
uint32_t To565(uint32_t rgb) {
  return ((rgb >> 19) & 0x1F) << 11 | ((rgb >> 10) & 0x3F) << 5 | ((rgb >> 3) & 0x1F);
}

// Frame counts the game relies on, sheet by sheet.
constexpr int ExpectedFrames[tobu::SheetCount] = {33, 1, 1, 1, 34, 50, 1, 1, 12, 12, 1, 11, 90, 50, 1, 12};

class CommittedSheet : public testing::TestWithParam<int> {};

TEST_P(CommittedSheet, MatchesCatalogue) {
  const int sheet = GetParam();
  const tobu::SheetSpec& entry = SheetCatalogue[static_cast<size_t>(sheet)];
  Picture p = ReadSheet(sheet);
  ASSERT_EQ(p.Bits, 8);
  EXPECT_EQ(p.Compression, 0u);
  ASSERT_EQ(p.Width, entry.Width);
  ASSERT_EQ(p.Height, entry.Height);
  ASSERT_EQ(p.Index.size(), static_cast<size_t>(p.Width * p.Height));
  const int frames = (p.Width / entry.FrameWidth) * (p.Height / entry.FrameHeight);
  EXPECT_EQ(frames, tobu::CatalogueFrameCount(sheet));
  EXPECT_EQ(frames, ExpectedFrames[sheet]);

  for (int f = 0; f < frames; ++f) {
    int keyed = 0, picture = 0, nearKey = 0;
    std::set<uint32_t> colours;
    for (int y = 0; y < entry.FrameHeight; ++y)
      for (int x = f * entry.FrameWidth; x < (f + 1) * entry.FrameWidth; ++x) {
        uint32_t c = p.At(x, y);
        colours.insert(c);
        ++(entry.Transparent && c == entry.Key ? keyed : picture);
        if (entry.Transparent && c != entry.Key) nearKey += To565(c) == To565(entry.Key);
      }
    EXPECT_EQ(nearKey, 0) << entry.Name << " frame " << f
                          << " has picture pixels that turn into the key at 16 bits";
    if (entry.Transparent) {
      EXPECT_GT(keyed, 0) << entry.Name << " frame " << f << " has no background";
      EXPECT_GT(picture, 0) << entry.Name << " frame " << f << " is empty";
    } else {
      EXPECT_GT(colours.size(), 1u) << entry.Name << " frame " << f << " is one flat colour";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(AllSheets, CommittedSheet, testing::Range(0, static_cast<int>(tobu::SheetCount)),
                         [](const testing::TestParamInfo<int>& param) {
                           return std::string(SheetCatalogue[static_cast<size_t>(param.param)].Name);
                         });

// The columns and rows of a frame that hold anything but the key.
struct Ink {
  int Left = 1000, Right = -1, Top = 1000, Bottom = -1;
};
Ink InkOf(const Picture& p, int sheet, int frame) {
  const tobu::SheetSpec& entry = SheetCatalogue[static_cast<size_t>(sheet)];
  Ink ink;
  for (int y = 0; y < entry.FrameHeight; ++y)
    for (int x = 0; x < entry.FrameWidth; ++x)
      if (p.At(frame * entry.FrameWidth + x, y) != entry.Key) {
        ink.Left = std::min(ink.Left, x), ink.Right = std::max(ink.Right, x);
        ink.Top = std::min(ink.Top, y), ink.Bottom = std::max(ink.Bottom, y);
      }
  return ink;
}

// The runner is drawn with its top-left at ry - 61 standing and ry - 64
// running, so its feet must reach those rows and no further.
TEST(CommittedSheets, RunnerFeetStandOnTheDrawingRow) {
  const struct {
    int Sheet, LowestFrom, LowestTo;
  } cases[] = {{tobu::SheetKippo, 60, 61},
               {tobu::SheetKippoR, 60, 61},
               {tobu::SheetKippoRun, 61, 63},
               {tobu::SheetKippoRunR, 61, 63}};
  for (const auto& c : cases) {
    Picture p = ReadSheet(c.Sheet);
    ASSERT_FALSE(p.Index.empty());
    int lowest = -1;
    for (int f = 0; f < tobu::CatalogueFrameCount(c.Sheet); ++f)
      lowest = std::max(lowest, InkOf(p, c.Sheet, f).Bottom);
    EXPECT_GE(lowest, c.LowestFrom) << SheetCatalogue[static_cast<size_t>(c.Sheet)].Name;
    EXPECT_LE(lowest, c.LowestTo) << SheetCatalogue[static_cast<size_t>(c.Sheet)].Name;
  }
}

// The screen row the runner's lowest ink lands on, relative to its feet row ry: the
// standing frame is drawn at ry - 61 and the running frames at ry - 64. Every frame of
// all four sheets puts the feet on the same row, so starting to run lifts nothing.
TEST(CommittedSheets, RunnerFeetLandOnOneScreenRowInEveryFrame) {
  const struct {
    int Sheet, DrawnAbove;
  } cases[] = {
      {tobu::SheetKippo, 61}, {tobu::SheetKippoR, 61}, {tobu::SheetKippoRun, 64}, {tobu::SheetKippoRunR, 64}};
  const int standing = InkOf(ReadSheet(tobu::SheetKippo), tobu::SheetKippo, 0).Bottom - 61;
  for (const auto& c : cases) {
    Picture p = ReadSheet(c.Sheet);
    ASSERT_FALSE(p.Index.empty());
    for (int f = 0; f < tobu::CatalogueFrameCount(c.Sheet); ++f)
      EXPECT_EQ(InkOf(p, c.Sheet, f).Bottom - c.DrawnAbove, standing)
          << SheetCatalogue[static_cast<size_t>(c.Sheet)].Name << " frame " << f;
  }
}

// The helmet's first and last screen columns with the runner at x = 200, in every frame
// of the four runner sheets, drawn as the game draws them (x - 14 standing, x - 21 and
// x - 23 running): the head stays within a pixel when the runner starts or stops running.
TEST(CommittedSheets, RunnerHelmetKeepsItsColumns) {
  const auto helmetGrey = [](uint32_t c) {
    const int r = static_cast<int>(c >> 16), g = static_cast<int>((c >> 8) & 255),
              b = static_cast<int>(c & 255);
    return c != 0xFF00FF && r > 60 && std::abs(r - g) < 24 && b >= r - 8;
  };
  const struct {
    int Sheet, DrawnLeft, HelmetLeft, HelmetRight;
  } cases[] = {{tobu::SheetKippo, 14, 190, 205},
               {tobu::SheetKippoRun, 21, 190, 204},
               {tobu::SheetKippoR, 14, 194, 209},
               {tobu::SheetKippoRunR, 23, 195, 209}};
  for (const auto& c : cases) {
    const tobu::SheetSpec& entry = SheetCatalogue[static_cast<size_t>(c.Sheet)];
    Picture p = ReadSheet(c.Sheet);
    ASSERT_FALSE(p.Index.empty());
    for (int f = 0; f < tobu::CatalogueFrameCount(c.Sheet); ++f) {
      int left = 1000, right = -1;
      for (int y = 0; y < entry.FrameHeight; ++y)
        for (int x = 0; x < entry.FrameWidth; ++x)
          if (helmetGrey(p.At(f * entry.FrameWidth + x, y)))
            left = std::min(left, x), right = std::max(right, x);
      EXPECT_EQ(200 - c.DrawnLeft + left, c.HelmetLeft) << entry.Name << " frame " << f;
      EXPECT_EQ(200 - c.DrawnLeft + right, c.HelmetRight) << entry.Name << " frame " << f;
    }
  }
}

// The clock's one fills the middle of its cell and stands on the row the other digits
// stand on (its foot), so that "00:01:27" reads as one number.
TEST(CommittedSheets, DigitOneIsCentredOnItsFoot) {
  Picture p = ReadSheet(tobu::SheetDigits);
  ASSERT_FALSE(p.Index.empty());
  const Ink one = InkOf(p, tobu::SheetDigits, 1), zero = InkOf(p, tobu::SheetDigits, 0);
  const int width = SheetCatalogue[tobu::SheetDigits].FrameWidth;
  EXPECT_LE(std::abs(one.Left - (width - 1 - one.Right)), 1) << one.Left << ".." << one.Right;
  EXPECT_EQ(one.Bottom, zero.Bottom);
}

int ColourStep(uint32_t a, uint32_t b) {
  int sum = 0;
  for (int shift : {0, 8, 16})
    sum += std::abs(static_cast<int>((a >> shift) & 255) - static_cast<int>((b >> shift) & 255));
  return sum;
}

// Mean colour step between column x and the column after it, wrapping at the edge.
double ColumnStep(const Picture& p, int x) {
  double sum = 0;
  for (int y = 0; y < p.Height; ++y) sum += ColourStep(p.At(x, y), p.At((x + 1) % p.Width, y));
  return sum / p.Height;
}
double RowStep(const Picture& p, int y) {
  double sum = 0;
  for (int x = 0; x < p.Width; ++x) sum += ColourStep(p.At(x, y), p.At(x, (y + 1) % p.Height));
  return sum / p.Width;
}

// Rock fills whole areas tile by tile: the step from one copy to the next must be no
// larger than the average step between neighbouring columns (rows) inside the tile.
TEST(CommittedSheets, RockTilesJoinAsSmoothlyAsTheirInside) {
  for (int sheet : {tobu::SheetGround, tobu::SheetGrass}) {
    SCOPED_TRACE(SheetCatalogue[static_cast<size_t>(sheet)].Name);
    Picture p = ReadSheet(sheet);
    ASSERT_FALSE(p.Index.empty());
    double inner = 0;
    for (int x = 0; x + 1 < p.Width; ++x) inner += ColumnStep(p, x);
    EXPECT_LE(ColumnStep(p, p.Width - 1), inner / (p.Width - 1));
    if (sheet == tobu::SheetGrass) continue;  // grass only tiles across: its top is the blades
    inner = 0;
    for (int y = 0; y + 1 < p.Height; ++y) inner += RowStep(p, y);
    EXPECT_LE(RowStep(p, p.Height - 1), inner / (p.Height - 1));
  }
}

// The menu wallpaper repeats every 50 x 57 pixels over the whole screen: seen through a
// 9 x 9 blur (what survives at a glance) it must be nearly flat, or its blobs line up
// into a checkerboard. Brightness is the sum of the three channels (0..765).
TEST(CommittedSheets, WallpaperHasNoBlobsToLineUp) {
  Picture p = ReadSheet(tobu::SheetFon);
  ASSERT_FALSE(p.Index.empty());
  auto bright = [&](int x, int y) {
    const uint32_t c = p.At((x + p.Width) % p.Width, (y + p.Height) % p.Height);
    return static_cast<double>((c & 255) + ((c >> 8) & 255) + ((c >> 16) & 255));
  };
  std::vector<double> blurred;
  for (int y = 0; y < p.Height; ++y)
    for (int x = 0; x < p.Width; ++x) {
      double sum = 0;
      for (int j = -4; j <= 4; ++j)
        for (int i = -4; i <= 4; ++i) sum += bright(x + i, y + j);
      blurred.push_back(sum / 81);
    }
  double mean = 0, spread = 0;
  for (double b : blurred) mean += b / static_cast<double>(blurred.size());
  for (double b : blurred) spread += (b - mean) * (b - mean) / static_cast<double>(blurred.size());
  EXPECT_LE(std::sqrt(spread), 10.0);
  EXPECT_GE(ColumnStep(p, 10), 1.0) << "the wallpaper still has a texture";
}

// The font's pen moves 8 pixels for narrow characters and 12 for l and the
// brackets, so their ink must keep to the columns that advance leaves them.
TEST(CommittedSheets, FontInkKeepsToItsColumns) {
  const struct {
    const char* Characters;
    int Left, Right;
  } cases[] = {{".,':;!", 6, 12}, {"()[]", 5, 11}, {"l", 3, 13}, {"AMWmw@#%0", 0, 14}};
  Picture p = ReadSheet(tobu::SheetFont);
  ASSERT_FALSE(p.Index.empty());
  for (const auto& c : cases)
    for (const char* ch = c.Characters; *ch; ++ch) {
      Ink ink = InkOf(p, tobu::SheetFont, *ch - 33);
      ASSERT_GE(ink.Right, 0) << *ch << " has no ink";
      EXPECT_GE(ink.Left, c.Left) << *ch;
      EXPECT_LE(ink.Right, c.Right) << *ch;
      EXPECT_GE(ink.Top, 0) << *ch;
      EXPECT_LE(ink.Bottom, 20) << *ch;
    }
  // Capitals share one baseline: their lowest ink row is the same.
  const int base = InkOf(p, tobu::SheetFont, 'H' - 33).Bottom;
  EXPECT_GE(base, 15);
  EXPECT_LE(base, 17);
  for (const char* ch = "ABEHIKLMNTXZ"; *ch; ++ch)
    EXPECT_EQ(InkOf(p, tobu::SheetFont, *ch - 33).Bottom, base) << *ch;
}

}  // namespace
