// Which piece plays: in plus a run plays the tune of its level's look, from the start to
// the results; classic plays its one run tune whatever the level, and so does a run the
// moment plus is switched off.
#include "sounds/music_choice.h"

#include <gtest/gtest.h>

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
    form.Plus = false;
    Press(VkEscape);  // back to the list
    form.Plus = true;
    EXPECT_EQ(Playing(), Named(PieceId::Menus));
    form.Plus = false;
  }
}

// Plus's play-test plays the tune of the look the editor shows, and its card keeps it for
// R to go on with; classic's card has the editor's.
TEST_F(MusicChoice, APlusPlayTestPlaysItsLevelsLookAndItsCardKeepsIt) {
  const struct {
    const char* Opened;  // empty: the new level the editor starts with
    bool Plus;
    PieceId OnCard;
  } cases[] = {{"", true, PieceId::Run}, {"", false, PieceId::Editor}, {"07-caves", true, PieceId::CaveRun}};
  MakeLevel("07-caves.vel");
  StartAsNewPlayer();
  Press(VkDown), Press(VkReturn);  // "Editor", an empty level
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Opened);
    form.Plus = c.Plus;
    if (*c.Opened) form.KeyUp('O'), Type(c.Opened), Press(VkReturn);
    Press(VkF5), Press('Y');                     // plus asks "Play-test anyway?"
    while (form.Mode == GameMode::game) Tick();  // out of the world
    ASSERT_EQ(form.Mode, GameMode::PlayTestResult);
    EXPECT_EQ(Playing(), Named(c.OnCard));
    Press(VkEscape);
  }
}

}  // namespace
}  // namespace tobu::testing
