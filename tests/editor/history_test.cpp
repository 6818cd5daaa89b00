#include "editor/history.h"

#include <gtest/gtest.h>

#include "support/editor_fixture.h"

namespace tobu::testing {
namespace {

class History : public EditorFixture {
 protected:
  // Three objects, a painted row and a start: something for every gesture to change.
  void BuildLevel() {
    Drag(MouseButton::Left, 20, 300, 400);
    Press('3');
    Click(MouseButton::Left, 100, 100);
    Press('4');
    Click(MouseButton::Left, 200, 100);
    Press('5');
    Click(MouseButton::Left, 300, 100);
    StartAt(60, 360);
  }
};

class EachGesture;
struct Gesture {
  const char* Name;
  void (*Do)(EachGesture&);
  friend void PrintTo(const Gesture& g, std::ostream* out) { *out << g.Name; }
};

class EachGesture : public History, public ::testing::WithParamInterface<Gesture> {
 public:
  // The fixture's helpers, for the gestures below.
  friend struct GestureSteps;
};

struct GestureSteps {
  static void PaintStroke(EachGesture& t) {
    t.Press('2');
    t.Drag(MouseButton::Left, 20, 400, 200);
  }
  static void EraseStroke(EachGesture& t) {
    t.Press('1');
    t.Drag(MouseButton::Right, 20, 200, 400);
  }
  static void BothButtons(EachGesture& t) {
    t.Press('2');
    t.form.MouseDown(MouseButton::Left, 50, 250);
    t.form.MouseDown(MouseButton::Right, 90, 250);  // one stroke while any button is held
    t.form.MouseMove(130, 250);
    t.form.MouseUp(MouseButton::Left, 130, 250);
    t.form.MouseMove(170, 250);
    t.form.MouseUp(MouseButton::Right, 170, 250);
  }
  static void Place(EachGesture& t) {
    t.Press('4');
    t.Click(MouseButton::Left, 500, 300);
  }
  static void RemoveMiddle(EachGesture& t) {
    t.Press('3');
    t.Click(MouseButton::Right, 200, 100);
  }
  static void MoveStart(EachGesture& t) { t.StartAt(500, 200); }
};

// Each gesture is one step: undo gives back the level before it, redo the one after,
// and the saved file after undo is the file saved before, byte for byte.
TEST_P(EachGesture, UndoAndRedoAreOneStepAndSaveTheSameBytes) {
  BuildLevel();
  const LevelPicture before = Picture(level());
  const std::vector<uint8_t> savedBefore = SavedBytes("before");
  const size_t steps = form.Editor.History.UndoCount();
  GetParam().Do(*this);
  const LevelPicture after = Picture(level());
  ASSERT_NE(after, before);
  ASSERT_EQ(form.Editor.History.UndoCount(), steps + 1);
  Undo();
  EXPECT_EQ(Picture(level()), before);
  EXPECT_EQ(SavedBytes("undone"), savedBefore);
  Redo();
  EXPECT_EQ(Picture(level()), after);
  Undo();
  Chord('Z', true);  // Ctrl+Shift+Z redoes too
  EXPECT_EQ(Picture(level()), after);
}

INSTANTIATE_TEST_SUITE_P(Editor, EachGesture,
                         ::testing::Values(Gesture{"PaintStroke", GestureSteps::PaintStroke},
                                           Gesture{"EraseStroke", GestureSteps::EraseStroke},
                                           Gesture{"BothButtons", GestureSteps::BothButtons},
                                           Gesture{"Place", GestureSteps::Place},
                                           Gesture{"RemoveMiddle", GestureSteps::RemoveMiddle},
                                           Gesture{"MoveStart", GestureSteps::MoveStart}),
                         [](const auto& gesture) { return std::string(gesture.param.Name); });

TEST_F(History, EverythingUndoneIsTheEmptyLevelAndRedoneTheBuiltOne) {
  const std::vector<uint8_t> empty = SavedBytes("empty");
  BuildLevel();
  const std::vector<uint8_t> built = SavedBytes("built");
  EXPECT_EQ(form.Editor.History.UndoCount(), 5u);  // a stroke, three objects, the start
  for (int i = 0; i < 5; ++i) Undo();
  EXPECT_EQ(SavedBytes("undone"), empty);
  Undo();  // nothing left: no change
  EXPECT_EQ(SavedBytes("undone"), empty);
  for (int i = 0; i < 6; ++i) Redo();
  EXPECT_EQ(SavedBytes("redone"), built);
}

TEST_F(History, ANewGestureDropsTheRedoSteps) {
  BuildLevel();
  Undo();
  Undo();
  EXPECT_EQ(form.Editor.History.RedoCount(), 2u);
  Press('3');
  Click(MouseButton::Left, 400, 300);
  EXPECT_EQ(form.Editor.History.RedoCount(), 0u);
  const LevelPicture now = Picture(level());
  Redo();
  EXPECT_EQ(Picture(level()), now);
}

// Presses that change nothing are no steps and keep what can be redone.
TEST_F(History, PressesThatChangeNothingAreNoSteps) {
  BuildLevel();
  Undo();
  Click(MouseButton::Right, 600, 450);  // no object there
  Press('1');
  Drag(MouseButton::Right, 600, 630, 450);  // empty cells erased
  StartAt(100, 100);                        // the start where the undo put it
  EXPECT_EQ(form.Editor.History.RedoCount(), 1u);
  EXPECT_EQ(form.Editor.History.UndoCount(), 4u);
}

TEST_F(History, KeysWithoutCtrlOrInAPromptDoNotUndo) {
  BuildLevel();
  const LevelPicture built = Picture(level());
  Press('Z');
  Press('Y');
  EXPECT_EQ(Picture(level()), built);
  OpenPrompt('S');
  Undo();
  EXPECT_EQ(Picture(level()), built);
  EXPECT_EQ(form.Editor.InputText, "z");  // typed into the name instead
}

TEST_F(History, UndoInTheMiddleOfAStrokeTakesBackWhatWasDrawn) {
  Press('2');
  form.MouseDown(MouseButton::Left, 20, 100);
  form.MouseMove(60, 100);
  Undo();
  EXPECT_EQ(level().Cell(0, 3), TileEmpty);
  EXPECT_EQ(level().Cell(1, 3), TileEmpty);
  form.MouseMove(100, 100);
  form.MouseUp(MouseButton::Left, 100, 100);
  EXPECT_EQ(level().Cell(2, 3), TileGround);
  Undo();
  EXPECT_EQ(level().Cell(2, 3), TileEmpty);
  Redo();
  Redo();  // the part undone was dropped by the rest of the stroke
  EXPECT_EQ(level().Cell(0, 3), TileEmpty);
  EXPECT_EQ(level().Cell(2, 3), TileGround);
}

TEST_F(History, OpeningALevelAndLeavingTheEditorForgetIt) {
  BuildLevel();
  SaveAs("built");
  ASSERT_GT(form.Editor.History.UndoCount(), 0u);
  EXPECT_THROW(PromptWith('O', "missing\r"), FileError);  // changes nothing, the history included
  EXPECT_EQ(form.Editor.History.UndoCount(), 5u);
  Press(VkEscape);
  PromptWith('O', "built\r");
  EXPECT_EQ(form.Editor.History.UndoCount(), 0u);
  Press('3');
  Click(MouseButton::Left, 400, 300);
  Press(VkEscape);
  EXPECT_EQ(form.Editor.History.UndoCount(), 0u);
  Press(VkReturn);
  ASSERT_EQ(form.Mode, GameMode::editor);
  Undo();
  EXPECT_EQ(level().ObjectCount, 0);
}

// The history keeps its newest Depth steps, each of them a delta: a 500-step history of
// strokes and objects stays within a few tens of kilobytes.
TEST(EditHistoryDepth, KeepsTheNewestStepsAsSmallDeltas) {
  World world;
  world.ClearLevel();
  EditHistory history;
  for (int i = 0; i < 600; ++i) {
    if (i % 2 == 0) {
      for (int row = 0; row < 4; ++row) {
        const uint8_t old = world.Cell(i % GridSize, row);
        const uint8_t code = old == TileGrass ? TileGround : TileGrass;
        history.RecordCell(i % GridSize, row, old, code);
        world.SetCell(i % GridSize, row, code);
      }
      history.EndStroke();
    } else {
      history.RecordPlace(world.AppendObject(), world.ObjectCount - 1);
    }
  }
  EXPECT_EQ(history.UndoCount(), EditHistory::Depth);
  EXPECT_LT(history.Bytes(), 48u * 1024u);
  std::printf("[ history ] %zu steps: %zu bytes\n", history.UndoCount(), history.Bytes());
  int undone = 0;
  while (history.Undo(world)) ++undone;
  EXPECT_EQ(undone, 500);
  EXPECT_EQ(world.ObjectCount, 50);  // the 50 placed before the kept steps began
}

}  // namespace
}  // namespace tobu::testing
