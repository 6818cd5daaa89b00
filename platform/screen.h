#pragma once
#include <SDL.h>

#include <string>

#include "present/software_display.h"

namespace tobu {

// The game's window: the 640 x 480 frame scaled to fill the screen with its aspect
// kept and square pixels. Starts full screen; presenting never waits for the display.
class Screen {
public:
  // Needs SDL's video subsystem. Throws std::runtime_error with SDL's message.
  Screen();
  ~Screen();
  Screen(const Screen&) = delete;
  Screen& operator=(const Screen&) = delete;

  SDL_Window* Window() const { return window_; }
  bool HasInputFocus() const;
  void ToggleFullScreen();
  // Shows a presented frame (and keeps it for redrawing).
  void Show(const FrameBuffer& frame);
  // Draws the kept frame again after the window was uncovered or resized.
  void Refresh();
  void ShowPointer(bool shown);

private:
  void FitScale();
  void Redraw();

  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  int pointerShown_ = -1;  // unknown until first set
};

}  // namespace tobu
