// The browser paints the themes' sheets instead of carrying them: painted a slice at a
// time, in slices that end mid-row and mid-sheet, each must be the committed BMP byte
// for byte (a painter changed without make-sheets run again fails here too).
#include "assets/generator/theme_painter.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace tobu {
namespace {

std::vector<unsigned char> Committed(const std::string& name) {
  std::ifstream in(std::string(TOBU_SOURCE_DIR) + "/assets/sheets/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(ThemePainter, PaintsTheCommittedSheetsInSlices) {
  art::ThemePainter painter;
  // The first sheet wanted before its turn is painted whole at once, the rest ahead.
  const std::span<const unsigned char> wantedFirst = painter.Bmp(4);
  EXPECT_EQ(painter.SheetsReady(), 1);
  while (!painter.PaintAhead(7 * 640 + 123)) {
  }
  EXPECT_EQ(wantedFirst.data(), painter.Bmp(4).data());  // painted once
  for (int i = 0; i < art::ThemePainter::SheetCount; ++i) {
    const std::string name = std::string(ThemeNames[i / ThemedSheetCount + 1]) + "-" +
                             std::string(ThemedSheetNames[i % ThemedSheetCount]) + ".bmp";
    const std::span<const unsigned char> painted = painter.Bmp(i);
    EXPECT_TRUE(std::vector<unsigned char>(painted.begin(), painted.end()) == Committed(name)) << name;
  }
  EXPECT_TRUE(painter.Bmp(art::ThemePainter::SheetCount).empty());
}

}  // namespace
}  // namespace tobu
