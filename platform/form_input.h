#pragma once
#include <SDL.h>

#include "platform/error_report.h"
#include "platform/game_input.h"

namespace tobu {

// Delivers input to the form's handlers, each call guarded so a file error is shown
// and the game goes on. Nothing reaches a form that has been closed.
class FormInput : public GameInput {
public:
  FormInput(TForm1& form, SDL_Window* window) : form_(form), window_(window) {}

  void KeyDown(uint16_t key) override { Call([&] { form_.FormKeyDown(key); }); }
  void KeyPress(uint8_t character) override { Call([&] { form_.FormKeyPress(character); }); }
  void KeyUp(uint16_t key) override { Call([&] { form_.FormKeyUp(key); }); }
  void MouseDown(MouseButton button, int32_t x, int32_t y) override {
    Call([&] { form_.DXDraw1MouseDown(button, x, y); });
  }
  void MouseMove(int32_t x, int32_t y) override { Call([&] { form_.DXDraw1MouseMove(x, y); }); }
  void MouseUp(MouseButton button, int32_t x, int32_t y) override {
    Call([&] { form_.DXDraw1MouseUp(button, x, y); });
  }

private:
  template <typename Handler>
  void Call(Handler&& handler) {
    if (!form_.Closed) CallGuarded(window_, form_.Events, handler);
  }

  TForm1& form_;
  SDL_Window* window_;
};

}  // namespace tobu
