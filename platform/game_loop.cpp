#include "platform/game_loop.h"

#include <ctime>
#include <optional>

#include "screenshot/screenshot.h"
#include "shell/music_theme.h"

namespace tobu {
namespace {

// Where the run's sounds of this tick are heard: where the runner is on the screen.
Pan SoundPlace(const Game& game) {
  const std::optional<double> across = game.RunnerAcrossView();
  return across ? PanAt(*across) : Pan{};
}

}  // namespace

GameLoop::GameLoop(Screen& screen, Session& session, SoftwareDisplay& display, SettingsStore& settings,
                   Audio& audio)
    : screen_(screen),
      session_(session),
      display_(display),
      settings_(settings),
      audio_(audio),
      input_(session, screen.Window()),
      router_(input_) {
  NoteShownSettings();
  session_.UseSettings(&shown_);
  if (settings.Values.Gamepad && SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0) {
    gamepad_ = std::make_unique<GamepadRouter>(input_, session.TheGame());
  }
}

void GameLoop::Run() {
  if (screen_.HasInputFocus()) {
    timer_.Start(SDL_GetTicks());
  } else {
    session_.FocusLost();
  }
  screen_.ShowPointer(display_.PointerShown());
  router_.SetFrame(screen_.Frame());
  while (!session_.Closed()) {
    // Without focus there are no ticks, so wait for the next event however long it takes.
    const int timeout =
        timer_.Running() ? static_cast<int>(timer_.MillisecondsUntilNextTick(SDL_GetTicks())) : -1;
    SDL_Event event;
    if (SDL_WaitEventTimeout(&event, timeout) != 0) {
      if (!Handle(event)) return;
      while (!session_.Closed() && SDL_PollEvent(&event) != 0) {
        if (!Handle(event)) return;
      }
    }
    if (session_.Closed()) return;
    if (const int32_t lagCount = timer_.Poll(SDL_GetTicks()); lagCount > 0) Tick(lagCount);
  }
}

bool GameLoop::Handle(const SDL_Event& event) {
  NoteShownSettings();
  const bool fromPad = gamepad_ && gamepad_->Route(event);
  switch (fromPad ? WindowRequest::None : router_.Route(event)) {
    case WindowRequest::Close:
      CallGuarded(screen_.Window(), session_.TheGame().Events, [&] { session_.RequestClose(); });
      if (session_.Closed()) return false;
      break;
    case WindowRequest::ToggleFullScreen:
      ToggleFullScreen();
      break;
    case WindowRequest::FocusGained:
      timer_.Start(SDL_GetTicks());
      session_.FocusGained();
      break;
    case WindowRequest::FocusLost:
      timer_.Stop();
      session_.FocusLost();
      break;
    case WindowRequest::Redraw:
      screen_.Refresh();
      break;
    case WindowRequest::ToggleSound:
      ToggleSound();
      break;
    case WindowRequest::None:
      break;
  }
  audio_.Play(session_.TheGame().Events.Drain(), SoundPlace(session_.TheGame()));  // at once, not next tick
  audio_.FollowMode(MusicMode(session_.TheGame()), MusicTheme(session_.TheGame()), session_.TheGame().Plus);
  if (session_.TakeScreenshotRequest()) TakeScreenshot();
  ApplyOptions();  // first: it may create tobu.ini, which the two below only update
  RememberGhost();
  RememberPlus();
  ShowNewFrame();  // a card opened or closed between ticks
  router_.SetFrame(screen_.Frame());
  screen_.ShowPointer(display_.PointerShown());
  return true;
}

void GameLoop::Tick(int32_t lagCount) {
  if (BeforeTick) BeforeTick();
  CallGuarded(screen_.Window(), session_.TheGame().Events, [&] { session_.Tick(lagCount); });
  const std::vector<GameEvent> events = session_.TheGame().Events.Drain();
  if (AfterTick) AfterTick(events);
  audio_.Play(events, SoundPlace(session_.TheGame()));  // before the frame, which may wait for the screen
  audio_.FollowMode(MusicMode(session_.TheGame()), MusicTheme(session_.TheGame()), session_.TheGame().Plus);
  ReportWarnings(session_.TheGame().Warnings);
  ++ticks_;
  intervals_ += static_cast<uint64_t>(lagCount);
  ShowNewFrame();
  screen_.ShowPointer(display_.PointerShown());
}

void GameLoop::ShowNewFrame() {
  if (display_.PresentCount() == shownPresentCount_) return;
  shownPresentCount_ = display_.PresentCount();
  screen_.Show(display_.Presented());
  router_.SetFrame(screen_.Frame());  // showing notices a window that changed size
}

// The choice is kept in tobu.ini when the player keeps one.
// G in a run shows or hides the record's ghost; tobu.ini (when there is one) remembers it.
void GameLoop::RememberGhost() {
  Settings changed = settings_.Values;
  changed.Ghost = session_.TheGame().Replays.GhostShown;
  CallGuarded(screen_.Window(), session_.TheGame().Events, [&] { UpdateSettings(settings_, changed); });
}

// F3 in a menu: switching plus on is the player's choice to keep settings, so it may
// create tobu.ini; switching it off writes an existing file only.
void GameLoop::RememberPlus() {
  if (!session_.TakePlusSwitch()) return;
  Settings changed = settings_.Values;
  changed.Plus = session_.TheGame().Plus;
  CallGuarded(screen_.Window(), session_.TheGame().Events,
              [&] { UpdateSettings(settings_, changed, changed.Plus); });
}

void GameLoop::NoteShownSettings() {
  shown_ = settings_.Values;
  shown_.FullScreen = screen_.IsFullScreen();
  shown_.Sound = audio_.Enabled();
}

// The options card (plus): the value the player changed is made at once and kept in
// tobu.ini, which plus may create; the others stay in the file as they are.
void GameLoop::ApplyOptions() {
  if (!session_.TakeOptionsChange()) return;
  const Settings& wanted = session_.Options();
  Settings kept = settings_.Values;
  if (wanted.FullScreen != shown_.FullScreen) {
    screen_.ToggleFullScreen();
    kept.FullScreen = screen_.IsFullScreen();
  }
  if (wanted.Scale != shown_.Scale) screen_.SetWholeMultiplesOnly(wanted.Scale == FrameScale::Integer);
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
  CallGuarded(screen_.Window(), session_.TheGame().Events,
              [&] { UpdateSettings(settings_, kept, /*mayCreate=*/true); });
  NoteShownSettings();
}

// F2: the sound goes on or off (plus says which), and tobu.ini (when there is one) remembers it.
void GameLoop::ToggleSound() {
  audio_.SetEnabled(!audio_.Enabled());
  session_.SoundSwitched(audio_.Enabled());
  Settings changed = settings_.Values;
  changed.Sound = audio_.Enabled();
  CallGuarded(screen_.Window(), session_.TheGame().Events, [&] { UpdateSettings(settings_, changed); });
}

void GameLoop::ToggleFullScreen() {
  screen_.ToggleFullScreen();
  Settings changed = settings_.Values;
  changed.FullScreen = screen_.IsFullScreen();
  CallGuarded(screen_.Window(), session_.TheGame().Events, [&] { UpdateSettings(settings_, changed); });
}

void GameLoop::TakeScreenshot() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  const std::filesystem::path folder = session_.TheGame().GameFolder / "Screenshots";
  CallGuarded(screen_.Window(), session_.TheGame().Events,
              [&] { SaveScreenshot(folder, session_.GameFrame(), local); });
}

}  // namespace tobu
