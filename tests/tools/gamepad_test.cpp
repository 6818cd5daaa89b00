// The gamepad presses the game's keys through the same path as the keyboard.
#ifdef TOBU_HAVE_PLATFORM
#include "platform/gamepad.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "../support/temp_dir.h"
#include "present/software_display.h"
#include "session/overlay_keys.h"
#include "session/session.h"
#include "tools/script_runner.h"

namespace tobu {
namespace {

SDL_Event ButtonEvent(uint8_t button, bool down) {
  SDL_Event event{};
  event.type = down ? SDL_CONTROLLERBUTTONDOWN : SDL_CONTROLLERBUTTONUP;
  event.cbutton.button = button;
  return event;
}

SDL_Event AxisEvent(uint8_t axis, int16_t value) {
  SDL_Event event{};
  event.type = SDL_CONTROLLERAXISMOTION;
  event.caxis.axis = axis;
  event.caxis.value = value;
  return event;
}

// The session's keys as calls, the way the platform's input delivers them.
class ToSession : public GameInput {
 public:
  explicit ToSession(Session& session) : session_(session) {}
  void KeyDown(uint16_t key) override { session_.KeyDown(key); }
  void KeyPress(uint8_t character, bool command) override { session_.KeyPress(character, command); }
  void KeyUp(uint16_t key) override { session_.KeyUp(key); }
  void MouseDown(MouseButton, int32_t, int32_t) override {}
  void MouseMove(int32_t, int32_t) override {}
  void MouseUp(MouseButton, int32_t, int32_t) override {}

 private:
  Session& session_;
};

// A roster with one player, made on the keyboard (names need it); then only the pad plays.
class GamepadPlay : public ::testing::Test {
 protected:
  GamepadPlay() : dir(true), form(display), session(form, display), input(session), pad(input, form) {
    std::filesystem::create_directory("Levels");
    std::filesystem::copy_file(std::filesystem::path(TOBU_SOURCE_DIR) / "Levels" / "01-first-steps.vel",
                               "Levels/01-first-steps.vel");
    {
      SoftwareDisplay keyboardDisplay;
      Game keyboard(keyboardDisplay);
      keyboard.Start();
      keyboard.KeyDown(VkReturn);
      for (const char c : std::string("Pad\r")) keyboard.KeyPress(static_cast<uint8_t>(c));
    }
    std::filesystem::current_path(dir.Path());  // the game entered Levels
    session.Start();
  }
  void Button(uint8_t button) {
    ASSERT_TRUE(pad.Route(ButtonEvent(button, true)));
    pad.Route(ButtonEvent(button, false));
  }
  void Tick(int n) {
    for (int i = 0; i < n; ++i) session.Tick(1);
  }

  testing::TempDir dir;
  SoftwareDisplay display;
  Game form;
  Session session;
  ToSession input;
  GamepadRouter pad;
};

TEST_F(GamepadPlay, WalksTheMenusStartsARunSteersJumpsPausesAndGivesUp) {
  Button(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
  ASSERT_EQ(form.MenuCursor, 1);
  Button(SDL_CONTROLLER_BUTTON_A);  // choose "Pad"
  ASSERT_EQ(form.Mode, GameMode::MainMenu);
  Button(SDL_CONTROLLER_BUTTON_A);  // "Play"
  ASSERT_EQ(form.Mode, GameMode::SelectLevel);
  Button(SDL_CONTROLLER_BUTTON_A);  // the first level
  ASSERT_EQ(form.Mode, GameMode::game);
  Tick(30);
  const double startX = form.Level.RunnerX;
  pad.Route(AxisEvent(SDL_CONTROLLER_AXIS_LEFTX, GamepadRouter::DeadZone - 1));  // inside the dead zone
  Tick(20);
  EXPECT_EQ(form.Level.RunnerX, startX);
  pad.Route(AxisEvent(SDL_CONTROLLER_AXIS_LEFTX, 32767));
  Tick(20);
  EXPECT_GT(form.Level.RunnerX, startX);
  pad.Route(ButtonEvent(SDL_CONTROLLER_BUTTON_A, true));  // A is Space in a run
  EXPECT_TRUE(form.KeyHeld[VkSpace]);
  Tick(2);
  EXPECT_LT(form.Runner.VelY, 0);
  pad.Route(ButtonEvent(SDL_CONTROLLER_BUTTON_A, false));
  pad.Route(AxisEvent(SDL_CONTROLLER_AXIS_LEFTX, 0));
  EXPECT_FALSE(form.KeyHeld[VkRight]);
  Button(SDL_CONTROLLER_BUTTON_START);
  EXPECT_EQ(session.OpenCard(), Session::Card::Pause);
  Button(SDL_CONTROLLER_BUTTON_START);
  Button(SDL_CONTROLLER_BUTTON_BACK);
  EXPECT_EQ(session.OpenCard(), Session::Card::Help);
  Button(SDL_CONTROLLER_BUTTON_BACK);
  Button(SDL_CONTROLLER_BUTTON_B);  // give up
  EXPECT_EQ(form.Mode, GameMode::GameMenu);
}

// A key held by the d-pad and the stick at once is let go with the last of them, and a pad
// pulled out lets go of everything it held.
TEST_F(GamepadPlay, KeysGoUpWithTheirLastHolderOrWhenThePadIsPulledOut) {
  pad.Route(ButtonEvent(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true));
  pad.Route(AxisEvent(SDL_CONTROLLER_AXIS_LEFTX, -32768));
  pad.Route(ButtonEvent(SDL_CONTROLLER_BUTTON_DPAD_LEFT, false));
  EXPECT_TRUE(form.KeyHeld[VkLeft]);
  pad.Route(AxisEvent(SDL_CONTROLLER_AXIS_LEFTY, 32767));
  EXPECT_TRUE(form.KeyHeld[VkDown]);
  SDL_Event removed{};
  removed.type = SDL_CONTROLLERDEVICEREMOVED;
  removed.cdevice.which = 7;
  EXPECT_TRUE(pad.Route(removed));
  EXPECT_FALSE(form.KeyHeld[VkLeft]);
  EXPECT_FALSE(form.KeyHeld[VkDown]);
  SDL_Event key{};
  key.type = SDL_KEYDOWN;
  EXPECT_FALSE(pad.Route(key));  // the keyboard is the input router's
}

}  // namespace
}  // namespace tobu
#endif

#ifdef TOBU_HAVE_PLATFORM
namespace tobu {
namespace {

// Writes the key calls down as "down 13", "char 13", "up 13".
class KeyRecorder : public GameInput {
 public:
  std::vector<std::string> Calls;
  void KeyDown(uint16_t key) override { Calls.push_back("down " + std::to_string(key)); }
  void KeyPress(uint8_t character, bool) override { Calls.push_back("char " + std::to_string(character)); }
  void KeyUp(uint16_t key) override { Calls.push_back("up " + std::to_string(key)); }
  void MouseDown(MouseButton, int32_t, int32_t) override {}
  void MouseMove(int32_t, int32_t) override {}
  void MouseUp(MouseButton, int32_t, int32_t) override {}
};

// SDL's virtual joystick, plugged in and pulled out while the router listens.
class VirtualPad : public ::testing::Test {
 protected:
  void SetUp() override {
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) GTEST_SKIP() << SDL_GetError();
  }
  void TearDown() override { SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER); }
  void Drain(GamepadRouter& pad) {
    SDL_PumpEvents();
    for (SDL_Event event; SDL_PollEvent(&event) != 0;) pad.Route(event);
  }
};

TEST_F(VirtualPad, HotPluggedPadPressesReturnInAMenuAndLetsGoWhenPulledOut) {
  SoftwareDisplay display;
  Game form(display);  // "SelectPlayer": A is Return
  KeyRecorder keys;
  GamepadRouter pad(keys, form);
  SDL_VirtualJoystickDesc desc{};
  desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
  desc.naxes = SDL_CONTROLLER_AXIS_MAX;
  desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
  const int index = SDL_JoystickAttachVirtualEx(&desc);
  ASSERT_GE(index, 0) << SDL_GetError();
  Drain(pad);  // the pad is plugged in and opened
  SDL_Joystick* stick = SDL_JoystickOpen(index);
  ASSERT_NE(stick, nullptr) << SDL_GetError();
  SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_A, 1);
  SDL_JoystickSetVirtualAxis(stick, SDL_CONTROLLER_AXIS_LEFTY, 32767);
  Drain(pad);
  // SDL reports the stick before the buttons.
  EXPECT_EQ(keys.Calls, (std::vector<std::string>{"down 40", "down 13", "char 13"}));
  SDL_JoystickClose(stick);
  SDL_JoystickDetachVirtual(index);
  Drain(pad);
  EXPECT_EQ(keys.Calls, (std::vector<std::string>{"down 40", "down 13", "char 13", "up 40", "up 13"}));
}

}  // namespace
}  // namespace tobu
#endif
