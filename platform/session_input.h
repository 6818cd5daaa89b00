#pragma once
#include <SDL.h>

#include "platform/error_report.h"
#include "platform/game_input.h"
#include "session/session.h"

namespace tobu {

// Delivers input to the session (the game and its cards), each call guarded so a file
// error is shown and the game goes on. Nothing reaches a game that has been closed.
class SessionInput : public GameInput {
 public:
  SessionInput(Session& session, SDL_Window* window) : session_(session), window_(window) {}

  void KeyDown(uint16_t key) override {
    Call([&] { session_.KeyDown(key); });
  }
  void KeyPress(uint8_t character, bool commandHeld) override {
    Call([&] { session_.KeyPress(character, commandHeld); });
  }
  void KeyUp(uint16_t key) override {
    Call([&] { session_.KeyUp(key); });
  }
  void MouseDown(MouseButton button, int32_t x, int32_t y) override {
    Call([&] { session_.MouseDown(button, x, y); });
  }
  void MouseMove(int32_t x, int32_t y) override {
    Call([&] { session_.MouseMove(x, y); });
  }
  void MouseUp(MouseButton button, int32_t x, int32_t y) override {
    Call([&] { session_.MouseUp(button, x, y); });
  }
  void MouseWheel(int32_t dx, int32_t dy) override {
    Call([&] { session_.MouseWheel(dx, dy); });
  }

 private:
  template <typename Handler>
  void Call(Handler&& handler) {
    if (!session_.Closed()) CallGuarded(window_, session_.TheGame().Events, handler);
    ReportWarnings(session_.TheGame().Warnings);
  }

  Session& session_;
  SDL_Window* window_;
};

}  // namespace tobu
