#include "platform/run_game.h"

#include <SDL.h>

#include <cstdio>
#include <memory>
#include <stdexcept>

#include "platform/error_report.h"
#include "platform/game_loop.h"
#include "platform/screen.h"
#include "platform/ttf_canvas_font.h"

namespace tobu {
namespace {

int RunWindow() {
  Screen screen;
  std::unique_ptr<CanvasFont> font = OpenTtfCanvasFont();
  auto display = std::make_unique<SoftwareDisplay>();
  display->SetCanvasFont(font.get());
  auto form = std::make_unique<TForm1>(*display);
  CallGuarded(screen.Window(), [&] { form->FormCreate(); });
  SDL_StartTextInput();
  GameLoop(screen, *form, *display).Run();
  return 0;
}

}  // namespace

int RunGame() {
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "tobu: cannot start the display: %s\n", SDL_GetError());
    return 1;
  }
  int status = 1;
  try {
    status = RunWindow();
  } catch (const std::runtime_error& error) {
    std::fprintf(stderr, "tobu: %s\n", error.what());
  }
  SDL_Quit();
  return status;
}

}  // namespace tobu
