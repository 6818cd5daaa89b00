#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "assets/generator/theme_painter.h"
#include "platform/frame_scaler.h"
#include "platform/game_input.h"
#include "platform/pad_keys.h"
#include "platform/web/tick_pacer.h"
#include "platform/web/web_audio.h"
#include "present/software_display.h"
#include "session/session.h"
#include "settings/settings_file.h"
#include "shell/game.h"

namespace tobu {

// The game on the page: the session (the game and its cards), its back buffer and the
// canvas picture, fed by the page's events; the sounds of each tick's events played
// after it. Every handler is guarded as on the desktop: each message of a file error is
// shown in the page's message box and the game goes on; files are saved after every
// handler. F2 switches the sound, F3 plus and G the ghost, and tobu.ini remembers them as
// on the desktop; a game started with plus on shows the title, and plus's options card
// (O) changes the page's full screen, scale and sound at once and keeps them in tobu.ini.
// Plus's themes are painted ahead while a menu shows. The page's touch controls and
// gamepads press the same keys as the keyboard.
class WebGame {
 public:
  WebGame();

  // Reads the settings and the roster from the working directory.
  void Start(double now);
  // Returns whether the browser's own action for the key is suppressed.
  bool KeyDown(uint32_t keyCode, bool ctrl, bool alt, bool repeat);
  void KeyPress(uint32_t charCode);
  void KeyUp(uint32_t keyCode);
  void MouseDown(int button, int x, int y);
  void MouseMove(int x, int y);
  void MouseUp(int button, int x, int y);
  void MouseWheel(int dx, int dy);  // notches, right and down positive
  // The page has the input focus and is visible: ticks run (as the desktop's focus);
  // losing it in a run shows the pause card. The test mode's ticks ignore the focus.
  void SetActive(bool active, double now);
  // One animation frame: the ticks that passed, then the last frame shown.
  void AnimationFrame(double now);
  // A key of the page's own controls (the touch buttons, the text field): the desktop's
  // virtual key, as the keyboard's KeyDown and KeyUp take it.
  void ControlKey(uint16_t key, bool down);
  // A pad's button or stick (as the Gamepad API's standard mapping reads them).
  void PadButtonChanged(PadButton button, bool down) { pad_.Button(button, down); }
  void PadStick(bool horizontal, int value) { pad_.Stick(horizontal, value); }
  void PadsGone() { pad_.ReleaseAll(); }
  // A tap on the frame at (x, y) (touch screens): on a menu's row the cursor goes there and the row
  // is chosen, as the arrow keys and Return would. Returns whether the screen wants text
  // typed (a name), so the page can open the phone's keyboard.
  bool Tap(int x, int y);
  // The editor's view takes touch gestures (no prompt, no card over it).
  bool EditorView() const;
  // The tab is going away: a roster that failed to write is written again, as at the
  // desktop's close.
  void PageHidden();
  // Runs `count` ticks at once, whatever the time (the page's test hook).
  void RunTicks(int count);
  // Animation frames run no ticks; only RunTicks does (the page's test mode).
  void HoldTicks() { held_ = true; }
  bool Closed() const { return session_.Closed(); }
  bool SoundOn() const { return audio_.Enabled(); }
  // tobu.ini's `gamepad`: whether the page reads gamepads.
  bool PadsOn() const { return settings_.Values.Gamepad; }
  uint64_t Ticks() const { return ticks_; }
  // The themes' sheets (the page's tests read them): how many are painted, and each one's
  // BMP file, painted now if it is not yet.
  int ThemeSheetsReady() const { return themes_.SheetsReady(); }
  std::span<const unsigned char> ThemeSheet(int index) { return themes_.Bmp(index); }
  const Game& TheGame() const { return form_; }
  // Plays a replay file as W plays a level's record, from the level list with no card
  // open (the online panel's world record); false on any other screen.
  bool WatchReplay(const std::string& file);

 private:
  // The pad's keys, guarded and sounded as the keyboard's.
  class PadInput : public GameInput {
   public:
    explicit PadInput(WebGame& game) : game_(game) {}
    void KeyDown(uint16_t key) override { game_.ControlKey(key, true); }
    void KeyPress(uint8_t, bool) override {}  // ControlKey types Return with its key
    void KeyUp(uint16_t key) override { game_.ControlKey(key, false); }
    void MouseDown(MouseButton, int32_t, int32_t) override {}
    void MouseMove(int32_t, int32_t) override {}
    void MouseUp(MouseButton, int32_t, int32_t) override {}

   private:
    WebGame& game_;
  };

  template <typename Handler>
  void Call(Handler&& handler);
  bool VirtualKeyDown(uint16_t key, bool ctrl, bool alt, bool repeat);
  void VirtualKeyUp(uint16_t key);
  void RememberPlus();
  void RememberGhost();
  void KeepSettings(const Settings& changed, bool mayCreate = false);
  void ApplyOptions();
  void NoteShownSettings();
  void PaintThemesAhead();
  void Tick();
  void ShowNewFrame();
  void ToggleSound();

  art::ThemePainter themes_;  // the display draws plus's themes from it
  SoftwareDisplay display_;
  Game form_{display_};
  Session session_{form_, display_};
  SettingsStore settings_;
  // What the options card shows as current: the settings, with the page's full screen and
  // the sound as they are.
  Settings shown_;
  WebAudio audio_;
  PadInput padInput_{*this};
  PadKeys pad_{padInput_, form_};
  FrameScaler scaler_;
  std::vector<uint32_t> canvas_;
  TickPacer pacer_;
  uint64_t shownPresentCount_ = 0;
  uint64_t ticks_ = 0;
  bool held_ = false;
  bool active_ = true;
  bool closedShown_ = false;
  bool soundKeyHeld_ = false;  // F2's key-up is the page's too
  // A tap chose a plus menu's row: the browser's mouse events that follow the finger
  // (up to its click) would point at and choose on the next screen.
  bool tapMouseDue_ = false;
};

}  // namespace tobu
