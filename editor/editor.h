// editor/: the level editor's tools, brushes and undo history. Includes world/ only.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "editor/editor_state.h"
#include "world/world.h"

namespace tobu {

constexpr size_t MaxFileNameLength = 20;

// Entering from the main menu: an empty level, no prompt, an empty name, no history and
// no grid; Brush is kept.
void EnterEditor(EditorState& editor, World& world);
// The level in memory is the one in its file now (entered, opened or saved): nothing is unsaved.
void KeepLevelAsSaved(EditorState& editor, const World& world);
// After an edit: unsaved when the level would no longer save to the bytes it was kept as.
void NoteEdit(EditorState& editor, const World& world);
// Back to the main menu: the prompts close and the history is forgotten.
void LeaveEditor(EditorState& editor);

// The cell under a view pixel; none outside the world.
std::optional<GridCell> CellUnderPointer(const World& world, int32_t x, int32_t y);

// What a press or a move did to the level.
enum class EditorChange { None, Paint, Place, Remove };

// A press on the view (no prompt open): paints a cell, places an object centred on the
// pointer, or removes the last object whose box strictly contains the pointer.
EditorChange EditorMouseDown(EditorState& editor, World& world, MouseButton button, int32_t x, int32_t y);
// A move (no prompt open): held buttons paint the cell under the pointer with a tile brush.
EditorChange EditorMouseMove(EditorState& editor, World& world, int32_t x, int32_t y);
// Releases count in every mode, so a button held while leaving the editor is forgotten.
void EditorMouseUp(EditorState& editor, MouseButton button);

// The digit keys choose a brush (editor/brushes.h); Space moves the start to the pointer. Returns true if
// used.
bool EditorToolKey(EditorState& editor, World& world, uint16_t key);
// Ctrl+Z undoes, Ctrl+Y and Ctrl+Shift+Z redo, G shows or hides the grid (no prompt
// open). `keyHeld` tells whether Ctrl and Shift are down. Returns true if used.
bool EditorCommandKey(EditorState& editor, World& world, uint16_t key, const std::array<bool, 256>& keyHeld);
// Key-up of S opens the Save prompt, O or L the Open prompt.
void EditorPromptKeyUp(EditorState& editor, uint16_t key);
// Held arrows scroll the view 8 pixels a tick; the tick clamps the camera afterwards.
void ScrollView(World& world, bool left, bool right, bool up, bool down);

// What Return in a prompt asks the game to do with the typed name.
struct FileRequest {
  bool Save = false;     // otherwise open
  std::string FileName;  // "./" + name + ".vel", inside the levels directory
};
// A character a typed name may hold.
bool AcceptedNameChar(uint8_t ch);
// Plus says so under the field when a character is refused.
inline constexpr const char* LevelNameHint = "Only A-Z, a-z, 0-9 and signs, no spaces or . / \\ { | } ~";
// One typed character while a prompt is open.
std::optional<FileRequest> EditorTypeChar(EditorState& editor, uint8_t ch);
void ClosePrompts(EditorState& editor);
// Tab in a prompt: the name becomes the next level name (`levelFiles` in the level
// list's order, with their ".vel") starting with the text typed before the first Tab
// (with any text while plus shows the name chosen).
void CompleteName(EditorState& editor, const std::vector<std::string>& levelFiles);
// The names Tab goes through from here (what the plus dialog lists under the typed name).
std::vector<std::string> CompletionNames(const EditorState& editor,
                                         const std::vector<std::string>& levelFiles);

// Plus's picker over those names: the place among them of the name in the field (-1 when
// it is not one); Up, Down and the Page keys move it `step` names, stopping at the ends
// (from none, Down begins at the first, Up at the last); a click picks name `index`. The
// field shows the name picked and the list stays as it was.
int PickedName(const EditorState& editor, const std::vector<std::string>& names);
void StepThroughNames(EditorState& editor, const std::vector<std::string>& levelFiles, int step);
void PickName(EditorState& editor, const std::vector<std::string>& levelFiles, int index);

// "Save: name_" or "Open: name_", or empty when no prompt is open.
std::string PromptLine(const EditorState& editor);

}  // namespace tobu
