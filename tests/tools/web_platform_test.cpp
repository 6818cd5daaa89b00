// The pieces of the browser's platform layer that need no browser: key codes, tick
// pacing, the saved folder. (The page itself is tested in headless Chromium.)
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "platform/web/saved_folder.h"
#include "platform/web/tick_pacer.h"
#include "platform/web/web_keys.h"
#include "support/temp_dir.h"
#ifdef TOBU_HAVE_PLATFORM
#include "platform/virtual_key.h"
#endif

namespace tobu {
namespace {

struct KeyCase {
  const char* Name;
  uint32_t KeyCode;   // the browser's KeyboardEvent.keyCode
  int32_t SdlKey;     // the desktop's key for the same physical key
  uint16_t Expected;  // the game's virtual key, 0 for none
};

// SDL keycodes written out, so the table compiles without SDL's headers.
const KeyCase Keys[] = {
    {"Return", 13, '\r', 13},
    {"Back", 8, '\b', 8},
    {"Escape", 27, 27, 27},
    {"Space", 32, ' ', 32},
    {"Left", 37, 0x40000050, 37},
    {"Up", 38, 0x40000052, 38},
    {"Right", 39, 0x4000004F, 39},
    {"Down", 40, 0x40000051, 40},
    {"Delete", 46, 127, 46},
    {"A", 65, 'a', 65},
    {"Z", 90, 'z', 90},
    {"Digit0", 48, '0', 48},
    {"Digit9", 57, '9', 57},
    {"F1", 112, 0x4000003A, 112},
    {"F10", 121, 0x40000043, 121},
    {"F12", 123, 0x40000045, 123},
    {"Numpad5", 101, 0x4000005D, 101},
    {"Shift", 16, 0x400000E1, 16},
    {"Ctrl", 17, 0x400000E0, 17},
    {"Pause", 19, 0x40000048, 19},
    {"F11_window", 122, 0x40000044, 0},
    {"Alt_window", 18, 0x400000E2, 0},
    {"Semicolon_typed_only", 186, ';', 0},
    {"Unknown", 0, 0, 0},
};

class WebKeys : public ::testing::TestWithParam<KeyCase> {};

TEST_P(WebKeys, SameVirtualKeyAsTheDesktop) {
  const KeyCase& key = GetParam();
  EXPECT_EQ(VirtualKeyFromKeyCode(key.KeyCode), key.Expected);
#ifdef TOBU_HAVE_PLATFORM
  // F11 is the desktop's full-screen key before it is a key code; on the page it is the browser's.
  if (key.KeyCode != 122) {
    EXPECT_EQ(VirtualKeyFromSdl(key.SdlKey), key.Expected);
  }
#endif
}

INSTANTIATE_TEST_SUITE_P(Codes, WebKeys, ::testing::ValuesIn(Keys),
                         [](const auto& param) { return std::string(param.param.Name); });

TEST(WebKeys, CharactersAsOnTheDesktop) {
  EXPECT_EQ(CharacterFromCharCode(0), 0);
  EXPECT_EQ(CharacterFromCharCode('a'), 'a');
  EXPECT_EQ(CharacterFromCharCode(0xE9), 0xE9);    // Latin-1 keeps its code
  EXPECT_EQ(CharacterFromCharCode(0x20AC), 0xFF);  // the euro sign shares 255
}

TEST(WebKeys, TypingKeysKeepTheBrowsersCharacter) {
  // Suppressing a typing key's default would also suppress its keypress, so its character.
  for (uint16_t key : {uint16_t{'A'}, uint16_t{'7'}, uint16_t{32}, uint16_t{101}}) {
    EXPECT_FALSE(SuppressesBrowserAction(key, false)) << key;
  }
  for (uint16_t key : {uint16_t{8}, uint16_t{13}, uint16_t{37}, uint16_t{40}, uint16_t{116}}) {
    EXPECT_TRUE(SuppressesBrowserAction(key, false)) << key;
  }
  EXPECT_TRUE(SuppressesBrowserAction('S', true));  // Ctrl+S belongs to the editor
}

struct PacingCase {
  const char* Name;
  std::vector<double> Frames;  // animation frame times after a start at 0 ms
  std::vector<int> Ticks;      // the ticks each frame runs
};

const PacingCase Pacing[] = {
    {"before_the_first_interval", {9.99, 10.0, 19.99, 20.0}, {0, 1, 0, 1}},
    {"remainder_carried", {15.0, 25.0, 35.0}, {1, 1, 1}},
    {"display_at_60_hz", {16.7, 33.4, 50.1, 66.8, 83.5, 100.2}, {1, 2, 2, 1, 2, 2}},
    {"display_at_30_hz", {33.3, 66.6, 99.9}, {3, 3, 3}},
    {"background_tab_capped", {1000.0, 1005.0, 1010.0}, {4, 0, 1}},
};

class WebPacing : public ::testing::TestWithParam<PacingCase> {};

TEST_P(WebPacing, TicksPerFrame) {
  TickPacer pacer;
  pacer.Start(0.0);
  std::vector<int> ticks;
  for (double now : GetParam().Frames) ticks.push_back(pacer.TicksDue(now));
  EXPECT_EQ(ticks, GetParam().Ticks);
}

INSTANTIATE_TEST_SUITE_P(Frames, WebPacing, ::testing::ValuesIn(Pacing),
                         [](const auto& param) { return std::string(param.param.Name); });

TEST(WebPacing, HundredTicksASecondAtSixtyHertz) {
  TickPacer pacer;
  pacer.Start(0.0);
  int ticks = 0;
  for (int frame = 1; frame <= 60; ++frame) ticks += pacer.TicksDue(frame * 1000.0 / 60.0);
  EXPECT_EQ(ticks, 100);
}

TEST(WebPacing, StoppedRunsNoneAndRestartsFromNow) {
  TickPacer pacer;
  pacer.Start(0.0);
  pacer.Stop();
  EXPECT_EQ(pacer.TicksDue(500.0), 0);
  pacer.Start(500.0);
  EXPECT_EQ(pacer.TicksDue(509.0), 0);
  EXPECT_EQ(pacer.TicksDue(510.0), 1);
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

TEST(SavedFolder, AddsMissingShippedLevelsAndKeepsThePlayersOwn) {
  testing::TempDir dir;
  const auto shipped = dir.Path() / "shipped";
  const auto saved = dir.Path() / "saved" / "Levels";
  std::filesystem::create_directories(shipped);
  std::filesystem::create_directories(saved);
  WriteFile(shipped / "01-a.vel", "shipped a");
  WriteFile(shipped / "02-b.vel", "shipped b");
  WriteFile(saved / "01-a.vel", "edited a");
  WriteFile(saved / "mine.vel", "mine");
  EXPECT_TRUE(AddShippedLevels(shipped, saved));
  EXPECT_EQ(ReadFile(saved / "01-a.vel"), "edited a");
  EXPECT_EQ(ReadFile(saved / "02-b.vel"), "shipped b");
  EXPECT_EQ(ReadFile(saved / "mine.vel"), "mine");
}

TEST(SavedFolder, CreatesTheFolderAndReportsMissingShippedLevels) {
  testing::TempDir dir;
  EXPECT_FALSE(AddShippedLevels(dir.Path() / "none", dir.Path() / "saved" / "Levels"));
  EXPECT_TRUE(std::filesystem::is_directory(dir.Path() / "saved" / "Levels"));
}

}  // namespace
}  // namespace tobu
