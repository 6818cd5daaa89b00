// The help card on every screen: ticks stop, keys stay away from the game, and closing
// it presents the game's frame again exactly.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

#include "present/sheets.h"
#include "session/cards.h"
#include "session_fixture.h"

namespace tobu::testing {
namespace {

struct Screen {
  const char* Name;
  std::function<void(SessionFixture&)> Reach;
};
void PrintTo(const Screen& c, std::ostream* out) { *out << c.Name; }

void ToEditor(SessionFixture& f) {
  f.ToMainMenu();
  f.Press(VkDown);
  f.Press(VkReturn);
  f.Tick(3);
}

const Screen Screens[] = {
    {"SelectPlayer", [](SessionFixture& f) { f.session.Start(), f.Tick(3); }},
    {"CreateNewPlayer", [](SessionFixture& f) { f.session.Start(), f.Press(VkReturn), f.Tick(3); }},
    {"MainMenu", [](SessionFixture& f) { f.ToMainMenu(); }},
    {"SelectLevel", [](SessionFixture& f) { f.ToMainMenu(), f.Press(VkReturn), f.Tick(3); }},
    {"Run", [](SessionFixture& f) { f.ToRun(); }},
    {"Editor", ToEditor},
};

class HelpCard : public ::testing::TestWithParam<Screen>, public SessionFixture {};

TEST_P(HelpCard, StopsTicksSwallowsKeysAndRestoresTheFrame) {
  GetParam().Reach(*this);
  const FrameBuffer before = display.Presented();
  const std::string state = StateLine(form);

  Press(VkF1);
  ASSERT_EQ(session.OpenCard(), Session::Card::Help);
  EXPECT_NE(display.Presented(), before);
  EXPECT_EQ(session.GameFrame(), before);
  // Keys of every screen, typed characters, the mouse and a hundred ticks change nothing.
  for (const int key :
       {VkDown, VkReturn, VkLeft, VkSpace, VkBack, VkDelete, VirtualKey{'3'}, VirtualKey{VkP}})
    Press(static_cast<uint16_t>(key));
  session.KeyPress('x');
  session.MouseDown(MouseButton::Left, 300, 300);
  session.MouseMove(310, 310);
  Tick(100);
  EXPECT_EQ(StateLine(form), state);

  Press(VkEscape);  // closes the card and nothing else
  EXPECT_EQ(session.OpenCard(), Session::Card::None);
  EXPECT_FALSE(form.Closed);
  EXPECT_EQ(StateLine(form), state);
  EXPECT_EQ(display.Presented(), before);
  for (const bool held : form.KeyHeld) EXPECT_FALSE(held);
}

// What was pressed, clicked and painted while the card was open leaves no trace: the
// ticks after it are those of a twin that never opened it.
TEST_P(HelpCard, F1ClosesItAgainAndTheNextTicksAreTheGamesOwn) {
  GetParam().Reach(*this);
  SessionFixture twin;
  GetParam().Reach(twin);
  Press(VkF1);
  session.MouseDown(MouseButton::Left, 200, 200);
  session.MouseMove(260, 240);
  session.MouseUp(MouseButton::Left, 260, 240);
  session.MouseDown(MouseButton::Right, 100, 100);
  session.MouseUp(MouseButton::Right, 100, 100);
  Press(VkDown);
  Press(VkF1);
  EXPECT_EQ(session.OpenCard(), Session::Card::None);
  Tick(5);
  twin.Tick(5);
  EXPECT_EQ(display.Presented(), twin.display.Presented());
  EXPECT_EQ(StateLine(form), StateLine(twin.form));
}

INSTANTIATE_TEST_SUITE_P(Screens, HelpCard, ::testing::ValuesIn(Screens),
                         [](const ::testing::TestParamInfo<Screen>& param) { return param.param.Name; });

class HelpCardKeys : public ::testing::Test, public SessionFixture {};

// A key held when the card opens and let go while it is open is let go for the game when
// it closes; a key pressed while it is open never reaches the game, nor does its release.
TEST_F(HelpCardKeys, ReleasesAreHeldBackAndPressesSwallowed) {
  ToRun();
  session.KeyDown(VkRight);
  Press(VkF1);
  session.KeyUp(VkRight);
  session.KeyDown(VkLeft);
  EXPECT_TRUE(form.KeyHeld[VkRight]);
  Press(VkF1);
  EXPECT_FALSE(form.KeyHeld[VkRight]);
  EXPECT_FALSE(form.KeyHeld[VkLeft]);
  session.KeyUp(VkLeft);
  EXPECT_FALSE(form.KeyHeld[VkLeft]);
}

// SDL repeats a held key: a held F1 must not open and close the card over and over, and a
// held Right repeating while the card is open still reaches the game's release.
TEST_F(HelpCardKeys, RepeatsOfHeldKeysChangeNothing) {
  ToRun();
  session.KeyDown(VkRight);
  session.KeyDown(VkF1);
  for (int i = 0; i < 3; ++i) {
    session.KeyDown(VkF1);
    session.KeyDown(VkRight);
  }
  EXPECT_EQ(session.OpenCard(), Session::Card::Help);
  session.KeyUp(VkF1);
  session.KeyUp(VkRight);
  Press(VkEscape);
  EXPECT_FALSE(form.KeyHeld[VkRight]);
}

TEST_F(HelpCardKeys, TheCharacterOfATakenKeyIsNotTyped) {
  session.Start();
  Press(VkReturn);  // "Create New Player": letters are typed
  session.KeyDown(VkF1);
  session.KeyUp(VkF1);
  session.KeyDown('P');
  session.KeyPress('p');
  session.KeyUp('P');
  Press(VkF1);
  Press('P');  // P pauses only a run; here it types
  EXPECT_EQ(form.Players.PlayerName, "p");
}

// The editor's card pictures the five brushes from the sheets, the current one outlined.
class EditorBrushes : public ::testing::TestWithParam<int>, public SessionFixture {};

TEST_P(EditorBrushes, PicturedWithTheCurrentOneOutlined) {
  ToEditor(*this);
  Press(static_cast<uint16_t>('0' + GetParam()));
  Press(VkF1);
  const FrameBuffer& card = display.Presented();
  for (int brush = 1; brush <= 5; ++brush) {
    const size_t corner = static_cast<size_t>((BrushTop - 6) * ViewWidth + BrushLeft(brush) - 6);
    EXPECT_EQ(card[corner] == 0xFFFF, brush == GetParam()) << "brush " << brush;
  }
  // Grass and ground are opaque: their pictures stand on the card pixel for pixel.
  for (const auto& [brush, sheet] : {std::pair{1, SheetGrass}, std::pair{2, SheetGround}}) {
    SoftwareDisplay alone;
    alone.DrawFrame(sheet, BrushLeft(brush), BrushTop, 0);
    for (int y = BrushTop; y < BrushTop + 31; ++y)
      for (int x = BrushLeft(brush); x < BrushLeft(brush) + 40; ++x) {
        const size_t at = static_cast<size_t>(y * ViewWidth + x);
        ASSERT_EQ(card[at], alone.BackBuffer()[at]) << "brush " << brush << " at " << x << "," << y;
      }
  }
}

INSTANTIATE_TEST_SUITE_P(Brushes, EditorBrushes, ::testing::Values(1, 2, 3, 4, 5),
                         [](const ::testing::TestParamInfo<int>& param) {
                           return "Brush" + std::to_string(param.param);
                         });

}  // namespace
}  // namespace tobu::testing
