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

}  // namespace
}  // namespace tobu::testing
