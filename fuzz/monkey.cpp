#include "fuzz/monkey.h"

#include <algorithm>

#include "editor/brushes.h"
#include "world/file_error.h"

namespace tobu::fuzz {
namespace {

constexpr int ListRows = 16;

// Keys the game knows, and a few it does not.
constexpr uint16_t AnyKeys[] = {VkReturn, VkEscape, VkSpace, VkLeft, VkUp, VkRight,  VkDown,
                                VkDelete, VkBack,   '1',     '2',    '3',  '4',      '5',
                                'S',      'O',      'L',     'A',    'Z',  0,        255,
                                256,      65535,    VkF5,    VkTab,  'G',  VkControl};

// The character a key-down delivers between its key-down and key-up, or 0 for none.
uint8_t CharacterOf(uint16_t key) {
  if (key == VkReturn || key == VkBack || key == VkSpace || key == VkEscape) return static_cast<uint8_t>(key);
  if (key >= '0' && key <= '9') return static_cast<uint8_t>(key);
  if (key >= 'A' && key <= 'Z') return static_cast<uint8_t>(key - 'A' + 'a');
  return 0;
}

}  // namespace

Monkey::Monkey(std::filesystem::path root, uint64_t seed)
    : root_(std::move(root)), gameDir_(root_ / "game"), random_(seed) {
  StartForm();
}

// A new process: it starts in the game's directory and reads the roster there.
void Monkey::StartForm() {
  std::filesystem::current_path(gameDir_);
  form_ = std::make_unique<Game>(display_);
  Call([&] { form_->Start(); });
}

std::string Monkey::Run(int64_t events) {
  const int64_t end = stats_.Events + events;
  while (stats_.Events < end && broken_.empty()) {
    if (form_->Closed) {
      ++stats_.Restarts;
      StartForm();
    }
    Step();
  }
  return broken_;
}

// One handler call; FileError is what the player is shown, anything else escapes.
template <typename Handler>
void Monkey::Call(Handler&& handler) {
  if (!broken_.empty()) return;
  ++stats_.Events;
  try {
    handler();
  } catch (const FileError& error) {
    ++stats_.FileErrors;
    if (std::string(error.what()).empty()) broken_ = "a file error without a message";
  }
  if (broken_.empty()) broken_ = BrokenInvariant();
  if (!broken_.empty()) broken_ += " (event " + std::to_string(stats_.Events) + ")";
}

void Monkey::Step() {
  if (Roll(100) < 2) return StepNoise();
  switch (form_->Mode) {
    case GameMode::SelectPlayer:
      return StepInMenu(4, 6, 1);
    case GameMode::CreateNewPlayer:
      if (Roll(3) == 0) return TypeChar(static_cast<uint8_t>(33 + Roll(90)));
      return StepInMenu(1, 3, 0);
    case GameMode::MainMenu:
      return StepInMenu(4, 6, 1);
    case GameMode::SelectLevel:
      if (Roll(40) == 0) return Stroke(VkDelete);
      return StepInMenu(8, 3, 1);
    case GameMode::game:
      return StepInGame();
    case GameMode::GameMenu:
      return StepInMenu(4, 5, 2);
    case GameMode::TopTen:
      return StepInMenu(1, 1, 3);
    case GameMode::editor:
      return StepInEditor();
    case GameMode::PlayTestResult:
      return StepInMenu(1, 1, 1);
  }
}

// Menus: ticks, Down and Up, Return, Escape (rare, since it may close the game).
void Monkey::StepInMenu(int downWeight, int returnWeight, int escapeWeight) {
  const int roll = Roll(10 + 2 * downWeight + returnWeight + escapeWeight);
  if (roll < 10) return Tick();
  if (roll < 10 + downWeight) return Stroke(VkDown);
  if (roll < 10 + 2 * downWeight) return Stroke(VkUp);
  if (roll < 10 + 2 * downWeight + returnWeight) return Stroke(VkReturn);
  Stroke(VkEscape);
}

// A run: mostly ticks under held Left, Right and Space, now and then Escape.
void Monkey::StepInGame() {
  const int roll = Roll(100);
  if (roll < 75) return Tick();
  if (roll < 85) return Hold(std::array<uint16_t, 3>{VkLeft, VkRight, VkSpace}[static_cast<size_t>(Roll(3))]);
  if (roll < 97) return ReleaseOne();
  Stroke(VkEscape);
}

// The editor: the mouse, brushes, the start, scrolling, the prompts and file names.
void Monkey::StepInEditor() {
  const int roll = Roll(100);
  if (roll < 20) return Tick();
  if (roll < 50) return Mouse(Roll(3));
  if (roll < 58) return Stroke(static_cast<uint16_t>('1' + Roll(BrushCount)));
  if (roll < 60) return Stroke(VkSpace);
  if (roll < 65) return Hold(static_cast<uint16_t>(VkLeft + Roll(4)));
  if (roll < 70) return ReleaseOne();
  if (roll < 74) return Stroke(std::array<uint16_t, 3>{'S', 'O', 'L'}[static_cast<size_t>(Roll(3))]);
  if (form_->Editor.PromptOpen() && roll < 90)
    return TypeChar(static_cast<uint8_t>("abcdefghij-_08"[Roll(14)]));
  if (form_->Editor.PromptOpen() && roll < 96) return Stroke(VkReturn);
  if (roll < 97) return Stroke(VkBack);
  if (roll < 98) return Stroke(VkF5);  // a play-test: a run that must write nothing
  Stroke(VkEscape);
}

// Anything at all: any key, any character, the mouse anywhere, a burst of ticks.
void Monkey::StepNoise() {
  switch (Roll(4)) {
    case 0:
      return Stroke(AnyKeys[static_cast<size_t>(Roll(static_cast<int>(std::size(AnyKeys))))]);
    case 1:
      return TypeChar(static_cast<uint8_t>(Roll(256)));
    case 2:
      return Mouse(Roll(3));
    default:
      for (int i = Roll(50); i >= 0 && form_ && !form_->Closed; --i) Tick();
  }
}

// Key-down, its character, key-up: three events, each checked.
void Monkey::Stroke(uint16_t key) {
  Call([&] { form_->KeyDown(key); });
  if (const uint8_t ch = CharacterOf(key); ch != 0 && !form_->Closed) TypeChar(ch);
  if (!form_->Closed) Call([&] { form_->KeyUp(key); });
}

// A key pressed and kept down (a repeat when already held).
void Monkey::Hold(uint16_t key) {
  Call([&] { form_->KeyDown(key); });
  if (const uint8_t ch = CharacterOf(key); ch != 0 && !form_->Closed) TypeChar(ch);
}

void Monkey::ReleaseOne() {
  const int first = Roll(256);
  for (int i = 0; i < 256; ++i) {
    const auto key = static_cast<uint16_t>((first + i) % 256);
    if (form_->KeyHeld[key]) return Call([&] { form_->KeyUp(key); });
  }
  Tick();
}

void Monkey::TypeChar(uint8_t ch) {
  Call([&] { form_->KeyPress(ch); });
}

// Mostly on the view, sometimes off its edges.
void Monkey::Mouse(int action) {
  const bool off = Roll(20) == 0;
  const int32_t x = off ? Roll(1400) - 380 : Roll(ViewWidth);
  const int32_t y = off ? Roll(1200) - 360 : Roll(ViewHeight);
  const auto button = static_cast<MouseButton>(Roll(3));
  if (action == 0) return Call([&] { form_->MouseDown(button, x, y); });
  if (action == 1) return Call([&] { form_->MouseMove(x, y); });
  Call([&] { form_->MouseUp(button, x, y); });
}

void Monkey::Tick() {
  ++stats_.TicksInMode[static_cast<size_t>(form_->Mode)];
  Call([&] { form_->Tick(1); });
  if (broken_.empty()) broken_ = BrokenAfterTick();
}

std::string Monkey::BrokenInvariant() const {
  const Game& form = *form_;
  if (form.Level.ObjectCount != static_cast<int32_t>(form.Level.ObjectList.size())) {
    return "ObjectCount differs from the object list";
  }
  if (form.Players.PlayerCount > MaxPlayers) return "more than 14 players";
  if (form.Mode == GameMode::SelectLevel) {
    const int32_t count = form.LevelFiles.Count();
    if (form.MenuCursor < 0 || form.MenuCursor > ListRows - 1) return "the level cursor left the screen";
    if (form.ListTop < 0 || form.ListTop + form.MenuCursor >= count) return "the level cursor left the list";
  }
  // The game only ever works in its own directory and the Levels folder below it.
  std::error_code error;
  const std::filesystem::path cwd = std::filesystem::current_path(error);
  if (cwd != gameDir_ && cwd != gameDir_ / "Levels") return "the working directory moved to " + cwd.string();
  for (const auto& entry : std::filesystem::directory_iterator(root_, error)) {
    if (entry.path() != gameDir_)
      return "a file was written outside the game's directory: " + entry.path().string();
  }
  return {};
}

std::string Monkey::BrokenAfterTick() const {
  const World& level = form_->Level;
  if (level.CameraX < 0 || level.CameraX > CameraMaxX || level.CameraY < 0 || level.CameraY > CameraMaxY) {
    return "the camera left the world after a tick";
  }
  return {};
}

}  // namespace tobu::fuzz
