#include "session/session.h"

#include <algorithm>
#include <utility>

#include "session/cards.h"
#include "session/options_card.h"
#include "session/overlay_keys.h"
#include "session/title_card.h"

namespace tobu {
namespace {

bool IsPauseKey(uint16_t key) { return key == VkPause || key == VkP; }

}  // namespace

Session::Session(Game& form, SoftwareDisplay& display)
    : form_(form),
      display_(display),
      kept_(std::make_unique<FrameBuffer>()),
      underNotice_(std::make_unique<FrameBuffer>()) {}

void Session::Tick(int32_t lagCount) {
  const bool noticeGone = notice_.Age();
  if (card_ == Card::None) {
    const uint64_t presents = display_.PresentCount();
    form_.Tick(lagCount);
    if (display_.PresentCount() == presents) return;
    noticeOverGame_ = false;  // a new frame of the game's
    if (notice_.Shown()) ShowNoticeOverGame();
    return;
  }
  if (card_ == Card::Options) ++form_.Anim.SceneTick;  // the menus' scene moves on behind the card
  if (card_ == Card::Title) ++titleTick_;
  if (card_ == Card::Title || card_ == Card::Options || noticeGone) DrawCard();
}

void Session::KeyDown(uint16_t key) {
  // A key the session took repeats nothing while held.
  const bool repeat = key < swallowed_.size() && swallowed_[key];
  swallowCharacter_ = repeat || KeyForSession(key);
  if (swallowCharacter_) {
    Swallow(key);
  } else {
    form_.KeyDown(key);
  }
  PauseWithoutFocus();
}

// The session's own keys, and every key while a card is open; true when it took the key.
bool Session::KeyForSession(uint16_t key) {
  if (key == VkF12) {
    screenshotWanted_ = true;
    return true;
  }
  switch (card_) {
    case Card::Help:
      if (key == VkF1 || key == VkEscape) Close();
      return true;
    case Card::Pause:
      if (IsPauseKey(key)) Close();
      return true;
    case Card::GiveUp:
      Close();
      if (key == VkR) return form_.RestartRun();  // as R does in the run
      return key != VkEscape;                     // the second Escape reaches the run and gives it up
    case Card::Title:
      Close();
      return true;
    case Card::Options:
      // Its help stands over it, drawn on the same kept frame; no card needs a stack.
      key == VkF1 ? ShowCardInstead(Card::OptionsHelp) : OptionsKey(key);
      return true;
    case Card::OptionsHelp:
      if (key == VkF1 || key == VkEscape) ShowCardInstead(Card::Options);
      return true;
    case Card::Plus:
      if (key != VkF3) {
        Close();
        return true;
      }
      SwitchPlus();
      DrawCard();
      return true;
    case Card::Online:
      if (!(OnlineKey && OnlineKey(key)) && card_ == Card::Online) Close();
      return true;
    case Card::None:
      break;
  }
  if (key == VkF1) {
    Open(Card::Help);
    return true;
  }
  if (form_.OpenQuestion) return false;  // every other key answers the question
  if (form_.Plus && form_.Mode == GameMode::SelectLevel && OnlineKey && OnlineKey(key)) return true;
  if (key == VkF3 && InMenu()) {
    SwitchPlus();
    Open(Card::Plus);
    return true;
  }
  const bool optionsKey = key == VkO || (key == VkReturn && form_.OptionsRowHighlighted());
  if (form_.Plus && optionsKey && InMenu() && form_.Mode != GameMode::CreateNewPlayer) {
    options_ = settings_ != nullptr ? *settings_ : Settings{};
    options_.Plus = form_.Plus;
    options_.Ghost = form_.Replays.GhostShown;
    optionRow_ = 0;
    Open(Card::Options);
    return true;
  }
  if (form_.Plus && form_.Mode == GameMode::game && !form_.WatchingReplay()) {
    if (key == VkEscape) {
      form_.ShowRunBeforeItsFirstStep();
      Open(Card::GiveUp);
      return true;
    }
  }
  if (form_.Plus && key == VkR && form_.RestartRun()) return true;
  if (form_.Mode == GameMode::game && IsPauseKey(key)) {
    Open(Card::Pause);
    return true;
  }
  return false;
}

void Session::KeyPress(uint8_t character, bool commandHeld) {
  if (card_ != Card::None || swallowCharacter_) {
    swallowCharacter_ = false;
    return;
  }
  form_.KeyPress(character, commandHeld);
}

void Session::KeyUp(uint16_t key) {
  swallowCharacter_ = false;
  if (key < swallowed_.size() && swallowed_[key]) {
    swallowed_[key] = false;
    return;
  }
  if (card_ != Card::None) {
    heldBackUps_.push_back(key);
    return;
  }
  form_.KeyUp(key);
}

// Plus: a left click on a menu's row or a question's answer is Return there, so that it
// chooses exactly as the key does (the main menu's "Options" opens its card).
void Session::MouseDown(MouseButton button, int32_t x, int32_t y) {
  if (card_ == Card::Options) return OptionsMouse(y, button == MouseButton::Left);
  if (card_ != Card::None) return;
  if (button == MouseButton::Left && form_.PointAtMenu(x, y)) {
    KeyDown(VkReturn);
    KeyUp(VkReturn);
    return;
  }
  form_.MouseDown(button, x, y);
}

void Session::MouseMove(int32_t x, int32_t y) {
  if (card_ == Card::Options) return OptionsMouse(y, false);
  if (card_ == Card::None) form_.MouseMove(x, y);
}

// A release only ends a stroke, so it always reaches the game: no stroke outlives a card.
void Session::MouseUp(MouseButton button, int32_t x, int32_t y) { form_.MouseUp(button, x, y); }

void Session::MouseWheel(int32_t dx, int32_t dy) {
  if (card_ == Card::None) form_.MouseWheel(dx, dy);
}

void Session::FocusLost() {
  focused_ = false;
  PauseWithoutFocus();
}

// Plus keeps the card up as it says ("Pause or P resumes"): the player comes back to a
// run that waits for them, not one already running.
void Session::FocusGained() {
  focused_ = true;
  if (card_ == Card::Pause && pausedByFocus_ && !form_.Plus) Close();
}

void Session::RequestClose() {
  form_.RequestClose();
  if (form_.OpenQuestion && card_ != Card::None) Close();
}

void Session::SoundSwitched(bool on) {
  if (!form_.Plus) return;
  notice_.Show(on ? "Sound on" : "Sound off");
  card_ == Card::None ? ShowNoticeOverGame() : DrawCard();
}

// The game's frame, kept aside once, with the notice over it.
void Session::ShowNoticeOverGame() {
  if (!noticeOverGame_) *underNotice_ = display_.Presented();
  noticeOverGame_ = true;
  display_.LoadBackBuffer(*underNotice_);
  notice_.Draw(display_, form_.Mode);
  display_.PresentFrame();
}

// Without the focus there are no ticks: a run then always shows the pause card, also
// when a key that still arrives (P, a card's key, Return on a menu) leaves a run bare.
void Session::PauseWithoutFocus() {
  if (focused_ || card_ != Card::None || form_.Mode != GameMode::game) return;
  Open(Card::Pause);
  pausedByFocus_ = true;
}

const FrameBuffer& Session::GameFrame() const {
  if (card_ != Card::None) return *kept_;
  return noticeOverGame_ ? *underNotice_ : display_.Presented();
}

bool Session::TakeScreenshotRequest() { return std::exchange(screenshotWanted_, false); }

// The classic main menu has two rows: a cursor on plus's "Players" or "Options" comes up
// to "Editor".
void Session::SetPlus(bool on) {
  form_.Plus = on;
  if (!on && form_.Mode != GameMode::editor) display_.ShowPointer(false);  // classic's menus show none
  if (!on && form_.Mode == GameMode::MainMenu) form_.MenuCursor = std::min(form_.MenuCursor, 1);
  if (!on) form_.LeaveRename();  // the classic game renames no one
}

// F3: plus the other way, noted for tobu.ini.
void Session::SwitchPlus() {
  SetPlus(!form_.Plus);
  plusSwitched_ = true;
}

void Session::ShowOnlineCard(std::vector<std::string> lines, std::optional<Picture> picture) {
  onlineLines_ = std::move(lines);
  onlinePicture_ = std::move(picture);
  if (card_ == Card::Online) return DrawCard();
  if (card_ == Card::None) Open(Card::Online);
}

void Session::CloseOnlineCard() {
  if (card_ == Card::Online) Close();
}

void Session::ShowTitle() {
  titleTick_ = 0;
  Open(Card::Title);
}

// Up and Down move between the rows; a change is made in the game at once (plus, the
// ghost) or by the platform (the screen, the sound) and kept in tobu.ini.
void Session::OptionsKey(uint16_t key) {
  if (key == VkEscape || key == VkO) return Close();
  if (key == VkUp && optionRow_ > 0) --optionRow_;
  if (key == VkDown && optionRow_ < OptionRows - 1) ++optionRow_;
  if (ChangeOption(options_, optionRow_, key)) {
    SetPlus(options_.Plus);
    form_.Replays.GhostShown = options_.Ghost;
    optionsChanged_ = true;
  }
  DrawCard();
}

// The pointer over a row of the options card moves its pointer there; a click changes
// the row's value as Return does.
void Session::OptionsMouse(int32_t y, bool click) {
  const int row = OptionRowAt(y);
  if (row < 0) return;
  if (row != optionRow_) {
    optionRow_ = row;
    DrawCard();
  }
  if (click) OptionsKey(VkReturn);
}

bool Session::TakeOptionsChange() { return std::exchange(optionsChanged_, false); }

bool Session::TakePlusSwitch() { return std::exchange(plusSwitched_, false); }

// The screens between runs; not a run, the editor or a watched record.
bool Session::InMenu() const {
  switch (form_.Mode) {
    case GameMode::game:
    case GameMode::editor:
    case GameMode::PlayTestResult:
      return false;
    default:
      return !form_.WatchingReplay();
  }
}

void Session::Open(Card card) {
  *kept_ = noticeOverGame_ ? *underNotice_ : display_.Presented();
  noticeOverGame_ = false;
  card_ = card;
  pausedByFocus_ = false;
  DrawCard();
}

// The open card over the kept frame, presented.
void Session::DrawCard() {
  display_.LoadBackBuffer(*kept_);
  if (card_ == Card::Help) DrawHelpCard(display_, form_);
  if (card_ == Card::Pause) DrawPauseCard(display_, form_.Plus);
  if (card_ == Card::Plus) DrawPlusCard(display_, form_.Plus);
  if (card_ == Card::GiveUp) DrawGiveUpCard(display_);
  if (card_ == Card::Online)
    DrawOnlineCard(display_, onlineLines_, onlinePicture_ ? &*onlinePicture_ : nullptr);
  if (card_ == Card::Title) DrawTitleCard(display_, titleTick_);
  if (card_ == Card::Options || card_ == Card::OptionsHelp)
    DrawOptionsCard(display_, options_, optionRow_, form_.Anim.ObjectFrame[ObjectExit], form_.Anim.SceneTick);
  if (card_ == Card::OptionsHelp) DrawOptionsHelpCard(display_);
  if (notice_.Shown()) notice_.Draw(display_, form_.Mode);
  display_.PresentFrame();
}

// Another card over the same kept frame: the options card and its help take turns.
void Session::ShowCardInstead(Card card) {
  card_ = card;
  DrawCard();
}

void Session::Close() {
  card_ = Card::None;
  pausedByFocus_ = false;
  display_.LoadBackBuffer(*kept_);
  display_.PresentFrame();
  if (notice_.Shown()) ShowNoticeOverGame();
  std::vector<uint16_t> ups;
  ups.swap(heldBackUps_);
  for (const uint16_t key : ups) form_.KeyUp(key);
}

// A key the game holds down repeats while a card is open: its release is held back for the
// form instead, so the game never keeps a key held that is up.
void Session::Swallow(uint16_t key) {
  if (key < swallowed_.size() && !form_.KeyHeld[key]) swallowed_[key] = true;
}

}  // namespace tobu
