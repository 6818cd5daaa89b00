// F3 switches tobu plus in the menus, with a card that any key closes.
#include <gtest/gtest.h>

#include <string>

#include "session_fixture.h"

namespace tobu::testing {
namespace {

class PlusSwitch : public ::testing::Test, public SessionFixture {};

TEST_F(PlusSwitch, F3InAMenuSwitchesAndTheNextKeyOnlyClosesTheCard) {
  ToMainMenu();
  const FrameBuffer before = display.Presented();
  const std::string state = StateLine(form);
  Press(VkF3);
  EXPECT_EQ(session.OpenCard(), Session::Card::Plus);
  EXPECT_TRUE(form.Plus);
  Press(VkF3);  // again while the card is open: back off
  EXPECT_FALSE(form.Plus);
  Press(VkF3);
  EXPECT_TRUE(form.Plus);
  EXPECT_TRUE(session.TakePlusSwitch());
  EXPECT_FALSE(session.TakePlusSwitch());
  Press(VkReturn);  // closes the card, chooses nothing
  EXPECT_EQ(session.OpenCard(), Session::Card::None);
  EXPECT_EQ(StateLine(form), state);
  EXPECT_EQ(display.Presented(), before);
}

TEST_F(PlusSwitch, F3InARunReachesTheGameAsBefore) {
  ToRun();
  Press(VkF3);
  EXPECT_EQ(session.OpenCard(), Session::Card::None);
  EXPECT_FALSE(form.Plus);
  EXPECT_FALSE(session.TakePlusSwitch());
}

// "Give up?" in a plus run: Escape gives up, R starts the level again as R does in the
// run, any other key goes back to the run with its clock where it stood. The same in an
// editor's play-test, where giving up shows the play-test's result.
TEST(PlusGiveUp, EachAnswerLeadsWhereTheCardSays) {
  const struct {
    const char* Name;
    bool PlayTest;
    uint16_t Key;
    GameMode Mode;      // five ticks after the answer
    const char* Clock;  // 20 ticks before the card
  } cases[] = {
      {"Escape gives up", false, VkEscape, GameMode::GameMenu, "00:00:24"},
      {"R starts again", false, VkR, GameMode::game, "00:00:06"},
      {"Space goes back", false, VkSpace, GameMode::game, "00:00:29"},
      {"Play-test: R starts again", true, VkR, GameMode::game, "00:00:06"},
      {"Play-test: Space goes back", true, VkSpace, GameMode::game, "00:00:29"},
  };
  for (const auto& c : cases) {
    SessionFixture fixture;
    fixture.ToMainMenu();
    fixture.session.SetPlus(true);
    if (c.PlayTest) {
      fixture.Press(VkDown);
      fixture.Press(VkReturn);
      fixture.Press(VkO);  // the Open dialog, as O goes up
      for (const char ch : std::string("01-first-steps")) fixture.session.KeyPress(static_cast<uint8_t>(ch));
      fixture.Press(VkReturn);
      fixture.Press(VkF5);
    } else {
      fixture.Press(VkReturn);
      fixture.Press(VkReturn);
    }
    fixture.Tick(20);
    fixture.Press(VkEscape);
    ASSERT_EQ(fixture.session.OpenCard(), Session::Card::GiveUp) << c.Name;
    fixture.Press(c.Key);
    fixture.Tick(5);
    EXPECT_EQ(fixture.session.OpenCard(), Session::Card::None) << c.Name;
    EXPECT_EQ(fixture.form.Mode, c.Mode) << c.Name;
    EXPECT_EQ(fixture.form.PlayTest.Active, c.PlayTest) << c.Name;
    EXPECT_EQ(ClockTimeText(fixture.form.Clock), c.Clock) << c.Name;
  }
}

}  // namespace
}  // namespace tobu::testing
