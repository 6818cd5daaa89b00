#include "present/bitmap_text.h"

#include <gtest/gtest.h>

#include "present/text_lines.h"
#include "present_support.h"

namespace tobu {
namespace {

using testing::RecordingDisplay;

struct TextCase {
  const char* Name;
  int32_t X;
  std::string Text;
  std::vector<int> GlyphXs;
};

class ShowStringLayout : public ::testing::TestWithParam<TextCase> {};

TEST_P(ShowStringLayout, PutsEachGlyphAfterItsAdvance) {
  const TextCase& c = GetParam();
  RecordingDisplay display;
  ShowString(display, c.X, 77, c.Text);
  EXPECT_EQ(display.Xs(), c.GlyphXs);
  for (const auto& draw : display.Draws) {
    EXPECT_EQ(draw.Sheet, SheetFont);
    EXPECT_EQ(draw.Y, 77);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ShowStringLayout,
    ::testing::Values(
        TextCase{
            "SelectLevel", -1, "Select Level!", {238, 253, 265, 280, 295, 310, 340, 355, 370, 385, 397, 405}},
        TextCase{"Play", -1, "Play", {305, 317, 332, 347}}, TextCase{"Empty", -1, "", {}},
        TextCase{"Spaces", -1, "    ", {}}, TextCase{"Narrow", 0, ".,':;!", {8, 16, 24, 32, 40, 48}},
        TextCase{"Brackets", 0, "l()[]", {12, 24, 36, 48, 60}},
        TextCase{"NegativeXKept", -100, "AB", {-85, -70}}, TextCase{"MinusTwoNotCentred", -2, "A", {13}},
        // { | } ~, a tab and the accented bytes of "é" neither draw nor advance.
        TextCase{"SkippedCodes",
                 0,
                 "a{|}~\tb\xC3\xA9"
                 "c",
                 {15, 30, 45}},
        // Skipped codes still count when centring: 3 characters of 15 pixels.
        TextCase{"CentringCountsSkipped", -1, "~a~", {313}},
        TextCase{"PastTheRightEdge", 600, "ABCD", {615, 630, 645, 660}}),
    [](const ::testing::TestParamInfo<TextCase>& param) { return param.param.Name; });

// Names in the level preview's 184 pixels (eleven wide glyphs), in at most two lines.
TEST(FitLines, BreakAfterSpacesDashesAndUnderscoresThenInsideLongWords) {
  const std::pair<const char*, const char*> cases[] = {
      {"01 first steps", "01 first|steps"},
      {"my_first_level_with_", "my_first_|level_with_"},
      {"WWWWWWWWWWWWWWWWWWWW", "WWWWWWWWWWW|WWWWWWWWW"},
      {"the very long way down", "the very|long way.."},  // cut rather than a word split
      {"WWWWWWWWWWWWWWWWWWWWWWWWWWWWWW", "WWWWWWWWWWW|WWWWWWWWWW.."},
  };
  for (const auto& [text, expected] : cases) {
    std::string joined;
    for (const std::string& line : FitLines(text, 184, 2)) {
      joined += (joined.empty() ? "" : "|") + line;
      EXPECT_LE(StringWidth(line), 184) << line;
    }
    EXPECT_EQ(joined, expected);
  }
}

TEST(ShowString, FrameIsCodeMinus33) {
  RecordingDisplay display;
  ShowString(display, 0, 0, "!0Az");
  const std::vector<RecordingDisplay::Draw> expected = {{SheetFont, 8, 0, 0},
                                                        {SheetFont, 23, 0, '0' - 33},
                                                        {SheetFont, 38, 0, 'A' - 33},
                                                        {SheetFont, 53, 0, 89}};
  EXPECT_EQ(display.Draws, expected);
}

}  // namespace
}  // namespace tobu
