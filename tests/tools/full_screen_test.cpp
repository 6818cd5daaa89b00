// Full screen toggled off and on again in the real window, on a bare X server and under a
// window manager: the screen shows what it showed before, the whole frame in its place.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "support/temp_dir.h"
#include "support/x_session.h"

namespace tobu {
namespace {

#ifdef TOBU_GAME_PATH
using testing::HaveProgram;
using testing::Spawn;
using testing::Stop;
using testing::VirtualScreen;
using testing::WaitForExit;

struct Screenshot {
  int Width = 0;
  int Height = 0;
  std::vector<uint8_t> Rgb;  // 3 bytes a pixel, row by row
};

// The whole X screen through ImageMagick's `import`, as a binary PPM.
Screenshot TakeScreenshot(const std::string& display, const std::string& file) {
  const std::string command =
      "DISPLAY=" + display + " import -window root -depth 8 'ppm:" + file + "' 2> /dev/null";
  Screenshot shot;
  if (std::system(command.c_str()) != 0) return shot;
  std::ifstream in(file, std::ios::binary);
  std::string magic;
  int maximum = 0;
  in >> magic >> shot.Width >> shot.Height >> maximum;
  in.get();
  if (magic != "P6" || maximum != 255 || shot.Width <= 0 || shot.Height <= 0) return Screenshot{};
  shot.Rgb.resize(static_cast<size_t>(shot.Width) * static_cast<size_t>(shot.Height) * 3);
  in.read(reinterpret_cast<char*>(shot.Rgb.data()), static_cast<std::streamsize>(shot.Rgb.size()));
  if (!in) return Screenshot{};
  return shot;
}

// Per cent of the screen's pixels that are not black, and that differ between two shots.
double LitPercent(const Screenshot& shot) {
  size_t lit = 0;
  for (size_t i = 0; i < shot.Rgb.size(); i += 3)
    lit += (shot.Rgb[i] | shot.Rgb[i + 1] | shot.Rgb[i + 2]) != 0;
  return 300.0 * static_cast<double>(lit) / static_cast<double>(shot.Rgb.size());
}

double DifferentPercent(const Screenshot& a, const Screenshot& b) {
  size_t differ = 0;
  for (size_t i = 0; i < a.Rgb.size(); i += 3)
    differ += a.Rgb[i] != b.Rgb[i] || a.Rgb[i + 1] != b.Rgb[i + 1] || a.Rgb[i + 2] != b.Rgb[i + 2];
  return 300.0 * static_cast<double>(differ) / static_cast<double>(a.Rgb.size());
}

void Pause(double seconds) { std::this_thread::sleep_for(std::chrono::duration<double>(seconds)); }

// The screen as soon as it shows what `shows` looks for, or as it is after 15 seconds: a
// busy machine may take its time to carry out a toggle.
template <typename Predicate>
Screenshot ScreenOnceItShows(const std::string& display, const std::string& file, Predicate shows) {
  Screenshot shot = TakeScreenshot(display, file);
  for (int attempt = 0; attempt < 60 && !shows(shot); ++attempt) {
    Pause(0.25);
    shot = TakeScreenshot(display, file);
  }
  return shot;
}

class FullScreenToggle : public ::testing::TestWithParam<const char*> {};

TEST_P(FullScreenToggle, TwiceShowsTheWholeFrameAgain) {
  const std::string windowManager = GetParam();
  for (const char* program : {"Xvfb", "xdotool", "import"})
    if (!HaveProgram(program)) GTEST_SKIP() << program << " is not installed";
  if (windowManager != "none" && !HaveProgram(windowManager.c_str()))
    GTEST_SKIP() << windowManager << " is not installed";
  const VirtualScreen screen("1280x720");
  ASSERT_TRUE(screen.Running()) << "could not start Xvfb";
  pid_t manager = -1;
  if (windowManager != "none") {
    manager = Spawn({windowManager}, {}, screen.Display());
    Pause(1.0);  // no window of its own to wait for
  }
  const testing::TempDir work;
  const pid_t game = Spawn({TOBU_GAME_PATH}, work.Path(), screen.Display());
  ASSERT_GT(game, 0);
  const std::string xdotool = "DISPLAY=" + screen.Display() + " timeout 10 xdotool ";
  EXPECT_EQ(std::system(
                (xdotool + "search --sync --onlyvisible --name '^tobu$' windowfocus --sync > /dev/null 2>&1")
                    .c_str()),
            0);
  const auto fullScreen = [](const Screenshot& shot) { return LitPercent(shot) > 70.0; };
  const Screenshot before = ScreenOnceItShows(screen.Display(), work.File("before.ppm"), fullScreen);
  std::system((xdotool + "key F11 > /dev/null 2>&1").c_str());
  const Screenshot windowed = ScreenOnceItShows(screen.Display(), work.File("windowed.ppm"),
                                                [](const Screenshot& shot) { return LitPercent(shot) < 40.0; });
  std::system((xdotool + "key F11 > /dev/null 2>&1").c_str());
  const Screenshot after = ScreenOnceItShows(screen.Display(), work.File("after.ppm"), [&](const Screenshot& shot) {
    return shot.Width == before.Width && shot.Height == before.Height && DifferentPercent(before, shot) < 1.0;
  });
  const std::string window = xdotool + "search --name '^tobu$' ";
  const std::string steps[] = {xdotool + "key F11", window + "windowsize 660 500", xdotool + "key F11",
                               xdotool + "key F11"};  // window, resized, full screen, the same window
  for (const std::string& step : steps) {
    std::system((step + " > /dev/null 2>&1").c_str());
    ScreenOnceItShows(screen.Display(), work.File("resized.ppm"),
                      [&](const Screenshot& s) { return (LitPercent(s) < 40.0) != (&step == &steps[2]); });
  }
  EXPECT_EQ(std::system((window + "getwindowgeometry --shell | grep -q -x WIDTH=660").c_str()), 0);
  kill(game, SIGTERM);
  if (WaitForExit(game, 10) == -1) Stop(game);
  if (manager > 0) Stop(manager);

  ASSERT_EQ(before.Width, 1280);
  ASSERT_EQ(after.Width, before.Width);
  ASSERT_EQ(windowed.Width, before.Width);
  // The menu fills the 960 x 720 frame in the middle: three quarters of the screen.
  EXPECT_GT(LitPercent(before), 70.0);
  // Windowed, a 640 x 480 window (and its border) shows the frame at its own size.
  EXPECT_LT(LitPercent(windowed), 40.0);
  // Back in full screen: the same picture but for the pointer's animation.
  EXPECT_LT(DifferentPercent(before, after), 1.0);
}

INSTANTIATE_TEST_SUITE_P(WindowManagers, FullScreenToggle, ::testing::Values("none", "openbox"),
                         [](const auto& manager) { return std::string(manager.param); });
#endif

}  // namespace
}  // namespace tobu
