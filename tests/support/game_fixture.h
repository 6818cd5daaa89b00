#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "recording_display.h"
#include "shell/form.h"
#include "temp_dir.h"
#include "world/file_error.h"
#include "world/level_file.h"

namespace tobu::testing {

// A game in a fresh working directory with a Levels folder, driven key by key.
class GameFixture : public ::testing::Test {
protected:
  GameFixture() : dir(true), form(display) { std::filesystem::create_directory("Levels"); }

  // Writes a level into Levels/ (or `folder`) of the test's directory, built by `build`
  // from an empty world.
  void MakeLevel(const std::string& name, const std::function<void(World&)>& build = {},
                 const std::string& folder = "Levels") {
    World world;
    world.ClearLevel();
    if (build) build(world);
    SaveLevel((dir.Path() / folder / name).string(), world);
  }

  // A key stroke as the platform delivers it: key-down, its character, key-up.
  void Press(uint16_t key) {
    form.FormKeyDown(key);
    if (key == VkReturn) form.FormKeyPress(13);
    if (key == VkBack) form.FormKeyPress(8);
    if (key == VkSpace) form.FormKeyPress(' ');
    if (key >= 'A' && key <= 'Z') form.FormKeyPress(static_cast<uint8_t>(key - 'A' + 'a'));
    if (key >= '0' && key <= '9') form.FormKeyPress(static_cast<uint8_t>(key));
    form.FormKeyUp(key);
  }
  void Type(const std::string& text) {
    for (char c : text) form.FormKeyPress(static_cast<uint8_t>(c));
  }
  void Tick(int n = 1) {
    for (int i = 0; i < n; ++i) form.DXTimer1Timer(1);
  }
  // Starts the game, creates player `name` and arrives in "MainMenu".
  void StartAsNewPlayer(const std::string& name = "Ann") {
    form.FormCreate();
    Press(VkReturn);
    Type(name);
    Press(VkReturn);
  }
  // From "MainMenu": "Play", then Down `row` times and Return.
  void PlayLevel(int row = 0) {
    Press(VkReturn);
    for (int i = 0; i < row; ++i) Press(VkDown);
    Press(VkReturn);
  }

  TempDir dir;
  RecordingDisplay display;
  TForm1 form;
};

} // namespace tobu::testing
