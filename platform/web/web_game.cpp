#include "platform/web/web_game.h"

#include <iostream>
#include <utility>

#include "platform/web/web_keys.h"
#include "platform/web/web_page.h"
#include "shell/menu_rows.h"
#include "shell/music_theme.h"
#include "sim/keys.h"
#include "world/file_error.h"

namespace tobu {
namespace {

// ImageData's byte order, red first, read as little-endian 32-bit pixels.
constexpr PixelLayout CanvasLayout{0, 8, 16, 0xFF000000u};

bool ToMouseButton(int button, MouseButton& out) {
  switch (button) {
    case 0:
      out = MouseButton::Left;
      return true;
    case 1:
      out = MouseButton::Middle;
      return true;
    case 2:
      out = MouseButton::Right;
      return true;
    default:
      return false;
  }
}

bool InsideFrame(int x, int y) { return x >= 0 && x < ViewWidth && y >= 0 && y < ViewHeight; }

constexpr uint16_t VkF2 = 113;  // the sound's switch, never the game's

}  // namespace

WebGame::WebGame() : scaler_(CanvasLayout), canvas_(static_cast<size_t>(ViewWidth * ViewHeight)) {
  display_.SetThemeSheetSource([this](int index) { return themes_.Bmp(index); });
}

template <typename Handler>
void WebGame::Call(Handler&& handler) {
  if (form_.Closed || page::Stopped()) return;
  NoteShownSettings();
  try {
    handler();
  } catch (const FileError& error) {
    for (const std::string& message : error.Messages()) {
      page::ShowMessage(message);
      form_.Events.Push(GameEvent::Error);
    }
  }
  for (const std::string& warning : form_.Warnings) std::cerr << "tobu: warning: " << warning << '\n';
  form_.Warnings.clear();
  ApplyOptions();  // first: it may create tobu.ini, which the two below only update
  RememberGhost();
  RememberPlus();
  page::SaveFilesIfChanged();
  page::ShowPointer(display_.PointerShown());
  if (form_.Closed && !closedShown_) {
    closedShown_ = true;
    page::ShowClosed();
  }
}

void WebGame::Start(double now) {
  settings_ = LoadSettings(SettingsFileName, std::cerr);
  settings_.File = std::filesystem::absolute(settings_.File);  // the game enters Levels later
  audio_.SetEnabled(settings_.Values.Sound);
  audio_.SetVolume(settings_.Values.Volume);
  audio_.SetMusicVolume(settings_.Values.Music);
  page::SetWholeMultiplesOnly(settings_.Values.Scale == FrameScale::Integer);
  Call([&] { session_.Start(); });
  form_.Replays.GhostShown = settings_.Values.Ghost;
  form_.Plus = settings_.Values.Plus;
  NoteShownSettings();
  session_.UseSettings(&shown_);
  if (form_.Plus) session_.ShowTitle();  // only when the game starts with plus on
  pacer_.Start(now);                     // the first tick, and so the first frame, comes 10 ms later
}

bool WebGame::KeyDown(uint32_t keyCode, bool ctrl, bool alt, bool repeat) {
  return VirtualKeyDown(VirtualKeyFromKeyCode(keyCode), ctrl, alt, repeat);
}

void WebGame::ControlKey(uint16_t key, bool down) {
  if (down) {
    VirtualKeyDown(key, false, false, false);
  } else {
    VirtualKeyUp(key);
  }
}

bool WebGame::VirtualKeyDown(uint16_t key, bool ctrl, bool alt, bool repeat) {
  // Alt with Return is the desktop's full-screen switch, never the game's.
  if (key == 0 || (alt && key == 13) || page::MessageOpen() || page::Stopped()) return false;
  if (key == VkF2) {
    soundKeyHeld_ = true;
    if (!repeat) ToggleSound();
    ShowNewFrame();  // plus's notice
    return true;
  }
  Call([&] { session_.KeyDown(key); });
  // The desktop gives these two their characters right after the key.
  if (key == 13 || key == 8) Call([&] { session_.KeyPress(static_cast<uint8_t>(key)); });
  session_.TakeScreenshotRequest();   // F12: the browser takes its own screenshots
  audio_.Play(form_.Events.Drain());  // a key's sound at once, not at the next tick
  ShowNewFrame();                     // a card opened or closed between ticks
  return SuppressesBrowserAction(key, ctrl);
}

void WebGame::KeyPress(uint32_t charCode) {
  const uint8_t character = CharacterFromCharCode(charCode);
  if (character == 0 || character == 13 || character == 8 || page::MessageOpen()) return;
  Call([&] { session_.KeyPress(character); });
}

void WebGame::KeyUp(uint32_t keyCode) { VirtualKeyUp(VirtualKeyFromKeyCode(keyCode)); }

void WebGame::VirtualKeyUp(uint16_t key) {
  if (key == VkF2 && soundKeyHeld_) {
    soundKeyHeld_ = false;
    return;
  }
  if (key != 0) Call([&] { session_.KeyUp(key); });
  ShowNewFrame();
}

void WebGame::MouseDown(int button, int x, int y) {
  if (std::exchange(tapMouseDue_, false) && !EditorView()) return;
  MouseButton which{};
  if (!InsideFrame(x, y) || !ToMouseButton(button, which) || page::MessageOpen()) return;
  Call([&] { session_.MouseDown(which, x, y); });
}

void WebGame::MouseMove(int x, int y) {
  if (tapMouseDue_ && !EditorView()) return;
  if (InsideFrame(x, y)) Call([&] { session_.MouseMove(x, y); });
}

void WebGame::MouseUp(int button, int x, int y) {
  MouseButton which{};
  if (!InsideFrame(x, y) || !ToMouseButton(button, which)) return;
  Call([&] { session_.MouseUp(which, x, y); });
}

void WebGame::MouseWheel(int dx, int dy) {
  Call([&] { session_.MouseWheel(dx, dy); });
}

void WebGame::SetActive(bool active, double now) {
  if (active && !pacer_.Running()) pacer_.Start(now);
  if (!active) pacer_.Stop();
  if (held_ || active == active_) return;
  active_ = active;
  Call([&] { active ? session_.FocusGained() : session_.FocusLost(); });
  ShowNewFrame();
}

bool WebGame::Tap(int x, int y) {
  if (form_.Closed || page::MessageOpen() || page::Stopped() || session_.CardOpen()) return false;
  if (form_.Mode == GameMode::CreateNewPlayer ||
      (form_.Mode == GameMode::editor && form_.Editor.PromptOpen())) {
    return true;
  }
  const int32_t row = MenuRowAt(form_, x, y);
  if (row < 0) return false;
  tapMouseDue_ = form_.Plus;
  // Each key moves the cursor one row (a menu has at most 17); then Return chooses.
  const GameMode menu = form_.Mode;
  for (int step = 0; step < 32 && form_.MenuCursor != row && form_.Mode == menu; ++step) {
    const uint16_t key = form_.MenuCursor < row ? VkDown : VkUp;
    ControlKey(key, true);
    ControlKey(key, false);
  }
  if (form_.MenuCursor == row && form_.Mode == menu) {
    ControlKey(VkReturn, true);
    ControlKey(VkReturn, false);
  }
  return false;
}

bool WebGame::WatchReplay(const std::string& file) {
  if (form_.Mode != GameMode::SelectLevel || session_.CardOpen() || form_.WatchingReplay() || form_.Closed) {
    return false;
  }
  Call([&] { form_.WatchReplay(file); });
  ShowNewFrame();
  return true;
}

bool WebGame::EditorView() const {
  return form_.Mode == GameMode::editor && !form_.Editor.PromptOpen() && !session_.CardOpen() &&
         !form_.Closed;
}

void WebGame::PageHidden() {
  if (form_.UnsavedRosterIndex) Call([&] { form_.WriteUnsavedRoster(); });
}

void WebGame::AnimationFrame(double now) {
  if (page::Stopped()) return;
  // A message box holds the game, as the desktop's does until it is closed.
  if (held_ || page::MessageOpen()) {
    if (pacer_.Running()) pacer_.Start(now);
    return;
  }
  const int due = pacer_.TicksDue(now);
  for (int i = 0; i < due && !form_.Closed; ++i) Tick();
  audio_.FollowMode(MusicMode(form_), MusicTheme(form_), form_.Plus);
  audio_.FeedMusic();
  ShowNewFrame();
  PaintThemesAhead();
}

// A few rows of the themes' sheets each frame while plus shows anything but a run, so
// that a themed level seldom waits for its sheets (a sheet wanted first is painted whole
// at once). Classic never draws a theme and paints nothing.
void WebGame::PaintThemesAhead() {
  constexpr int PixelsPerFrame = 8 * ViewWidth;  // a few milliseconds
  if (form_.Plus && form_.Mode != GameMode::game && themes_.SheetsReady() < art::ThemePainter::SheetCount)
    themes_.PaintAhead(PixelsPerFrame);
}

void WebGame::RunTicks(int count) {
  if (page::Stopped()) return;
  for (int i = 0; i < count && !form_.Closed; ++i) Tick();
  audio_.FollowMode(MusicMode(form_), MusicTheme(form_), form_.Plus);
  audio_.FeedMusic();
  ShowNewFrame();
}

void WebGame::Tick() {
  Call([&] { session_.Tick(1); });
  ++ticks_;
  audio_.Play(form_.Events.Drain());
}

void WebGame::ShowNewFrame() {
  if (display_.PresentCount() == shownPresentCount_) return;
  shownPresentCount_ = display_.PresentCount();
  scaler_.Draw(display_.Presented(), canvas_.data(), ViewWidth, ViewWidth, ViewHeight);
  page::ShowFrame(reinterpret_cast<const uint8_t*>(canvas_.data()));
}

}  // namespace tobu
