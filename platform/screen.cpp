#include "platform/screen.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <stdexcept>

namespace tobu {
namespace {

[[noreturn]] void Fail(const char* what) { throw std::runtime_error(std::string(what) + ": " + SDL_GetError()); }

// The largest whole multiple of the frame that fits the desktop with room for the window's frame.
int WindowedScale(SDL_Window* window) {
  SDL_Rect usable{0, 0, ViewWidth, ViewHeight};
  SDL_GetDisplayUsableBounds(std::max(0, SDL_GetWindowDisplayIndex(window)), &usable);
  const int scale = std::min((usable.w - 64) / ViewWidth, (usable.h - 64) / ViewHeight);
  return std::max(1, scale);
}

}  // namespace

Screen::Screen() {
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
  SDL_SetHint(SDL_HINT_RENDER_VSYNC, "0");
  // Created at the desktop's size, so the window covers the screen even where no window
  // manager carries out the full-screen request (a bare X server).
  SDL_DisplayMode desktop{};
  if (SDL_GetDesktopDisplayMode(0, &desktop) != 0) desktop = SDL_DisplayMode{0, ViewWidth, ViewHeight, 0, nullptr};
  window_ = SDL_CreateWindow("tobu", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, desktop.w, desktop.h,
                             SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_RESIZABLE);
  if (window_ == nullptr) Fail("Cannot create the window");
  // No SDL_RENDERER_PRESENTVSYNC: the game ticks 100 times a second whatever the display's rate.
  renderer_ = SDL_CreateRenderer(window_, -1, 0);
  if (renderer_ == nullptr) {
    SDL_DestroyWindow(window_);
    Fail("Cannot create the renderer");
  }
  texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB565, SDL_TEXTUREACCESS_STREAMING, ViewWidth,
                               ViewHeight);
  if (texture_ == nullptr || SDL_RenderSetLogicalSize(renderer_, ViewWidth, ViewHeight) != 0) {
    if (texture_ != nullptr) SDL_DestroyTexture(texture_);
    SDL_DestroyRenderer(renderer_);
    SDL_DestroyWindow(window_);
    Fail("Cannot create the frame texture");
  }
  FitScale();
  Show(*std::make_unique<FrameBuffer>());  // black until the first frame is presented
}

Screen::~Screen() {
  SDL_DestroyTexture(texture_);
  SDL_DestroyRenderer(renderer_);
  SDL_DestroyWindow(window_);
}

bool Screen::HasInputFocus() const { return (SDL_GetWindowFlags(window_) & SDL_WINDOW_INPUT_FOCUS) != 0; }

void Screen::ToggleFullScreen() {
  const bool full = (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
  SDL_SetWindowFullscreen(window_, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
  if (full) {
    const int scale = WindowedScale(window_);
    SDL_SetWindowSize(window_, ViewWidth * scale, ViewHeight * scale);
    SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
  }
  FitScale();
  Redraw();
}

// Whole multiples keep every pixel the same size; they are used when they fill most of
// the screen (2x on 1920 x 1080), otherwise the frame is stretched to fill it.
void Screen::FitScale() {
  int width = 0;
  int height = 0;
  SDL_GetRendererOutputSize(renderer_, &width, &height);
  const double scale = std::min(static_cast<double>(width) / ViewWidth, static_cast<double>(height) / ViewHeight);
  const double whole = std::floor(scale);
  SDL_RenderSetIntegerScale(renderer_, whole >= 1 && whole >= 0.85 * scale ? SDL_TRUE : SDL_FALSE);
}

void Screen::Refresh() {
  FitScale();
  Redraw();
}

void Screen::Show(const FrameBuffer& frame) {
  SDL_UpdateTexture(texture_, nullptr, frame.data(), ViewWidth * static_cast<int>(sizeof(uint16_t)));
  Redraw();
}

void Screen::Redraw() {
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
  SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
  SDL_RenderPresent(renderer_);
}

void Screen::ShowPointer(bool shown) {
  if (pointerShown_ == static_cast<int>(shown)) return;
  pointerShown_ = static_cast<int>(shown);
  SDL_ShowCursor(shown ? SDL_ENABLE : SDL_DISABLE);
}

}  // namespace tobu
