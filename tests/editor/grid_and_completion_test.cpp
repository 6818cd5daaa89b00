#include <gtest/gtest.h>

#include "present/cell_grid.h"
#include "support/editor_fixture.h"

namespace tobu::testing {
namespace {

class Grid : public EditorFixture {
 protected:
  // One frame drawn with the animation where it was, so frames can be compared.
  void Frame(const Animation& anim) {
    form.Anim = anim;
    Tick();
  }
  bool SameCalls(const std::vector<RecordingDisplay::Call>& a) const {
    if (a.size() != display.Calls.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
      const auto& [s, x, y, f] = a[i];
      const auto& [s2, x2, y2, f2] = display.Calls[i];
      if (s != s2 || x != x2 || y != y2 || f != f2) return false;
    }
    return true;
  }
};

// G adds the grid after the objects and before the start marker, and G again gives back
// today's frame exactly; every entry to the editor starts without it.
TEST_F(Grid, GSwitchesTheOverlayAndOffIsTodaysFrame) {
  Press('3');
  Click(MouseButton::Left, 100, 100);
  const Animation anim = form.Anim;
  Frame(anim);
  const auto plain = display.Calls;
  ASSERT_TRUE(display.Rects.empty());
  Press('G');
  Frame(anim);
  EXPECT_TRUE(SameCalls(plain));
  ASSERT_EQ(display.Rects.size(), 32u);  // 16 columns and 16 rows at camera (0, 0)
  const size_t marker = static_cast<size_t>(display.FirstIndexOf(SheetKippo));
  for (const auto& rect : display.Rects) EXPECT_EQ(rect.AfterCalls, marker);
  EXPECT_EQ(display.Calls[marker - 1].Sheet, SheetFood);
  Press('G');
  Frame(anim);
  EXPECT_TRUE(SameCalls(plain));
  EXPECT_TRUE(display.Rects.empty());
  Press('G');
  Press(VkEscape);
  Press(VkReturn);
  Tick();
  EXPECT_TRUE(display.Rects.empty());
}

TEST_F(Grid, GInAPromptIsALetterOfTheName) {
  OpenPrompt('S');
  Press('G');
  Tick();
  EXPECT_TRUE(display.Rects.empty());
  EXPECT_EQ(form.Editor.InputText, "g");
}

// Tab in the prompts: files of the level list that the prompt could open, in the list's
// order, cycling through those that start with what was typed.
class Completion : public EditorFixture {
 protected:
  void SetUp() override {
    for (const char* name : {"alpha.vel", "Alps.vel", "beta.vel", "a.b.vel", "ALTO.VEL", "al pha.vel",
                             "abcdefghijklmnopqrstu.vel", "abcdefghijklmnopqrst.vel", "notes.txt"}) {
      MakeLevel(name);
    }
    EditorFixture::SetUp();
  }
  // The names shown after each of `tabs` Tabs.
  std::vector<std::string> Tabs(int tabs, uint16_t key = VkTab) {
    std::vector<std::string> shown;
    for (int i = 0; i < tabs; ++i) {
      Press(key);
      shown.push_back(form.Editor.InputText);
    }
    return shown;
  }
};

struct CompletionCase {
  const char* Name;
  const char* Typed;
  uint16_t Prompt;
  int Tabs;
  std::vector<std::string> Shown;
  uint16_t Key = VkTab;  // or one of plus's picker keys
};

class EachCompletion : public Completion, public ::testing::WithParamInterface<CompletionCase> {};

TEST_P(EachCompletion, TabWalksTheMatches) {
  const CompletionCase& c = GetParam();
  form.Plus = c.Key != VkTab;
  PromptWith(c.Prompt, c.Typed);
  EXPECT_EQ(Tabs(c.Tabs, c.Key), c.Shown);
  EXPECT_TRUE(form.Editor.PromptOpen());
}

const std::vector<std::string> AllNames = {"abcdefghijklmnopqrst", "alpha", "Alps", "beta",
                                           "abcdefghijklmnopqrst"};

INSTANTIATE_TEST_SUITE_P(
    Editor, EachCompletion,
    ::testing::Values(
        CompletionCase{"NothingTypedWalksAll", "", 'O', 5, AllNames},
        CompletionCase{"PrefixCycles", "al", 'O', 4, {"alpha", "Alps", "alpha", "Alps"}},
        CompletionCase{"AnyLetterCase", "AL", 'S', 2, {"alpha", "Alps"}},
        CompletionCase{"WholeNameIsItsOwnMatch", "beta", 'S', 2, {"beta", "beta"}},
        CompletionCase{"NoMatchKeepsTheText", "zz", 'O', 2, {"zz", "zz"}},
        CompletionCase{
            "DownWalksAllAndStops", "", 'O', 5, {AllNames[0], "alpha", "Alps", "beta", "beta"}, VkDown},
        CompletionCase{"UpBeginsAtTheLastMatch", "al", 'S', 3, {"Alps", "alpha", "alpha"}, VkUp},
        CompletionCase{"PageDownStopsAtTheLast", "", 'O', 2, {"beta", "beta"}, 34},
        CompletionCase{"DownWithNoMatchKeepsTheText", "zz", 'O', 1, {"zz"}, VkDown}),
    [](const ::testing::TestParamInfo<CompletionCase>& param) { return std::string(param.param.Name); });

// Typing after a Tab starts a new completion from the new text; Return opens the name.
TEST_F(Completion, TypingStartsAgainAndReturnOpens) {
  PromptWith('O', "a");
  EXPECT_EQ(Tabs(2), (std::vector<std::string>{"abcdefghijklmnopqrst", "alpha"}));
  Type("\b\b");
  EXPECT_EQ(Tabs(3), (std::vector<std::string>{"alpha", "Alps", "alpha"}));  // from "alp"
  Type("\r");
  EXPECT_FALSE(form.Editor.PromptOpen());
  EXPECT_EQ(form.Editor.History.UndoCount(), 0u);
}

// Plus: a click on a listed name shows it in the field, a second click on it opens or
// saves it as Return does, a save over another level asking first.
TEST_F(Completion, PlusListClickPicksAndASecondClickTakesIt) {
  form.Plus = true;
  const struct {
    uint16_t Prompt;
    int Row;
    const char* Name;
    const char* Question;  // after the second click (and a yes to "Save anyway?")
  } cases[] = {{'O', 1, "alpha", ""}, {'S', 2, "Alps", "Replace Alps?"}};
  for (const auto& c : cases) {
    PromptWith(c.Prompt, "");
    const int y = 90 + 88 + 14 * c.Row;
    Click(MouseButton::Left, 200, y);
    EXPECT_EQ(form.Editor.InputText, c.Name);
    EXPECT_TRUE(form.Editor.PromptOpen());
    Click(MouseButton::Left, 200, y);
    if (form.OpenQuestion && form.OpenQuestion->Text == "Save anyway?") Press('Y');
    EXPECT_EQ(form.OpenQuestion ? form.OpenQuestion->Text : "", c.Question);
  }
  EXPECT_EQ(form.Editor.LevelName, "alpha");
}

TEST_F(Completion, TabWithThePromptClosedDoesNothing) {
  Press(VkTab);
  EXPECT_EQ(form.Editor.InputText, "");
  EXPECT_FALSE(form.Editor.PromptOpen());
}

}  // namespace
}  // namespace tobu::testing
