// Plus says "Sound on" or "Sound off" in a corner for 1.2 s after F2, over the game or a
// card, and never in the frames the game keeps; classic shows nothing.
#include <gtest/gtest.h>

#include "session_fixture.h"

namespace tobu::testing {
namespace {

class SoundNotice : public ::testing::Test, public SessionFixture {};

TEST_F(SoundNotice, PlusShowsItForItsTicksOutsideTheKeptFrameAndClassicNever) {
  ToRun();
  const uint64_t presents = display.PresentCount();
  session.SoundSwitched(false);
  EXPECT_EQ(display.PresentCount(), presents);  // classic
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

}  // namespace
}  // namespace tobu::testing
