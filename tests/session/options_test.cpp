// The options card (plus, O in a menu): the keys set the values, the values reach the
// game at once and tobu.ini keeps them, and a fresh start reads them back.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "session_fixture.h"
#include "settings/settings_file.h"

namespace tobu::testing {
namespace {

struct OptionsCase {
  const char* Name;
  std::vector<uint16_t> Keys;             // after O
  const char* File;                       // tobu.ini afterwards
  std::vector<uint16_t> Opening = {VkO};  // from "Play" on the main menu
  int32_t Cursor = 0;                     // the main menu's afterwards (classic's has two rows)
};

// Created by the card (plus may create tobu.ini), so every line of FormatSettings is there.
const OptionsCase Cases[] = {
    {"FullScreenOff",
     {VkReturn},
     "[tobu]\nfullscreen = off\nscale = fit\nsound = on\nvolume = 100\ngamepad = on\nghost = off\nplus = "
     "on\n"},
    {"WholeMultiples",
     {VkDown, VkRight},
     "[tobu]\nfullscreen = on\nscale = integer\nsound = on\nvolume = 100\ngamepad = on\nghost = off\nplus = "
     "on\n"},
    // 100 down to 10 in nine steps, the tenth turns the sound off, Right turns it on at 10.
    {"SoundOffAndBackAtTen",
     {VkDown, VkDown, VkLeft, VkLeft, VkLeft, VkLeft, VkLeft, VkLeft, VkLeft, VkLeft, VkLeft, VkLeft,
      VkRight},
     "[tobu]\nfullscreen = on\nscale = fit\nsound = on\nvolume = 10\ngamepad = on\nghost = off\nplus = on\n"},
    {"MusicDownGhostOnPlusOff",
     {VkDown, VkDown, VkDown, VkLeft, VkLeft, VkDown, VkRight, VkDown, VkLeft},
     "[tobu]\nfullscreen = on\nscale = fit\nsound = on\nvolume = 100\ngamepad = on\nghost = on\nmusic = "
     "40\n"},
    // Up at the top and Down at the bottom stay: the last row is plus.
    {"RowsStopAtTheEnds",
     {VkUp, VkDown, VkDown, VkDown, VkDown, VkDown, VkDown, VkDown, VkReturn},
     "[tobu]\nfullscreen = on\nscale = fit\nsound = on\nvolume = 100\ngamepad = on\nghost = off\n"},
    {"PlusOffFromTheOptionsRow",
     {VkDown, VkDown, VkDown, VkDown, VkDown, VkDown, VkDown, VkReturn},
     "[tobu]\nfullscreen = on\nscale = fit\nsound = on\nvolume = 100\ngamepad = on\nghost = off\n",
     {VkDown, VkDown, VkDown, VkDown, VkReturn},
     1},  // Down stops on "Options"
};

class Options : public ::testing::TestWithParam<OptionsCase>, public SessionFixture {};

TEST_P(Options, KeysSetTheValuesTheFileKeepsThemAndAFreshStartReadsThemBack) {
  std::ostringstream log;
  SettingsStore store = LoadSettings(dir.File("tobu.ini"), log);
  store.Values.Plus = true;
  session.UseSettings(&store.Values);
  form.Plus = true;
  ToMainMenu();
  for (const uint16_t key : GetParam().Opening) Press(key);
  ASSERT_EQ(session.OpenCard(), Session::Card::Options);
  for (const uint16_t key : GetParam().Keys) Press(key);
  Press(VkEscape);
  EXPECT_EQ(session.OpenCard(), Session::Card::None);
  ASSERT_TRUE(session.TakeOptionsChange());
  UpdateSettings(store, session.Options(), /*mayCreate=*/true);  // as the platform does
  std::stringstream file;
  file << std::ifstream(dir.File("tobu.ini")).rdbuf();
  EXPECT_EQ(file.str(), GetParam().File);
  EXPECT_EQ(form.Plus, session.Options().Plus);
  EXPECT_EQ(form.Replays.GhostShown, session.Options().Ghost);
  EXPECT_EQ(LoadSettings(dir.File("tobu.ini"), log).Values, session.Options());
  EXPECT_EQ(log.str(), "");
  EXPECT_EQ(form.MenuCursor, GetParam().Cursor);
}

INSTANTIATE_TEST_SUITE_P(Cards, Options, ::testing::ValuesIn(Cases),
                         [](const auto& param) { return std::string(param.param.Name); });

TEST(OptionsCardClassic, OInTheClassicMenusIsTheGamesKey) {
  SessionFixture game;
  game.ToMainMenu();
  game.Press(VkO);
  EXPECT_EQ(game.session.OpenCard(), Session::Card::None);
  EXPECT_FALSE(game.session.TakeOptionsChange());
}

// F1 shows the card's help over it; F1 or Escape there shows the card as it was.
TEST(OptionsCardHelp, ClosingTheHelpShowsTheCardAsItWas) {
  SessionFixture game;
  game.form.Plus = true;
  game.ToMainMenu();
  game.Press(VkO);
  game.Press(VkDown);
  const FrameBuffer card = game.display.Presented();
  for (const uint16_t close : {uint16_t{VkF1}, uint16_t{VkEscape}}) {
    game.Press(VkF1);
    EXPECT_EQ(game.session.OpenCard(), Session::Card::OptionsHelp);
    game.Press(VkRight);
    game.Press(close);
    EXPECT_EQ(game.display.Presented(), card);
  }
}

}  // namespace
}  // namespace tobu::testing
