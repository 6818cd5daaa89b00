// Plus: a character no name takes, or Return with no name, is refused aloud and the field
// says why; Ctrl or Alt letters type nothing; classic refuses without a word.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "shell/roster.h"
#include "support/game_fixture.h"

namespace tobu::testing {
namespace {

struct TypedName {
  const char* Name;
  bool Plus, Level;  // Level: the editor's Save dialog, else the player's name
  std::string Typed;
  int Errors;
  bool Hint;  // after the last character
  bool Command = false;  // typed with Ctrl or Alt held
  bool AnnKnown = false;  // Ann is on the roster already
};
void PrintTo(const TypedName& c, std::ostream* out) { *out << c.Name; }

class NameRefusal : public GameFixture, public ::testing::WithParamInterface<TypedName> {
 protected:
  void OpenField(bool plus, bool level, bool annKnown) {
    form.Plus = plus;
    if (!level) {
      PlayerRoster roster;
      roster.PlayerCount = annKnown ? 1 : 0;
      roster.PlayerNames[1] = "Ann";
      if (annKnown) WriteRoster("Players.dat", roster, 1);
      form.Start();
      if (annKnown) Press(VkUp);  // from Ann, the last player, to "Create New Player"
      Press(VkReturn);
      return;
    }
    StartAsNewPlayer();
    Press(VkDown);
    Press(VkReturn);
    form.KeyDown('S');
    form.KeyUp('S');  // the dialog opens as S goes up
  }
  int Errors() {
    const std::vector<GameEvent> events = form.Events.Drain();
    return static_cast<int>(std::count(events.begin(), events.end(), GameEvent::Error));
  }
};

TEST_P(NameRefusal, RefusedCharactersSoundAndTheHintStaysUntilTheNextCharacter) {
  const TypedName& c = GetParam();
  OpenField(c.Plus, c.Level, c.AnnKnown);
  ASSERT_TRUE(c.Level ? form.Editor.SavePromptOpen : form.Mode == GameMode::CreateNewPlayer);
  EXPECT_EQ(Errors(), 0) << "the key that opened the field";
  for (const char ch : c.Typed) form.KeyPress(static_cast<uint8_t>(ch), c.Command);
  EXPECT_EQ(Errors(), c.Errors);
  EXPECT_EQ(form.NameFieldHint != nullptr, c.Hint);
}

INSTANTIATE_TEST_SUITE_P(
    Typed, NameRefusal,
    ::testing::Values(TypedName{"AnAccentASpaceAndATildeButAFullStop", true, false, "Zo\xE9 .b~", 3, true},
                      TypedName{"TheNextLetterClearsTheHint", true, false, "Zo\xE9" "e", 1, false},
                      TypedName{"AFullStopAndABackslashAreNoLevels", true, true, "a.b\\", 2, true},
                      TypedName{"ASpaceInALevelNameIsADash", true, true, "my level", 0, false},
                      TypedName{"BackspaceIsNoRefusal", true, true, "\xE9\x08", 1, false},
                      TypedName{"ClassicSaysNothing", false, false, "Zo\xE9 ~", 0, false},
                      TypedName{"ReturnWithNoName", true, false, "\r", 1, true},
                      TypedName{"ANameOnTheRosterIsRefused", true, false, "Ann\r", 1, true, false, true},
                      TypedName{"ReturnWithNoLevelName", true, true, "\r", 1, true},
                      TypedName{"CtrlLettersTypeNothing", true, true, "z~", 0, false, true}),
    [](const ::testing::TestParamInfo<TypedName>& param) { return std::string(param.param.Name); });

}  // namespace
}  // namespace tobu::testing
