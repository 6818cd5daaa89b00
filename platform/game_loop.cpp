#include "platform/game_loop.h"

namespace tobu {

GameLoop::GameLoop(Screen& screen, TForm1& form, SoftwareDisplay& display, Audio& audio)
    : screen_(screen), form_(form), display_(display), audio_(audio), input_(form, screen.Window()),
      router_(input_) {}

void GameLoop::Run() {
  if (screen_.HasInputFocus()) timer_.Start(SDL_GetTicks());
  screen_.ShowPointer(display_.PointerShown());
  router_.SetFrame(screen_.Frame());
  while (!form_.Closed) {
    // Without focus there are no ticks, so wait for the next event however long it takes.
    const int timeout = timer_.Running() ? static_cast<int>(timer_.MillisecondsUntilNextTick(SDL_GetTicks())) : -1;
    SDL_Event event;
    if (SDL_WaitEventTimeout(&event, timeout) != 0) {
      if (!Handle(event)) return;
      while (!form_.Closed && SDL_PollEvent(&event) != 0) {
        if (!Handle(event)) return;
      }
    }
    if (form_.Closed) return;
    if (const int32_t lagCount = timer_.Poll(SDL_GetTicks()); lagCount > 0) Tick(lagCount);
  }
}

bool GameLoop::Handle(const SDL_Event& event) {
  switch (router_.Route(event)) {
    case WindowRequest::Close: return false;
    case WindowRequest::ToggleFullScreen: screen_.ToggleFullScreen(); break;
    case WindowRequest::FocusGained: timer_.Start(SDL_GetTicks()); break;
    case WindowRequest::FocusLost: timer_.Stop(); break;
    case WindowRequest::Redraw: screen_.Refresh(); break;
    case WindowRequest::ToggleSound: audio_.SetEnabled(!audio_.Enabled()); break;
    case WindowRequest::None: break;
  }
  router_.SetFrame(screen_.Frame());
  screen_.ShowPointer(display_.PointerShown());
  return true;
}

void GameLoop::Tick(int32_t lagCount) {
  CallGuarded(screen_.Window(), form_.Events, [&] { form_.DXTimer1Timer(lagCount); });
  ++ticks_;
  intervals_ += static_cast<uint64_t>(lagCount);
  ShowNewFrame();
  audio_.Play(form_.Events.Drain());
  screen_.ShowPointer(display_.PointerShown());
}

void GameLoop::ShowNewFrame() {
  if (display_.PresentCount() == shownPresentCount_) return;
  shownPresentCount_ = display_.PresentCount();
  screen_.Show(display_.Presented());
  router_.SetFrame(screen_.Frame());  // showing notices a window that changed size
}

}  // namespace tobu
