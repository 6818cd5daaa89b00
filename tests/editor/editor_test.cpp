#include <gtest/gtest.h>

#include <functional>

#include "support/editor_fixture.h"

namespace tobu::testing {
namespace {

class Editor : public EditorFixture {
 protected:
  void OpenSavePrompt() {
    form.KeyDown('S');
    form.KeyPress('s');
    form.KeyUp('S');
  }
  World& level() { return form.Level; }
};

TEST_F(Editor, SaveUnderATypedName) {
  OpenSavePrompt();
  ASSERT_TRUE(form.Editor.SavePromptOpen);
  EXPECT_EQ(form.Editor.InputText, "");  // the S that opened the prompt is not typed
  Press('S');
  Type("a.b/c\\d");
  EXPECT_EQ(form.Editor.InputText, "sabcd");
  Press(VkReturn);
  EXPECT_FALSE(form.Editor.PromptOpen());
  EXPECT_EQ(form.Editor.InputText, "sabcd");
  EXPECT_EQ(std::filesystem::file_size("sabcd.vel"), 10213u);
  Tick();
  EXPECT_TRUE(display.Texts.empty());
  form.KeyUp('O');
  Tick();
  EXPECT_EQ(display.Texts, std::vector<std::string>{"Open: sabcd_"});
}

TEST_F(Editor, NameStopsAtTwentyCharacters) {
  OpenSavePrompt();
  Type("abcdefghijklmnopqrstuvwxyz");
  EXPECT_EQ(form.Editor.InputText, "abcdefghijklmnopqrst");
  Type("\x08");
  EXPECT_EQ(form.Editor.InputText.size(), 19u);
  Press('3');
  EXPECT_EQ(form.Editor.Brush, 1);  // digits go into the name while a prompt is open
}

// A prompt opens over the last name: classic adds to it; plus replaces it with the first
// letter typed, empties it on Backspace, and keeps it for Return or after a Tab.
TEST_F(Editor, ReopenedPromptsName) {
  const struct {
    const char* Case;
    bool Plus;
    std::function<void()> Keys;
    const char* Name;
  } cases[] = {
      {"classic adds", false, [&] { Type("x"); }, "hillx"},
      {"plus replaces", true, [&] { Type("xy"); }, "xy"},
      {"plus Backspace empties", true, [&] { Type("\x08"); }, ""},
      {"plus Escape then again", true, [&] { Press(VkEscape), form.KeyUp('O'), Type("x"); }, "x"},
  };
  for (const auto& c : cases) {
    form.Plus = c.Plus;
    form.Editor.InputText = "hill";
    form.KeyUp('O');
    ASSERT_TRUE(form.Editor.OpenPromptOpen) << c.Case;
    c.Keys();
    EXPECT_EQ(form.Editor.InputText, c.Name) << c.Case;
    Press(VkEscape);
  }
}

TEST_F(Editor, ReturnWithAnEmptyNameKeepsThePrompt) {
  OpenSavePrompt();
  Press(VkReturn);
  EXPECT_TRUE(form.Editor.SavePromptOpen);
}

TEST_F(Editor, EscapeClosesThePromptThenLeaves) {
  OpenSavePrompt();
  Type("abc");
  Press(VkEscape);
  EXPECT_EQ(form.Mode, GameMode::editor);
  EXPECT_FALSE(form.Editor.PromptOpen());
  Press(VkEscape);
  EXPECT_EQ(form.Mode, GameMode::MainMenu);
  EXPECT_EQ(form.MenuCursor, 1);
  Press(VkReturn);
  EXPECT_EQ(form.Mode, GameMode::editor);
  EXPECT_EQ(form.Editor.InputText, "");
}

TEST_F(Editor, ObjectsArePlacedCentredAndRemovedInside) {
  Press('3');
  Click(MouseButton::Left, 100, 50);
  ASSERT_EQ(level().ObjectCount, 1);
  EXPECT_EQ(level().ObjectList[0], (LevelObject{ObjectFood, 80, 30}));
  Press('5');
  Click(MouseButton::Right, 80, 50);  // on the left border: nothing
  EXPECT_EQ(level().ObjectCount, 1);
  Click(MouseButton::Right, 81, 31);
  EXPECT_EQ(level().ObjectCount, 0);
}

TEST_F(Editor, OverlappingObjectsGoLastFirst) {
  Press('4');
  Click(MouseButton::Left, 100, 100);
  Press('5');
  Click(MouseButton::Left, 110, 100);
  Press('3');
  Click(MouseButton::Right, 105, 100);
  ASSERT_EQ(level().ObjectCount, 1);
  EXPECT_EQ(level().ObjectList[0].Kind, ObjectKiller);
}

TEST_F(Editor, DraggingPaintsTilesButPlacesOneObject) {
  form.MouseDown(MouseButton::Left, 10, 10);
  for (int x = 10; x < 200; x += 20) form.MouseMove(x, 10);
  form.MouseUp(MouseButton::Left, 200, 10);
  for (int c = 0; c <= 4; ++c) EXPECT_EQ(level().Cell(c, 0), TileGrass) << c;
  form.MouseMove(300, 10);
  EXPECT_EQ(level().Cell(7, 0), TileEmpty);  // released: moving paints nothing
  Press('3');
  form.MouseDown(MouseButton::Left, 300, 300);
  for (int x = 300; x < 400; x += 10) form.MouseMove(x, 300);
  EXPECT_EQ(level().ObjectCount, 1);
}

// Plus: Shift and a left drag paint every cell from press to release, whichever way it
// goes, the far corner above the toolbar; a right drag erases them from a full level; an
// object brush places one object as a click does. One undo gives back the level before.
TEST_F(Editor, ShiftDragPaintsARectangleUndoneAtOnce) {
  form.Plus = true;
  const struct {
    char Brush;
    MouseButton Button;
    int X0, Y0, X1, Y1;
    int Left, Top, Right, Bottom;  // the cells changed, or none when Right < Left
    int Objects;
  } cases[] = {
      {'2', MouseButton::Left, 50, 40, 130, 100, 1, 1, 3, 3, 0},
      {'1', MouseButton::Left, 130, 100, 50, 40, 1, 1, 3, 3, 0},
      {'2', MouseButton::Left, 10, 400, 10, 470, 0, 12, 0, 13, 0},  // released over the toolbar: row 427 / 31
      {'3', MouseButton::Left, 50, 40, 130, 100, 0, 0, -1, -1, 1},
      {'1', MouseButton::Right, 130, 40, 50, 100, 1, 1, 3, 3, 0},
  };
  for (const auto& c : cases) {
    const bool erases = c.Button == MouseButton::Right;
    level().TileGrid.fill(erases ? TileGround : TileEmpty);
    const auto before = level().TileGrid;
    Press(static_cast<uint16_t>(c.Brush));
    form.KeyDown(VkShift);
    form.MouseDown(c.Button, c.X0, c.Y0);
    form.MouseMove(c.X1, c.Y1);
    if (erases) {  // the other button neither paints nor ends the rectangle
      form.MouseDown(MouseButton::Left, 300, 300);
      form.MouseUp(MouseButton::Left, 300, 300);
    }
    form.MouseUp(c.Button, c.X1, c.Y1);
    form.KeyUp(VkShift);
    for (int col = 0; col < GridSize; ++col) {
      for (int row = 0; row < GridSize; ++row) {
        const bool inside = col >= c.Left && col <= c.Right && row >= c.Top && row <= c.Bottom;
        ASSERT_EQ(level().Cell(col, row) != before[0], inside) << c.Brush << " " << col << "," << row;
        if (inside && c.Brush == '1' && !erases) {  // grass on top, ground under it
          ASSERT_EQ(level().Cell(col, row), row == c.Top ? TileGrass : TileGround) << col << "," << row;
        }
      }
    }
    EXPECT_EQ(level().ObjectCount, c.Objects) << c.Brush;
    Undo();
    EXPECT_EQ(level().TileGrid, before) << c.Brush;
    EXPECT_EQ(level().ObjectCount, 0) << c.Brush;
  }
}

// Plus: a click on Tab's map centres the view on the cell there, as far as the camera
// goes, and paints nothing; Escape closes the map, not the editor; a middle drag pulls
// the world along until its release.
TEST_F(Editor, PlusMapAndMiddleDragMoveOnlyTheView) {
  form.Plus = true;
  constexpr int MapLeft = 118, MapTop = 5, CellSide = 4;
  constexpr int32_t Lowest = CameraMaxY + ViewHeight - EditorToolbarTop;
  const struct {
    int Column, Row;
    int32_t CameraX, CameraY;
  } clicks[] = {
      {50, 50, 50 * CellWidth + CellWidth / 2 - ViewWidth / 2, 50 * CellHeight + 15 - EditorToolbarTop / 2},
      {0, 0, 0, 0},
      {100, 100, CameraMaxX, Lowest},
  };
  for (const auto& c : clicks) {
    Press(VkTab);
    Click(MouseButton::Left, MapLeft + c.Column * CellSide, MapTop + c.Row * CellSide);
    EXPECT_EQ(form.Level.CameraX, c.CameraX) << c.Column;
    EXPECT_EQ(form.Level.CameraY, c.CameraY) << c.Column;
  }
  Press(VkTab);
  for (int repeat = 0; repeat < 2; ++repeat) form.KeyDown(VkEscape);  // held: it closes the map only
  form.KeyUp(VkEscape);
  EXPECT_EQ(form.Mode, GameMode::editor);
  form.MouseDown(MouseButton::Middle, 300, 200);
  form.MouseMove(340, 100);  // the camera 40 left, and no lower than it is
  form.MouseUp(MouseButton::Middle, 340, 100);
  form.MouseMove(0, 0);
  EXPECT_EQ(form.Level.CameraX, CameraMaxX - 40);
  EXPECT_EQ(form.Level.CameraY, Lowest);
  EXPECT_FALSE(form.Editor.Unsaved);
}

TEST_F(Editor, BothButtonsEraseWhileMoving) {
  Press('2');
  form.MouseDown(MouseButton::Left, 50, 50);
  EXPECT_EQ(level().Cell(1, 1), TileGround);
  form.MouseDown(MouseButton::Right, 50, 50);
  form.MouseMove(50, 50);
  EXPECT_EQ(level().Cell(1, 1), TileEmpty);
}

TEST_F(Editor, PointerOutsideTheGridTouchesNothing) {
  form.Level.CameraX = CameraMaxX;
  form.Level.CameraY = CameraMaxY;
  const auto before = level().TileGrid;
  const int points[][2] = {{700, 100}, {100, 520}, {-10000, -10000}, {5000, 5000}};
  for (const auto& p : points) {
    form.MouseDown(MouseButton::Left, p[0], p[1]);
    form.MouseMove(p[0], p[1]);
    form.MouseUp(MouseButton::Left, p[0], p[1]);
  }
  EXPECT_EQ(level().TileGrid, before);
  form.MouseDown(MouseButton::Left, 679, 510);  // still column 100, row 100
  EXPECT_EQ(level().Cell(100, 100), TileGrass);
}

TEST_F(Editor, SpaceMovesTheStartToThePointer) {
  form.Level.CameraX = 400;
  form.MouseMove(300, 200);
  Press(VkSpace);
  EXPECT_EQ(level().RunnerX, 700.0);
  EXPECT_EQ(level().RunnerY, 200.0);
  OpenSavePrompt();
  Type("start");
  Press(VkReturn);
  const auto bytes = ReadBytes("start.vel");
  ASSERT_EQ(bytes.size(), 10213u);
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 10205, bytes.end()),
            (std::vector<uint8_t>{0xBC, 0x02, 0, 0, 200, 0, 0, 0}));
}

TEST_F(Editor, OpenAFailedNameKeepsThePrompt) {
  form.KeyUp('L');
  ASSERT_TRUE(form.Editor.OpenPromptOpen);
  Type("missing");
  EXPECT_THROW(form.KeyPress(13), FileError);
  EXPECT_TRUE(form.Editor.OpenPromptOpen);
  EXPECT_EQ(form.Editor.InputText, "missing");
}

TEST_F(Editor, MarkerAndPromptAreDrawn) {
  Tick();
  const auto& marker = display.Calls[display.FirstIndexOf(SheetKippo)];
  EXPECT_EQ(marker.X, 100 - 14);
  EXPECT_EQ(marker.Y, 100 - 61);
  EXPECT_EQ(display.CountSheet(SheetDigits), 0);
}

TEST_F(Editor, ButtonsReleasedOutsideTheEditorAreForgotten) {
  form.MouseDown(MouseButton::Left, 10, 10);
  Press(VkEscape);
  form.MouseUp(MouseButton::Left, 10, 10);
  EXPECT_FALSE(form.Editor.LeftButtonDown);
  form.MouseMove(33, 44);
  EXPECT_EQ(form.Editor.MouseX, 33);
  EXPECT_FALSE(display.PointerShown);
}

TEST_F(Editor, BrushIsKeptAcrossVisits) {
  Press('4');
  Press(VkEscape);
  Press(VkReturn);
  EXPECT_EQ(form.Editor.Brush, 4);
}

// Unsaved is what the level holds against its file, not whether anything was done: F5 and
// Escape ask only when a save would write other bytes.
TEST_F(Editor, UnsavedWhenTheLevelDiffersFromItsFile) {
  const struct {
    const char* Name;
    std::function<void()> Edit;
    bool Unsaved;
  } cases[] = {
      {"untouched", [] {}, false},
      {"a tile", [this] { Click(MouseButton::Left, 200, 200); }, true},
      {"a tile undone", [this] { Click(MouseButton::Left, 200, 200), Chord('Z'); }, false},
      {"undone and redone", [this] { Click(MouseButton::Left, 200, 200), Chord('Z'), Chord('Y'); }, true},
      {"erasing nothing", [this] { Click(MouseButton::Right, 200, 200); }, false},
      {"an apple placed and removed",
       [this] { Press('3'), Click(MouseButton::Left, 300, 300), Click(MouseButton::Right, 300, 300); },
       false},
      {"the start where it was", [this] { StartAt(100, 100); }, false},
      {"the start moved", [this] { StartAt(300, 100); }, true},
      {"saved, then undone and redone",
       [this] {
         Click(MouseButton::Left, 200, 200), OpenSavePrompt(), Type("mine"), Press(VkReturn);
         Chord('Z'), Chord('Y');
       },
       false},
  };
  for (const auto& c : cases) {
    c.Edit();
    EXPECT_EQ(form.Editor.Unsaved, c.Unsaved) << c.Name;
    Press(VkEscape);  // to the main menu, "Editor" under the pointer, and in again
    Press(VkReturn);
  }
}

}  // namespace
}  // namespace tobu::testing
