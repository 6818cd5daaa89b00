// Which piece plays: in plus a run plays the tune of its level's look, from the start to
// the results; classic plays its one run tune whatever the level, and so does a run the
// moment plus is switched off.
#include "sounds/music_choice.h"

#include <gtest/gtest.h>

#include <tuple>

#include "present/themes.h"
#include "shell/music_theme.h"
#include "support/game_fixture.h"

namespace tobu::testing {
namespace {

using music::PieceId;

class MusicChoice : public GameFixture {
 protected:
  const std::string& Playing() const { return MusicFor(MusicMode(form), MusicTheme(form)).Name; }
  static const std::string& Named(PieceId id) { return music::ScoreOf(id).Name; }
};

TEST_F(MusicChoice, APlusRunPlaysItsLooksTuneAndClassicPlaysTheRunTune) {
  const struct {
    const char* Level;
    PieceId InPlus;
  } cases[] = {
      {"01-first-steps.vel", PieceId::Run},
      {"07-caves.vel", PieceId::CaveRun},
      {"15-fast-or-safe.vel", PieceId::DuskRun},
      {"24-three-roads.vel", PieceId::SnowRun},
      {"my-level.vel", PieceId::Run},
  };
  for (const auto& c : cases) MakeLevel(c.Level);
  StartAsNewPlayer();
  Press(VkReturn);  // "Play": the list, in the cases' order
  for (size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(cases[i].Level);
    if (i > 0) Press(VkDown);
    form.Plus = true;
    Press(VkReturn);
    ASSERT_EQ(form.Mode, GameMode::game);
    EXPECT_EQ(Playing(), Named(cases[i].InPlus));
    Tick(3);
    form.Plus = false;  // as F3 in a menu, or the options card
    EXPECT_EQ(Playing(), Named(PieceId::Run));
    Press(VkEscape);  // classic gives the run up
    ASSERT_EQ(form.Mode, GameMode::GameMenu);
    EXPECT_EQ(Playing(), Named(PieceId::Run));
    form.Plus = true;
    EXPECT_EQ(Playing(), Named(cases[i].InPlus));  // the results keep the run's tune
    Tick();
    EXPECT_EQ(display.Theme, LevelTheme(cases[i].Level));  // and are drawn in the run's look
    form.Plus = false;
    Press(VkEscape);  // back to the list
    form.Plus = true;
    EXPECT_EQ(Playing(), Named(PieceId::Menus));
    form.Plus = false;
  }
}

// Plus's play-test card keeps the run's tune for R to go on with; classic's has the editor's.
TEST_F(MusicChoice, APlusPlayTestsCardKeepsTheRunTune) {
  const std::tuple<const char*, bool, PieceId> cases[] = {
      {"", true, PieceId::Run}, {"", false, PieceId::Editor}, {"07-caves", true, PieceId::CaveRun}};
  MakeLevel("07-caves.vel");
  StartAsNewPlayer();
  Press(VkDown), Press(VkReturn);  // "Editor", an empty level
  for (const auto& [opened, plus, onCard] : cases) {
    form.Plus = plus;
    if (*opened) form.KeyUp('O'), Type(opened), Press(VkReturn);
    Press(VkF5), Press('Y');                     // plus asks "Play-test anyway?"
    while (form.Mode == GameMode::game) Tick();  // out of the world
    ASSERT_EQ(form.Mode, GameMode::PlayTestResult);
    EXPECT_EQ(Playing(), Named(onCard));
    Press(VkEscape);
  }
}

}  // namespace
}  // namespace tobu::testing
