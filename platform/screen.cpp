#include "platform/screen.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <vector>

namespace tobu {
namespace {

constexpr int FramePitch = ViewWidth * static_cast<int>(sizeof(uint16_t));

[[noreturn]] void Fail(const char* what) {
  throw std::runtime_error(std::string(what) + ": " + SDL_GetError());
}

// The largest whole multiple of the frame that fits the desktop with room for the window's frame.
int WindowedScale(SDL_Window* window) {
  SDL_Rect usable{0, 0, ViewWidth, ViewHeight};
  SDL_GetDisplayUsableBounds(std::max(0, SDL_GetWindowDisplayIndex(window)), &usable);
  const int scale = std::min((usable.w - 64) / ViewWidth, (usable.h - 64) / ViewHeight);
  return std::max(1, scale);
}

SDL_Rect ToSdl(const FrameRect& rect) { return SDL_Rect{rect.X, rect.Y, rect.Width, rect.Height}; }

}  // namespace

Screen::Screen(bool fullScreen, bool wholeMultiplesOnly) : wholeMultiplesOnly_(wholeMultiplesOnly) {
  // The window's surface straight from the X server's shared memory, not a renderer's
  // texture (SDL's default on X11, which means software OpenGL without a GPU).
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  // Created at the desktop's size, so the window covers the screen even where no window
  // manager carries out the full-screen request (a bare X server).
  SDL_DisplayMode desktop{};
  if (SDL_GetDesktopDisplayMode(0, &desktop) != 0)
    desktop = SDL_DisplayMode{0, ViewWidth, ViewHeight, 0, nullptr};
  window_ = SDL_CreateWindow("tobu", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, desktop.w, desktop.h,
                             SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_RESIZABLE);
  if (window_ == nullptr) Fail("Cannot create the window");
  if (!AcquireSurface()) {
    SDL_DestroyWindow(window_);
    Fail("Cannot get the window's surface");
  }
  const SDL_PixelFormat& format = *surface_->format;
  if (format.BytesPerPixel == 4 && format.Rloss == 0 && format.Gloss == 0 && format.Bloss == 0) {
    scaler_ = std::make_unique<FrameScaler>(PixelLayout{format.Rshift, format.Gshift, format.Bshift,
                                                        ~(format.Rmask | format.Gmask | format.Bmask)});
  } else {
    converted_ = SDL_CreateRGBSurfaceWithFormat(0, ViewWidth, ViewHeight, format.BitsPerPixel, format.format);
    if (converted_ == nullptr) {
      SDL_DestroyWindow(window_);
      Fail("Cannot create the frame surface");
    }
  }
  kept_ = std::make_unique<FrameBuffer>();  // black until the first frame is presented
  DrawKeptFrame();
  if (!fullScreen) ToggleFullScreen();
}

Screen::~Screen() {
  SDL_FreeSurface(converted_);
  SDL_DestroyWindow(window_);
}

bool Screen::IsFullScreen() const {
  return (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
}

bool Screen::HasInputFocus() const { return (SDL_GetWindowFlags(window_) & SDL_WINDOW_INPUT_FOCUS) != 0; }

void Screen::ToggleFullScreen() {
  if (IsFullScreen()) {
    SDL_SetWindowFullscreen(window_, 0);
    // Smaller, the frame would be shrunk, and nearest-pixel sampling drops every sixth row
    // and column at 400 high: one-pixel strokes go, the T of the HUD's "Time" among them.
    // SDL passes the limit to the window manager only for a window out of full screen.
    SDL_SetWindowMinimumSize(window_, ViewWidth, ViewHeight);
    // Back to the window the player had, or, the first time, a whole multiple in the middle.
    const int scale = WindowedScale(window_);
    SDL_Rect place{SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, ViewWidth * scale, ViewHeight * scale};
    if (windowed_) {
      // SDL moves the window's frame by the borders it knows now, which may still be the
      // full screen's none, while the window manager puts the old borders back.
      int top = 0, left = 0;
      SDL_GetWindowBordersSize(window_, &top, &left, nullptr, nullptr);
      place = {windowed_->Place.x - windowed_->Left + left, windowed_->Place.y - windowed_->Top + top,
               windowed_->Place.w, windowed_->Place.h};
    }
    SDL_SetWindowSize(window_, place.w, place.h);
    SDL_SetWindowPosition(window_, place.x, place.y);
  } else {
    Windowed before;
    SDL_GetWindowPosition(window_, &before.Place.x, &before.Place.y);
    SDL_GetWindowSize(window_, &before.Place.w, &before.Place.h);
    SDL_GetWindowBordersSize(window_, &before.Top, &before.Left, nullptr, nullptr);
    windowed_ = before;
    // Cover the screen as a plain window first: where no window manager carries out the
    // full-screen request (a bare X server), SDL would take the window for the screen's
    // size while it kept its own, and show only a corner of the frame.
    SDL_Rect screen{0, 0, ViewWidth, ViewHeight};
    SDL_GetDisplayBounds(std::max(0, SDL_GetWindowDisplayIndex(window_)), &screen);
    SDL_SetWindowPosition(window_, screen.x, screen.y);
    SDL_SetWindowSize(window_, screen.w, screen.h);
    SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP);
  }
  Refresh();
}

// SDL makes a new surface when the window's size changes, and the old one must not be
// drawn on after that; asking every frame costs nothing while the size stays.
bool Screen::AcquireSurface() {
  SDL_Surface* surface = SDL_GetWindowSurface(window_);
  if (surface == nullptr) return false;
  if (surface != surface_ || surface->w != surfaceWidth_ || surface->h != surfaceHeight_) {
    surface_ = surface;
    surfaceWidth_ = surface->w;
    surfaceHeight_ = surface->h;
    frame_ = FitFrame(surface->w, surface->h, wholeMultiplesOnly_);
    wholeWindowStale_ = true;
  }
  return true;
}

// Only the rows that changed are converted, scaled and sent: in most ticks the game
// changes a few parts of the frame (the clock, the runner, the objects' animation), or none.
void Screen::Show(const FrameBuffer& frame) {
  std::vector<RowBand> bands;
  for (int row = 0; row < ViewHeight; ++row) {
    const size_t at = static_cast<size_t>(row) * ViewWidth;
    if (std::memcmp(frame.data() + at, kept_->data() + at, FramePitch) == 0) continue;
    std::memcpy(kept_->data() + at, frame.data() + at, FramePitch);
    // Bands a few rows apart are sent as one, saving a rectangle for little more drawing.
    if (!bands.empty() && row - bands.back().End < 4) {
      bands.back().End = row + 1;
    } else {
      bands.push_back({row, row + 1});
    }
  }
  DrawKeptRows(bands);
}

void Screen::SetWholeMultiplesOnly(bool on) {
  if (on == wholeMultiplesOnly_) return;
  wholeMultiplesOnly_ = on;
  surfaceWidth_ = 0;  // the frame's place is worked out again with the surface
  Refresh();
}

void Screen::Refresh() {
  wholeWindowStale_ = true;
  DrawKeptFrame();
}

void Screen::DrawKeptFrame() { DrawKeptRows({{0, ViewHeight}}); }

void Screen::DrawKeptRows(std::vector<RowBand> bands) {
  if (!AcquireSurface()) return;
  if (wholeWindowStale_) {
    SDL_FillRect(surface_, nullptr, SDL_MapRGB(surface_->format, 0, 0, 0));
    bands = {{0, ViewHeight}};
  }
  if (bands.empty()) return;                                        // nothing changed
  if (!scaler_) bands = {{bands.front().First, bands.back().End}};  // SDL converts the whole frame anyway
  std::vector<SDL_Rect> sent;
  for (const RowBand& band : bands) {
    ScaleIntoSurface(band.First, band.End);
    const WindowRows rows = RowsInWindow(band.First, band.End, frame_.Height);
    sent.push_back({frame_.X, frame_.Y + rows.First, frame_.Width, rows.End - rows.First});
  }
  const int failed = wholeWindowStale_
                         ? SDL_UpdateWindowSurface(window_)
                         : SDL_UpdateWindowSurfaceRects(window_, sent.data(), static_cast<int>(sent.size()));
  wholeWindowStale_ = failed != 0;
}

void Screen::ScaleIntoSurface(int first, int end) {
  if (frame_.X + frame_.Width > surface_->w || frame_.Y + frame_.Height > surface_->h)
    return;  // no room at all
  if (scaler_) {
    if (SDL_MUSTLOCK(surface_) && SDL_LockSurface(surface_) != 0) return;
    const int pitch = surface_->pitch / static_cast<int>(sizeof(uint32_t));
    uint32_t* origin = static_cast<uint32_t*>(surface_->pixels) + frame_.Y * pitch + frame_.X;
    scaler_->DrawRows(*kept_, first, end, origin, pitch, frame_.Width, frame_.Height);
    if (SDL_MUSTLOCK(surface_)) SDL_UnlockSurface(surface_);
    return;
  }
  SDL_ConvertPixels(ViewWidth, ViewHeight, SDL_PIXELFORMAT_RGB565, kept_->data(), FramePitch,
                    converted_->format->format, converted_->pixels, converted_->pitch);
  SDL_Rect target = ToSdl(frame_);
  SDL_BlitScaled(converted_, nullptr, surface_, &target);
}

void Screen::ShowPointer(bool shown) {
  if (pointerShown_ == static_cast<int>(shown)) return;
  pointerShown_ = static_cast<int>(shown);
  SDL_ShowCursor(shown ? SDL_ENABLE : SDL_DISABLE);
}

}  // namespace tobu
