#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "game_fixture.h"

namespace tobu::testing {

// What an edit changes and undo must give back: the tiles, the objects in their order,
// the start.
struct LevelPicture {
  std::array<uint8_t, GridSize * GridSize> Tiles;
  std::vector<LevelObject> Objects;
  double StartX, StartY;
  friend bool operator==(const LevelPicture&, const LevelPicture&) = default;
};

inline LevelPicture Picture(const World& w) { return {w.TileGrid, w.ObjectList, w.RunnerX, w.RunnerY}; }

// A game in the editor, with the designer's gestures and keys.
class EditorFixture : public GameFixture {
 protected:
  void SetUp() override { EnterEditorAsNewPlayer(); }
  void EnterEditorAsNewPlayer() {
    StartAsNewPlayer();
    Press(VkDown);
    Press(VkReturn);
    ASSERT_EQ(form.Mode, GameMode::editor);
  }
  void Click(MouseButton button, int x, int y) {
    form.MouseDown(button, x, y);
    form.MouseUp(button, x, y);
  }
  // One stroke from (x0, y) to (x1, y) in steps of 10 pixels.
  void Drag(MouseButton button, int x0, int x1, int y) {
    form.MouseDown(button, x0, y);
    for (int x = x0; x <= x1; x += 10) form.MouseMove(x, y);
    form.MouseUp(button, x1, y);
  }
  void StartAt(int x, int y) {
    form.MouseMove(x, y);
    Press(VkSpace);
  }
  // Ctrl (and Shift) held around one key stroke.
  void Chord(uint16_t key, bool shift = false) {
    form.KeyDown(VkControl);
    if (shift) form.KeyDown(VkShift);
    Press(key);
    if (shift) form.KeyUp(VkShift);
    form.KeyUp(VkControl);
  }
  void Undo() { Chord('Z'); }
  void Redo() { Chord('Y'); }
  // Opens a prompt by the key-up of `key` (S, O or L), as the game does.
  void OpenPrompt(uint16_t key) {
    form.KeyDown(key);
    form.KeyUp(key);
  }
  // Opens a prompt and types `text` over the name it keeps from last time.
  void PromptWith(uint16_t key, const std::string& text) {
    OpenPrompt(key);
    Type(std::string(form.Editor.InputText.size(), '\b') + text);
  }
  void SaveAs(const std::string& name) {
    PromptWith('S', name + "\r");
    ASSERT_FALSE(form.Editor.PromptOpen());
  }
  std::vector<uint8_t> SavedBytes(const std::string& name) {
    SaveAs(name);
    return ReadBytes(name + ".vel");
  }
  World& level() { return form.Level; }
};

}  // namespace tobu::testing
