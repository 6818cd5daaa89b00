#include "shell/key_event_watch.h"

#include "shell/game.h"

namespace tobu {
namespace {

bool IsMenu(GameMode mode) {
  return mode == GameMode::SelectPlayer || mode == GameMode::MainMenu || mode == GameMode::SelectLevel ||
         mode == GameMode::GameMenu;
}

KeyEventView ViewOf(const Game& form) {
  KeyEventView view;
  view.Mode = form.Mode;
  view.Cursor = form.MenuCursor;
  view.ListTop = form.ListTop;
  view.PromptOpen = form.Editor.PromptOpen();
  view.Closed = form.Closed;
  if (form.Mode == GameMode::CreateNewPlayer) view.TypedLength = form.Players.PlayerName.size();
  if (form.Mode == GameMode::editor) view.TypedLength = form.Editor.InputText.size();
  return view;
}

}  // namespace

void ReportKeyDown(EventQueue& events, uint16_t key, const KeyEventView& before, const KeyEventView& after) {
  if (after.Closed) return;
  const bool sameMode = before.Mode == after.Mode;
  const bool moved = before.Cursor != after.Cursor || before.ListTop != after.ListTop;
  if ((key == VkUp || key == VkDown) && sameMode && IsMenu(after.Mode) && moved) events.Push(GameEvent::Move);
  if (key == VkReturn && !sameMode) events.Push(GameEvent::Choose);
  // Escape in a run gives it up, which `fail` reports; closing a prompt counts as leaving.
  const bool promptClosed = before.PromptOpen && !after.PromptOpen;
  if (key == VkEscape && before.Mode != GameMode::game && (!sameMode || promptClosed)) {
    events.Push(GameEvent::Back);
  }
}

void ReportKeyPress(EventQueue& events, uint8_t character, const KeyEventView& before,
                    const KeyEventView& after) {
  if (before.Mode != after.Mode) {
    if (character == VkReturn && !after.Closed) events.Push(GameEvent::Choose);
    return;
  }
  if (after.TypedLength > before.TypedLength) events.Push(GameEvent::Type);
  if (after.TypedLength < before.TypedLength) events.Push(GameEvent::Erase);
}

void ReportEditorChange(EventQueue& events, EditorChange change) {
  switch (change) {
    case EditorChange::Paint:
      events.PushOncePerTick(GameEvent::Paint);
      break;
    case EditorChange::Place:
      events.Push(GameEvent::Place);
      break;
    case EditorChange::Remove:
      events.Push(GameEvent::Remove);
      break;
    case EditorChange::None:
      break;
  }
}

KeyEventWatch::KeyEventWatch(Game& form, Handler handler, uint16_t key)
    : form_(form), handler_(handler), key_(key), before_(ViewOf(form)) {}

KeyEventWatch::~KeyEventWatch() {
  const KeyEventView after = ViewOf(form_);
  if (handler_ == Handler::KeyDown) {
    ReportKeyDown(form_.Events, key_, before_, after);
  } else {
    ReportKeyPress(form_.Events, static_cast<uint8_t>(key_), before_, after);
  }
}

}  // namespace tobu
