#pragma once
#include <cstdint>
#include <vector>

#include "platform/frame_scaler.h"
#include "platform/web/tick_pacer.h"
#include "present/software_display.h"
#include "shell/form.h"

namespace tobu {

// The game on the page: the form, its back buffer and the canvas picture, fed by the
// page's events. Every handler is guarded as on the desktop: a file error is shown in
// the page's message box and the game goes on; files are saved after every handler.
class WebGame {
 public:
  WebGame();

  // Reads the roster from the working directory.
  void Start(double now);
  // Returns whether the browser's own action for the key is suppressed.
  bool KeyDown(uint32_t keyCode, bool ctrl, bool alt);
  void KeyPress(uint32_t charCode);
  void KeyUp(uint32_t keyCode);
  void MouseDown(int button, int x, int y);
  void MouseMove(int x, int y);
  void MouseUp(int button, int x, int y);
  // The page has the input focus and is visible: ticks run (as the desktop's focus).
  void SetActive(bool active, double now);
  // One animation frame: the ticks that passed, then the last frame shown.
  void AnimationFrame(double now);
  // Runs `count` ticks at once, whatever the time (the page's test hook).
  void RunTicks(int count);
  // Animation frames run no ticks; only RunTicks does (the page's test mode).
  void HoldTicks() { held_ = true; }
  bool Closed() const { return form_.Closed; }
  uint64_t Ticks() const { return ticks_; }

 private:
  template <typename Handler>
  void Call(Handler&& handler);
  void Tick();
  void ShowNewFrame();

  SoftwareDisplay display_;
  TForm1 form_{display_};
  FrameScaler scaler_;
  std::vector<uint32_t> canvas_;
  TickPacer pacer_;
  uint64_t shownPresentCount_ = 0;
  uint64_t ticks_ = 0;
  bool held_ = false;
  bool closedShown_ = false;
};

}  // namespace tobu
