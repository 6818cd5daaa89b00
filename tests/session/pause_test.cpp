// Pausing a run: Pause, P, and losing the window's focus.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "session_fixture.h"

namespace tobu::testing {
namespace {

struct PauseKeys {
  const char* Name;
  uint16_t Opens;
  uint16_t Closes;
};
void PrintTo(const PauseKeys& c, std::ostream* out) { *out << c.Name; }

class PauseCard : public ::testing::TestWithParam<PauseKeys>, public SessionFixture {};

TEST_P(PauseCard, StopsTheRunUntilAPauseKeyResumesIt) {
  ToRun();
  session.KeyDown(VkRight);
  Tick(10);
  const FrameBuffer before = display.Presented();
  const std::string state = StateLine(form);
  Press(GetParam().Opens);
  ASSERT_EQ(session.OpenCard(), Session::Card::Pause);
  Tick(200);
  Press(VkEscape);  // no giving up while paused
  Press(VkSpace);
  EXPECT_EQ(StateLine(form), state);
  EXPECT_NE(display.Presented(), before);
  Press(GetParam().Closes);
  EXPECT_EQ(session.OpenCard(), Session::Card::None);
  EXPECT_EQ(display.Presented(), before);
  Tick();  // still running right: the held key outlived the pause
  EXPECT_NE(StateLine(form), state);
  EXPECT_TRUE(form.KeyHeld[VkRight]);
}

INSTANTIATE_TEST_SUITE_P(Keys, PauseCard,
                         ::testing::Values(PauseKeys{"PauseKey", VkPause, VkPause},
                                           PauseKeys{"PKey", VkP, VkP},
                                           PauseKeys{"PauseThenP", VkPause, VkP}),
                         [](const ::testing::TestParamInfo<PauseKeys>& param) { return param.param.Name; });

class FocusPause : public ::testing::Test, public SessionFixture {};

TEST_F(FocusPause, LosingTheFocusInARunShowsTheCardUntilTheFocusReturns) {
  ToRun();
  const FrameBuffer before = display.Presented();
  session.FocusLost();
  EXPECT_EQ(session.OpenCard(), Session::Card::Pause);
  session.FocusGained();
  EXPECT_EQ(session.OpenCard(), Session::Card::None);
  EXPECT_EQ(display.Presented(), before);
}

TEST_F(FocusPause, APauseByKeyOutlastsTheFocusComingBack) {
  ToRun();
  Press(VkP);
  session.FocusLost();
  session.FocusGained();
  EXPECT_EQ(session.OpenCard(), Session::Card::Pause);
}

// Keys still arrive without the focus, but ticks do not: a run is never left bare. The
// classic card goes when the focus returns; plus's waits for Pause or P, as it says.
TEST(FocusAway, KeysLeaveTheRunUnderThePauseCardUntilTheFocusReturns) {
  const struct {
    const char* Name;
    bool Plus;
    bool InRun;                          // else on the main menu
    std::vector<uint16_t> Before, Away;  // keys before the focus goes, and while away
    Session::Card Back;                  // the card once the focus is back
  } cases[] = {
      {"P on the focus's card", false, true, {}, {VkP}, Session::Card::None},
      {"P on the player's card", false, true, {VkP}, {VkP}, Session::Card::None},
      {"Pause twice", false, true, {}, {VkPause, VkPause}, Session::Card::None},
      {"Return starts a run", false, false, {}, {VkReturn, VkReturn}, Session::Card::None},
      {"Plus: the card waits", true, true, {}, {}, Session::Card::Pause},
      {"Plus: P away still pauses", true, true, {}, {VkP}, Session::Card::Pause},
      {"Plus: Return starts a run", true, false, {}, {VkReturn, VkReturn}, Session::Card::Pause},
  };
  for (const auto& c : cases) {
    SessionFixture fixture;
    c.InRun ? fixture.ToRun() : fixture.ToMainMenu();
    fixture.session.SetPlus(c.Plus);
    for (const uint16_t key : c.Before) fixture.Press(key);
    fixture.session.FocusLost();
    for (const uint16_t key : c.Away) fixture.Press(key);
    EXPECT_EQ(fixture.form.Mode, GameMode::game) << c.Name;
    EXPECT_EQ(fixture.session.OpenCard(), Session::Card::Pause) << c.Name;
    fixture.session.FocusGained();
    EXPECT_EQ(fixture.session.OpenCard(), c.Back) << c.Name;
    if (c.Back != Session::Card::Pause) continue;
    const std::string state = StateLine(fixture.form);
    fixture.Tick(5);
    EXPECT_EQ(StateLine(fixture.form), state) << c.Name;  // the run waits under the card
    fixture.Press(VkP);
    EXPECT_EQ(fixture.session.OpenCard(), Session::Card::None) << c.Name;
  }
}

TEST_F(FocusPause, MenusShowNoCardAndPauseKeysReachThem) {
  ToMainMenu();
  const uint64_t presents = display.PresentCount();
  session.FocusLost();
  Press(VkPause);
  EXPECT_EQ(session.OpenCard(), Session::Card::None);
  EXPECT_EQ(display.PresentCount(), presents);
  EXPECT_EQ(form.Mode, GameMode::MainMenu);
}

TEST_F(FocusPause, F12AsksForOneScreenshotOfTheFrameWithoutTheCard) {
  ToRun();
  const FrameBuffer before = display.Presented();
  Press(VkF1);
  Press(VkF12);
  EXPECT_TRUE(session.TakeScreenshotRequest());
  EXPECT_FALSE(session.TakeScreenshotRequest());
  EXPECT_EQ(session.GameFrame(), before);
  EXPECT_EQ(session.OpenCard(), Session::Card::Help);
  EXPECT_FALSE(form.KeyHeld[VkF12]);
}

}  // namespace
}  // namespace tobu::testing
