#pragma once
#include <cstdint>

#include "platform/audio.h"
#include "platform/form_input.h"
#include "platform/input_router.h"
#include "platform/screen.h"
#include "present/frame_timer.h"
#include "present/software_display.h"
#include "shell/form.h"

namespace tobu {

// The event loop: input between ticks, a tick every 10 ms while the window has the
// input focus, each presented frame shown at once and the sounds of the tick's events
// started. Sleeps between ticks.
class GameLoop {
public:
  GameLoop(Screen& screen, TForm1& form, SoftwareDisplay& display, Audio& audio);

  // Runs until the form closes or the window is closed.
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

  Screen& screen_;
  TForm1& form_;
  SoftwareDisplay& display_;
  Audio& audio_;
  FormInput input_;
  InputRouter router_;
  FrameTimer timer_;
  uint64_t shownPresentCount_ = 0;
  uint64_t ticks_ = 0;
  uint64_t intervals_ = 0;
};

}  // namespace tobu
