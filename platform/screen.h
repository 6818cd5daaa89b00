#pragma once
#include <SDL.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/frame_scaler.h"
#include "platform/letterbox.h"
#include "present/software_display.h"

namespace tobu {

// The game's window: the 640 x 480 frame scaled to fill the screen with its aspect
// kept and square pixels, drawn straight into the window's own surface (shared memory
// on X11) rather than through a renderer, whose software OpenGL costs far more than the
// game. Starts full screen unless asked otherwise; presenting never waits for the display.
class Screen {
 public:
  // Needs SDL's video subsystem. Throws std::runtime_error with SDL's message.
  // `wholeMultiplesOnly` scales the frame by whole multiples only (tobu.ini's scale=integer).
  explicit Screen(bool fullScreen = true, bool wholeMultiplesOnly = false);
  ~Screen();
  Screen(const Screen&) = delete;
  Screen& operator=(const Screen&) = delete;

  SDL_Window* Window() const { return window_; }
  // Where the frame lies in the window, to map the mouse into back-buffer pixels.
  const FrameRect& Frame() const { return frame_; }
  bool HasInputFocus() const;
  void ToggleFullScreen();
  bool IsFullScreen() const;
  // Whole multiples only, or fit (tobu.ini's scale); the window is drawn again at once.
  void SetWholeMultiplesOnly(bool on);
  // Shows a presented frame (and keeps it for redrawing).
  void Show(const FrameBuffer& frame);
  // Draws the kept frame and the borders again after the window was uncovered or resized.
  void Refresh();
  void ShowPointer(bool shown);

 private:
  // Fetches the window's surface again when it changed size; returns false when there is none.
  bool AcquireSurface();
  void DrawKeptFrame();
  // Frame rows First to End - 1.
  struct RowBand {
    int First = 0;
    int End = 0;
  };
  // Draws and sends these bands of rows (all rows while the window is stale).
  void DrawKeptRows(std::vector<RowBand> bands);
  void ScaleIntoSurface(int first, int end);

  SDL_Window* window_ = nullptr;
  SDL_Surface* surface_ = nullptr;       // owned by the window
  std::unique_ptr<FrameBuffer> kept_;    // the last frame shown
  std::unique_ptr<FrameScaler> scaler_;  // for windows of 32-bit pixels, nearly all
  SDL_Surface* converted_ = nullptr;     // otherwise SDL converts and scales, through this
  int surfaceWidth_ = 0;
  int surfaceHeight_ = 0;
  FrameRect frame_;
  bool wholeMultiplesOnly_ = false;
  // The window's place, size and borders before full screen, to go back to.
  struct Windowed {
    SDL_Rect Place{};
    int Top = 0, Left = 0;
  };
  std::optional<Windowed> windowed_;
  bool wholeWindowStale_ = true;  // borders to fill and the whole window to send
  int pointerShown_ = -1;         // unknown until first set
};

}  // namespace tobu
