// The page's settings as the desktop keeps them: tobu.ini in the saved folder, updated
// when the player switches something (F2, F3, G, the options card).
#include "platform/web/web_game.h"
#include "platform/web/web_page.h"
#include "world/file_error.h"

namespace tobu {

// A file error is the page's message, and the game goes on.
void WebGame::KeepSettings(const Settings& changed, bool mayCreate) {
  try {
    UpdateSettings(settings_, changed, mayCreate);
  } catch (const FileError& error) {
    for (const std::string& message : error.Messages()) {
      page::ShowMessage(message);
      form_.Events.Push(GameEvent::Error);
    }
  }
}

// F3 in a menu: switching plus on is the player's choice to keep settings, so it may
// create tobu.ini; switching it off writes an existing file only.
void WebGame::RememberPlus() {
  if (!session_.TakePlusSwitch()) return;
  Settings changed = settings_.Values;
  changed.Plus = form_.Plus;
  KeepSettings(changed, changed.Plus);
}

// G in a run shows or hides the record's ghost; tobu.ini (when there is one) remembers it.
void WebGame::RememberGhost() {
  if (form_.Replays.GhostShown == settings_.Values.Ghost) return;
  Settings changed = settings_.Values;
  changed.Ghost = form_.Replays.GhostShown;
  KeepSettings(changed);
}

// F2: the sound goes on or off (plus says which), and tobu.ini (when there is one) remembers it.
void WebGame::ToggleSound() {
  audio_.SetEnabled(!audio_.Enabled());
  session_.SoundSwitched(audio_.Enabled());
  Settings changed = settings_.Values;
  changed.Sound = audio_.Enabled();
  KeepSettings(changed);
  page::SaveFilesIfChanged();
}

void WebGame::NoteShownSettings() {
  shown_ = settings_.Values;
  shown_.FullScreen = page::FullScreen();
  shown_.Sound = audio_.Enabled();
}

// The options card (plus): the value the player changed is made at once and kept in
// tobu.ini, which plus may create; the others stay in the file as they are. The page
// starts out of full screen whatever the file says: a browser allows full screen only
// at the player's own key.
void WebGame::ApplyOptions() {
  if (!session_.TakeOptionsChange()) return;
  const Settings& wanted = session_.Options();
  Settings kept = settings_.Values;
  if (wanted.FullScreen != shown_.FullScreen) {
    page::SetFullScreen(wanted.FullScreen);
    kept.FullScreen = wanted.FullScreen;
  }
  if (wanted.Scale != shown_.Scale) page::SetWholeMultiplesOnly(wanted.Scale == FrameScale::Integer);
  if (wanted.Sound != shown_.Sound) {
    audio_.SetEnabled(wanted.Sound);
    kept.Sound = wanted.Sound;
  }
  if (wanted.Volume != shown_.Volume) audio_.SetVolume(wanted.Volume);
  if (wanted.Music != shown_.Music) audio_.SetMusicVolume(wanted.Music);
  kept.Scale = wanted.Scale;
  kept.Volume = wanted.Volume;
  kept.Music = wanted.Music;
  kept.Ghost = wanted.Ghost;
  kept.Plus = wanted.Plus;
  KeepSettings(kept, /*mayCreate=*/true);
  NoteShownSettings();
}

}  // namespace tobu
