// session/: the game as the platform and tobu-script drive it: the help and pause cards
// and the keys around them. Includes shell/ and what shell/ includes.
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "present/software_display.h"
#include "session/corner_notice.h"
#include "settings/settings.h"
#include "shell/game.h"

namespace tobu {

// The game as the platform and tobu-script drive it: the game, and the keys it never
// sees. F1 opens the help card on any screen; in a run Pause or P (or losing the focus)
// opens the pause card. While a card is open ticks stop and no key reaches the game;
// closing it presents the kept frame again, exactly. F12 asks the platform for a
// screenshot of the game's frame. F3 in a menu switches tobu plus on or off and shows
// a card saying which; any key closes it. Under plus, Escape in a run first asks
// "Give up?" (Escape again gives up, R restarts, any other key goes back), and R restarts the level;
// O in a menu, or Return on the main menu's "Options", opens the options card (F1 on it
// shows its help, and closing that shows the card again), and a
// game started with plus on shows the title until a key is pressed.
class Session {
 public:
  enum class Card { None, Help, Pause, Plus, GiveUp, Online, Title, Options, OptionsHelp };

  Session(Game& form, SoftwareDisplay& display);

  void Start() { form_.Start(); }
  void Tick(int32_t lagCount);
  void KeyDown(uint16_t key);
  void KeyPress(uint8_t character, bool commandHeld = false);
  void KeyUp(uint16_t key);
  void MouseDown(MouseButton button, int32_t x, int32_t y);
  void MouseMove(int32_t x, int32_t y);
  void MouseUp(MouseButton button, int32_t x, int32_t y);
  void MouseWheel(int32_t dx, int32_t dy);
  // The window lost or regained the input focus: a run shows the pause card meanwhile,
  // and in plus after it until Pause or P (the platform calls FocusLost at the start too
  // when the window has no focus).
  void FocusLost();
  void FocusGained();
  // The window asks to close: the game closes, or (plus, unsaved editor work or a run)
  // asks first, and a card over the screen gives way to its question.
  void RequestClose();
  // The platform switched the sound (F2): plus says so in a corner for a moment.
  void SoundSwitched(bool on);

  Card OpenCard() const { return card_; }
  bool Closed() const { return form_.Closed; }
  // A card (help, pause, plus, give up) covers the screen and takes the keys.
  bool CardOpen() const { return card_ != Card::None; }
  Game& TheGame() { return form_; }
  const Game& TheGame() const { return form_; }
  // The frame the game last presented, without any card or notice.
  const FrameBuffer& GameFrame() const;
  // True once after F12 was pressed.
  bool TakeScreenshotRequest();
  // Switches the plus profile as F3 does, without its card.
  void SetPlus(bool on);
  // True once after the player switched plus with F3 (for tobu.ini).
  bool TakePlusSwitch();
  // Plus: the title, until a key is pressed (the game does not tick meanwhile).
  void ShowTitle();
  // The settings the options card starts from (the platform's, kept up to date by it);
  // without them it starts from the defaults.
  void UseSettings(const Settings* current) { settings_ = current; }
  // The values the options card set last; plus and the ghost are already in the game.
  const Settings& Options() const { return options_; }
  // True once after the options card changed a value (for the platform and tobu.ini).
  bool TakeOptionsChange();

  // The online card (plus, with a server): the lines the platform's online code gives
  // and a picture under them, opened over the level list or drawn again with new ones;
  // any key the hook does not take closes it.
  void ShowOnlineCard(std::vector<std::string> lines, std::optional<Picture> picture = std::nullopt);
  void CloseOnlineCard();
  // Offered the keys of the plus level list and of the open online card first; true when
  // it took the key. Unset without a server, so the game is as it was.
  std::function<bool(uint16_t key)> OnlineKey;

 private:
  bool KeyForSession(uint16_t key);
  void OptionsKey(uint16_t key);
  void OptionsMouse(int32_t y, bool click);
  void SwitchPlus();
  void Open(Card card);
  void ShowCardInstead(Card card);
  void DrawCard();
  bool InMenu() const;
  void Close();
  void Swallow(uint16_t key);
  void PauseWithoutFocus();
  void ShowNoticeOverGame();

  Game& form_;
  SoftwareDisplay& display_;
  Card card_ = Card::None;
  bool pausedByFocus_ = false;
  bool focused_ = true;
  std::unique_ptr<FrameBuffer> kept_;  // the game's frame under the open card
  CornerNotice notice_;
  // The game's frame while the notice is drawn over it and no card is open.
  std::unique_ptr<FrameBuffer> underNotice_;
  bool noticeOverGame_ = false;
  // Keys whose key-down the game never saw: their key-up stays here too.
  std::array<bool, 256> swallowed_{};
  // Key-ups of keys the game saw go down, held back while a card is open.
  std::vector<uint16_t> heldBackUps_;
  bool swallowCharacter_ = false;  // the character typed by a key the session took
  bool screenshotWanted_ = false;
  bool plusSwitched_ = false;
  std::vector<std::string> onlineLines_;
  std::optional<Picture> onlinePicture_;
  int64_t titleTick_ = 0;
  const Settings* settings_ = nullptr;
  Settings options_;
  int optionRow_ = 0;
  bool optionsChanged_ = false;
};

}  // namespace tobu
