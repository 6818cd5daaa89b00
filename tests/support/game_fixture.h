#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "recording_display.h"
#include "shell/game.h"
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
    form.KeyDown(key);
    if (key == VkReturn) form.KeyPress(13);
    if (key == VkBack) form.KeyPress(8);
    if (key == VkSpace) form.KeyPress(' ');
    if (key >= 'A' && key <= 'Z') form.KeyPress(static_cast<uint8_t>(key - 'A' + 'a'));
    if (key >= '0' && key <= '9') form.KeyPress(static_cast<uint8_t>(key));
    form.KeyUp(key);
  }
  void Type(const std::string& text) {
    for (char c : text) form.KeyPress(static_cast<uint8_t>(c));
  }
  void Tick(int n = 1) {
    for (int i = 0; i < n; ++i) form.Tick(1);
  }
  // Starts the game, creates player `name` and arrives in "MainMenu".
  void StartAsNewPlayer(const std::string& name = "Ann") {
    form.Start();
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
  Game form;
};

} // namespace tobu::testing
