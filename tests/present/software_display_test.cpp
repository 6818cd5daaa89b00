#include "present/software_display.h"

#include <gtest/gtest.h>

#include "present_support.h"

namespace tobu {
namespace {

using testing::MakeTestSheet;

constexpr uint16_t Background = 0x1234;
constexpr uint32_t Key = 0xFF00FF;

// 256 palette entries whose RGB565 values all differ, so a misplaced pixel shows.
std::array<uint32_t, 256> DistinctPalette() {
  std::array<uint32_t, 256> palette{};
  for (uint32_t i = 0; i < 256; ++i) palette[i] = ((i >> 3) << 19) | ((i & 7) << 13);
  return palette;
}

// Two 40 x 40 frames of a pattern in which palette entry 0 is the key colour.
SpriteSheet PatternSheet(bool transparent) {
  PalettedImage image;
  image.Width = 80;
  image.Height = 40;
  image.Palette = DistinctPalette();
  image.Palette[0] = Key;
  image.Indices.resize(80 * 40);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 80; ++x)
      image.Indices[static_cast<size_t>(y * 80 + x)] = static_cast<uint8_t>((x * 7 + y * 13) % 256);
  return MakeSpriteSheet(image, {"pattern", 80, 40, 40, 40, transparent, Key});
}

// What the back buffer must hold after drawing `frame` at (x, y) on the background,
// computed pixel by pixel.
FrameBuffer Expected(const SpriteSheet& sheet, int x, int y, int frame) {
  FrameBuffer expected;
  expected.fill(Background);
  for (int fy = 0; fy < sheet.FrameHeight; ++fy) {
    for (int fx = 0; fx < sheet.FrameWidth; ++fx) {
      const int vx = x + fx, vy = y + fy;
      if (vx < 0 || vy < 0 || vx >= ViewWidth || vy >= ViewHeight) continue;
      const size_t at = static_cast<size_t>(fy * sheet.Width + frame * sheet.FrameWidth + fx);
      if (sheet.Transparent && sheet.IsKey[at]) continue;
      expected[static_cast<size_t>(vy * ViewWidth + vx)] = sheet.Pixels[at];
    }
  }
  return expected;
}

int DiffCount(const FrameBuffer& a, const FrameBuffer& b) {
  int differ = 0;
  for (size_t i = 0; i < a.size(); ++i) differ += a[i] != b[i];
  return differ;
}

struct Placement {
  int X, Y, Frame;
  int PixelsDrawn;  // of the 1600, before the key
};

void PrintTo(const Placement& p, std::ostream* os) {
  *os << "frame " << p.Frame << " at " << p.X << "," << p.Y;
}

// e.g. "KeyedFrame1AtMinus30_Minus20".
std::string ClippingCaseName(const ::testing::TestParamInfo<std::tuple<bool, Placement>>& info) {
  const auto& [transparent, place] = info.param;
  const auto number = [](int v) { return (v < 0 ? "Minus" : "") + std::to_string(std::abs(v)); };
  return std::string(transparent ? "Keyed" : "Opaque") + "Frame" + std::to_string(place.Frame) + "At" +
         number(place.X) + "_" + number(place.Y);
}

class DrawFrameClipping : public ::testing::TestWithParam<std::tuple<bool, Placement>> {};

TEST_P(DrawFrameClipping, MatchesPixelByPixelCopy) {
  const auto [transparent, place] = GetParam();
  const SpriteSheet sheet = PatternSheet(transparent);
  SoftwareDisplay display({sheet});
  display.ClearSurface(Background);
  display.DrawFrame(0, place.X, place.Y, place.Frame);
  const FrameBuffer expected = Expected(sheet, place.X, place.Y, place.Frame);
  EXPECT_EQ(DiffCount(display.BackBuffer(), expected), 0);
  // The reference itself must cover the right area, or the comparison proves little.
  int covered = 0;
  for (int vy = 0; vy < ViewHeight; ++vy)
    for (int vx = 0; vx < ViewWidth; ++vx)
      covered += vx >= place.X && vx < place.X + 40 && vy >= place.Y && vy < place.Y + 40;
  EXPECT_EQ(covered, place.PixelsDrawn);
}

INSTANTIATE_TEST_SUITE_P(
    Edges, DrawFrameClipping,
    ::testing::Combine(::testing::Bool(),
                       ::testing::Values(Placement{300, 200, 0, 1600}, Placement{300, 200, 1, 1600},
                                         Placement{-39, 0, 0, 40}, Placement{-40, 0, 0, 0},
                                         Placement{640, 0, 0, 0}, Placement{639, 10, 1, 40},
                                         Placement{0, -39, 0, 40}, Placement{0, 479, 0, 40},
                                         Placement{0, 480, 0, 0}, Placement{620, 470, 1, 200},
                                         Placement{-30, -20, 1, 200}, Placement{-5000, 9000, 0, 0})),
    ClippingCaseName);

// Runs of ink and key of every length from 1 to 9, each row shifted, so clipping at any
// column cuts some span at each of its possible points.
SpriteSheet StripedSheet() {
  PalettedImage image;
  image.Width = 80;
  image.Height = 40;
  image.Palette = DistinctPalette();
  image.Palette[0] = Key;
  image.Indices.resize(80 * 40);
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 80; ++x) {
      const int at = x + y * 3, run = 1 + y % 9;
      image.Indices[static_cast<size_t>(y * 80 + x)] =
          (at / run) % 2 == 0 ? static_cast<uint8_t>(1 + (x + y) % 255) : 0;
    }
  }
  return MakeSpriteSheet(image, {"striped", 80, 40, 40, 40, true, Key});
}

TEST(DrawFrame, SpansClippedAtEveryColumnMatchThePixelByPixelCopy) {
  const SpriteSheet sheet = StripedSheet();
  SoftwareDisplay display({sheet});
  for (int frame = 0; frame < 2; ++frame) {
    for (const int y : {-39, -17, 100, 455}) {
      for (int x = -41; x <= 1; ++x) {
        for (const int atX : {x, ViewWidth - 40 - x}) {
          display.ClearSurface(Background);
          display.DrawFrame(0, atX, y, frame);
          EXPECT_EQ(DiffCount(display.BackBuffer(), Expected(sheet, atX, y, frame)), 0)
              << "frame " << frame << " at " << atX << "," << y;
        }
      }
    }
  }
}

TEST(DrawFrame, FrameAtMinus39ShowsOnlyItsRightmostColumn) {
  const SpriteSheet sheet = PatternSheet(false);
  SoftwareDisplay display({sheet});
  display.ClearSurface(Background);
  display.DrawFrame(0, -39, 0, 0);
  for (int y = 0; y < 40; ++y) {
    EXPECT_EQ(display.BackBuffer()[static_cast<size_t>(y * ViewWidth)],
              sheet.Pixels[static_cast<size_t>(y * 80 + 39)]);
    EXPECT_EQ(display.BackBuffer()[static_cast<size_t>(y * ViewWidth + 1)], Background);
  }
}

TEST(DrawFrame, KeyLeavesBackgroundButNearKeyColourIsDrawn) {
  // 0xFC03FC becomes 0xF81F in 16 bits, the same as the key 0xFF00FF: it must still show.
  const SpriteSheet sheet = [] {
    PalettedImage image;
    image.Width = 3;
    image.Height = 1;
    image.Palette[0] = Key;
    image.Palette[1] = 0xFC03FC;
    image.Palette[2] = 0x00FF00;
    image.Indices = {0, 1, 2};
    return MakeSpriteSheet(image, {"keyed", 3, 1, 3, 1, true, Key});
  }();
  ASSERT_EQ(Rgb565(0xFC03FC), Rgb565(Key));
  SoftwareDisplay display({sheet});
  display.ClearSurface(Background);
  display.DrawFrame(0, 10, 10, 0);
  const FrameBuffer& back = display.BackBuffer();
  EXPECT_EQ(back[10 * ViewWidth + 10], Background);
  EXPECT_EQ(back[10 * ViewWidth + 11], 0xF81F);
  EXPECT_EQ(back[10 * ViewWidth + 12], Rgb565(0x00FF00));
}

TEST(DrawFrame, OpaqueSheetCoversItsRectangleWhateverItsColours) {
  // Every pixel holds what would be the key colour; without transparency it is drawn.
  const SpriteSheet sheet = MakeTestSheet(50, 57, 1, false, Key, {Key}, 0);
  SoftwareDisplay display({sheet});
  display.ClearSurface(Background);
  display.DrawFrame(0, 100, 100, 0);
  int covered = 0;
  for (int y = 0; y < ViewHeight; ++y)
    for (int x = 0; x < ViewWidth; ++x)
      covered += display.BackBuffer()[static_cast<size_t>(y * ViewWidth + x)] == 0xF81F;
  EXPECT_EQ(covered, 50 * 57);
  EXPECT_EQ(display.BackBuffer()[100 * ViewWidth + 100], 0xF81F);
  EXPECT_EQ(display.BackBuffer()[156 * ViewWidth + 149], 0xF81F);
}

TEST(DrawFrame, OutOfRangeFramesSheetsAndUnloadedSheetsDrawNothing) {
  SpriteSheet unloaded;  // a sheet whose picture is missing still counts its frames
  unloaded.FrameWidth = 40;
  unloaded.FrameHeight = 40;
  unloaded.Frames = 5;
  unloaded.Transparent = true;
  SpriteSheet tooSmall = PatternSheet(true);  // picture holds 2 frames, catalogue claims 3
  tooSmall.Frames = 3;
  SoftwareDisplay display({PatternSheet(false), unloaded, tooSmall});
  EXPECT_EQ(display.FrameCount(1), 5);
  const struct {
    int Sheet, Frame;
  } cases[] = {{0, -1}, {0, 2}, {0, 1000}, {-1, 0}, {3, 0}, {14, 0}, {1, 0}, {1, 4}, {2, 2}};
  for (const auto& c : cases) {
    display.ClearSurface(Background);
    display.DrawFrame(c.Sheet, 10, 10, c.Frame);
    FrameBuffer blank;
    blank.fill(Background);
    EXPECT_EQ(DiffCount(display.BackBuffer(), blank), 0) << "sheet " << c.Sheet << " frame " << c.Frame;
  }
}

TEST(SoftwareDisplay, FrameCountsOfTheBuiltInSheetsFollowTheCatalogue) {
  SoftwareDisplay display;
  const int expected[SheetCount] = {33, 1, 1, 1, 34, 50, 1, 1, 12, 12, 1, 11, 90, 50, 1, 12};
  for (int sheet = 0; sheet < SheetCount; ++sheet)
    EXPECT_EQ(display.FrameCount(sheet), expected[sheet]) << sheet;
  EXPECT_EQ(display.FrameCount(-1), 0);
  EXPECT_EQ(display.FrameCount(SheetCount), 0);
  EXPECT_TRUE(display.SurfaceReady());
}

TEST(SoftwareDisplay, PresentCopiesTheBackBufferAndCounts) {
  SoftwareDisplay display({MakeTestSheet(4, 4, 1, false, 0, {0xFFFFFF}, 0)});
  display.ClearSurface(0x0001);
  display.DrawFrame(0, 636, 476, 0);
  display.PresentFrame();
  display.ClearSurface(0x0002);
  EXPECT_EQ(display.PresentCount(), 1u);
  EXPECT_EQ(display.Presented()[0], 0x0001);
  EXPECT_EQ(display.Presented()[ViewWidth * ViewHeight - 1], 0xFFFF);
  EXPECT_EQ(display.BackBuffer()[0], 0x0002);
  display.ShowPointer(true);
  EXPECT_TRUE(display.PointerShown());
}

// A font whose every text is the same 3 x 2 mask.
class FixedFont : public CanvasFont {
 public:
  TextMask Render(const std::string&) override { return {3, 2, {0, 128, 255, 255, 0, 128}}; }
};

TEST(DrawCanvasText, BlendsWhiteByCoverageAndClips) {
  FixedFont font;
  SoftwareDisplay display(std::vector<SpriteSheet>{});
  display.SetCanvasFont(&font);
  const uint16_t halfWhite = (16 << 11) | (32 << 5) | 16;  // 128/255 of the way from black
  const struct {
    int X, Y;
    std::vector<std::pair<int, uint16_t>> Pixels;  // view index -> colour; everything else stays black
  } cases[] = {
      {10,
       20,
       {{20 * 640 + 11, halfWhite},
        {20 * 640 + 12, 0xFFFF},
        {21 * 640 + 10, 0xFFFF},
        {21 * 640 + 12, halfWhite}}},
      {638, 0, {{639, halfWhite}, {640 + 638, 0xFFFF}}},
      {-2, -1, {{0, halfWhite}}},
      {640, 0, {}},
      {0, 480, {}},
  };
  for (const auto& c : cases) {
    display.ClearSurface(0);
    display.DrawCanvasText(c.X, c.Y, "any");
    FrameBuffer expected;
    expected.fill(0);
    for (const auto& [at, colour] : c.Pixels) expected[static_cast<size_t>(at)] = colour;
    EXPECT_EQ(DiffCount(display.BackBuffer(), expected), 0) << c.X << "," << c.Y;
  }
}

TEST(DrawCanvasText, FallbackFontDrawsWhiteInkForEveryPrintableCharacter) {
  const auto font = MakeFallbackCanvasFont();
  for (int code = 33; code <= 126; ++code) {
    const TextMask mask = font->Render(std::string(1, static_cast<char>(code)));
    ASSERT_EQ(mask.Coverage.size(), static_cast<size_t>(mask.Width * mask.Height));
    int ink = 0;
    for (uint8_t c : mask.Coverage) ink += c != 0;
    EXPECT_GT(ink, 0) << "code " << code;
  }
  const TextMask spaces = font->Render("   ");
  EXPECT_EQ(spaces.Width, 3 * font->Render(" ").Width);
  for (uint8_t c : spaces.Coverage) EXPECT_EQ(c, 0);

  SoftwareDisplay display(std::vector<SpriteSheet>{});  // no font set: the fallback draws
  display.ClearSurface(0);
  display.DrawCanvasText(5, 5, "Save as: level1");
  int white = 0, other = 0;
  for (int y = 0; y < ViewHeight; ++y)
    for (int x = 0; x < ViewWidth; ++x) {
      const uint16_t p = display.BackBuffer()[static_cast<size_t>(y * ViewWidth + x)];
      const bool inLine = x >= 5 && y >= 5 && y < 25 && x < 5 + 15 * 8;
      if (p == 0xFFFF && inLine)
        ++white;
      else if (p != 0)
        ++other;
    }
  EXPECT_GT(white, 50);
  EXPECT_EQ(other, 0);
}

}  // namespace
}  // namespace tobu
