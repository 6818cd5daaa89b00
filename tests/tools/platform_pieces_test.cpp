// The canvas font through SDL2_ttf and the guard that keeps a file error from ending the game.
#ifdef TOBU_HAVE_PLATFORM
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "platform/error_report.h"
#include "platform/ttf_canvas_font.h"

namespace tobu {
namespace {

TEST(TtfCanvasFont, RendersWhiteCoverageOfAnEightPointLine) {
  const std::unique_ptr<CanvasFont> font = OpenTtfCanvasFont();
  if (!font) GTEST_SKIP() << "no TrueType font installed; the display uses its built-in one";
  const TextMask one = font->Render("H");
  const TextMask line = font->Render("HH level_1");
  // 8 points at 96 dpi: about 11 pixels of type in a line a little taller.
  EXPECT_GE(one.Height, 10);
  EXPECT_LE(one.Height, 16);
  EXPECT_EQ(line.Height, one.Height);
  EXPECT_GT(line.Width, 2 * one.Width);
  ASSERT_EQ(line.Coverage.size(), static_cast<size_t>(line.Width * line.Height));
  EXPECT_EQ(*std::max_element(line.Coverage.begin(), line.Coverage.end()), 255);  // solid stems
  EXPECT_EQ(line.Coverage.front(), 0);  // transparent around the ink
  EXPECT_EQ(font->Render("").Width, 0);
  // Latin-1 bytes of the game's texts render instead of failing as broken UTF-8.
  EXPECT_GT(font->Render("caf\xE9").Width, font->Render("caf").Width);
}

// No display for the message box, so it fails at once instead of waiting for a click.
class NoDisplay {
public:
  NoDisplay() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"}) {
      if (const char* value = std::getenv(name)) saved_.emplace_back(name, value);
      unsetenv(name);
    }
  }
  ~NoDisplay() {
    for (const auto& [name, value] : saved_) setenv(name.c_str(), value.c_str(), 1);
  }

private:
  std::vector<std::pair<std::string, std::string>> saved_;
};

TEST(GuardedCall, FileErrorIsReportedAndSwallowedOtherErrorsAreNot) {
  const NoDisplay noDisplay;
  ::testing::internal::CaptureStderr();
  bool after = false;
  CallGuarded(nullptr, [&] {
    throw FileError::CannotOpen("abc.vel");
  });
  after = true;
  const std::string written = ::testing::internal::GetCapturedStderr();
  EXPECT_TRUE(after);
  EXPECT_NE(written.find("Cannot open file abc.vel"), std::string::npos) << written;
  EXPECT_THROW(CallGuarded(nullptr, [] { throw std::logic_error("a fault of the program"); }), std::logic_error);
}

}  // namespace
}  // namespace tobu
#endif
