#pragma once
#include <cstdint>
#include <memory>

#include "platform/audio.h"
#include "platform/gamepad.h"
#include "platform/input_router.h"
#include "platform/screen.h"
#include "platform/session_input.h"
#include "present/frame_timer.h"
#include "present/software_display.h"
#include "session/session.h"
#include "settings/settings_file.h"

namespace tobu {

// The event loop: input between ticks, a tick every 10 ms while the window has the
// input focus, each presented frame shown at once (a card's too) and the sounds of the
// tick's events started. Sleeps between ticks.
class GameLoop {
 public:
  GameLoop(Screen& screen, Session& session, SoftwareDisplay& display, SettingsStore& settings,
           Audio& audio);

  // Runs until the game closes or the window is closed.
  void Run();
  uint64_t Ticks() const { return ticks_; }
  // Timer intervals that passed while ticking; more than Ticks() means ticks were lost
  // (measuring builds write both down).
  uint64_t Intervals() const { return intervals_; }

 private:
  // Returns false when the window asks to close.
  bool Handle(const SDL_Event& event);
  void Tick(int32_t lagCount);
  void ShowNewFrame();
  void ToggleFullScreen();
  void ToggleSound();
  void RememberGhost();
  void RememberPlus();
  void ApplyOptions();
  void TakeScreenshot();

  Screen& screen_;
  Session& session_;
  SoftwareDisplay& display_;
  SettingsStore& settings_;
  Audio& audio_;
  SessionInput input_;
  InputRouter router_;
  std::unique_ptr<GamepadRouter> gamepad_;  // none when the settings turn the gamepad off
  FrameTimer timer_;
  uint64_t shownPresentCount_ = 0;
  uint64_t ticks_ = 0;
  uint64_t intervals_ = 0;
};

}  // namespace tobu
