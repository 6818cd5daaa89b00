// Plus says "Sound on" or "Sound off" in a corner for 1.2 s after F2, over the game or a
// card, and never in the frames the game keeps; classic shows nothing.
#include <gtest/gtest.h>

#include "session_fixture.h"

namespace tobu::testing {
namespace {

class SoundNotice : public ::testing::Test, public SessionFixture {};

TEST_F(SoundNotice, ClassicDrawsNothing) {
  ToRun();
  const uint64_t presents = display.PresentCount();
  session.SoundSwitched(false);
  EXPECT_EQ(display.PresentCount(), presents);
}

TEST_F(SoundNotice, LastsItsTicksOverTheRunAndLeavesTheGameFrameAlone) {
  ToRun();
  session.SetPlus(true);
  Tick();
  const FrameBuffer game = display.Presented();
  session.SoundSwitched(false);
  EXPECT_NE(display.Presented(), game);
  EXPECT_EQ(session.GameFrame(), game);  // F12 takes the run without it
  Tick(CornerNotice::Ticks - 1);
  EXPECT_NE(display.Presented(), session.GameFrame());
  Tick();
  EXPECT_EQ(display.Presented(), session.GameFrame());
}

TEST_F(SoundNotice, ShowsOverThePauseCardAndTheCardClosesOnTheRunWithoutIt) {
  ToRun();
  session.SetPlus(true);
  Tick();
  const FrameBuffer game = display.Presented();
  Press(VkP);
  const FrameBuffer card = display.Presented();
  session.SoundSwitched(true);
  EXPECT_NE(display.Presented(), card);
  Tick(CornerNotice::Ticks);  // the card's ticks age it too
  EXPECT_EQ(display.Presented(), card);
  session.SoundSwitched(false);
  Press(VkP);
  EXPECT_EQ(session.GameFrame(), game);
  EXPECT_NE(display.Presented(), game);  // still shown over the run
}

}  // namespace
}  // namespace tobu::testing
