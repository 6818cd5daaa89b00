#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "../support/temp_dir.h"
#include "present/software_display.h"
#include "session/overlay_keys.h"
#include "session/session.h"
#include "tools/script_runner.h"

namespace tobu::testing {

// A session on the software back buffer in a fresh folder holding the first shipped level.
class SessionFixture {
 public:
  SessionFixture() : dir(true), form(display), session(form, display) {
    std::filesystem::create_directory("Levels");
    std::filesystem::copy_file(std::filesystem::path(TOBU_SOURCE_DIR) / "Levels" / "01-first-steps.vel",
                               "Levels/01-first-steps.vel");
  }

  // A stroke as the platform delivers it: key-down, its character, key-up.
  void Press(uint16_t key) {
    session.KeyDown(key);
    if (const auto character = KeyCharacter(key)) session.KeyPress(*character);
    session.KeyUp(key);
  }
  void Tick(int n = 1) {
    for (int i = 0; i < n; ++i) session.Tick(1);
  }
  // From the start to the main menu as a new player "Ann".
  void ToMainMenu() {
    session.Start();
    Tick();
    Press(VkReturn);
    for (const char c : std::string("Ann")) session.KeyPress(static_cast<uint8_t>(c));
    Press(VkReturn);
    Tick();
  }
  void ToRun() {
    ToMainMenu();
    Press(VkReturn);
    Press(VkReturn);
    Tick(20);
  }

  TempDir dir;
  SoftwareDisplay display;
  Game form;
  Session session;
};

}  // namespace tobu::testing
