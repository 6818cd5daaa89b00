#include "platform/run_game.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <stdexcept>

#include "platform/error_report.h"
#include "platform/game_loop.h"
#include "platform/screen.h"
#include "platform/ttf_canvas_font.h"

namespace tobu {
namespace {

// For measuring only: with TOBU_TICK_LOG=path the number of ticks run is written there
// when the game ends with the timer intervals that passed meanwhile, to check that the
// loop held 100 ticks a second and lost none.
void WriteTickLog(uint64_t ticks, uint64_t intervals) {
  const char* path = std::getenv("TOBU_TICK_LOG");
  if (path == nullptr || *path == '\0') return;
  if (std::FILE* log = std::fopen(path, "w")) {
    std::fprintf(log, "ticks %llu intervals %llu\n", static_cast<unsigned long long>(ticks),
                 static_cast<unsigned long long>(intervals));
    std::fclose(log);
  }
}

int RunWindow() {
  Screen screen;
  std::unique_ptr<CanvasFont> font = OpenTtfCanvasFont();
  auto display = std::make_unique<SoftwareDisplay>();
  display->SetCanvasFont(font.get());
  auto form = std::make_unique<TForm1>(*display);
  CallGuarded(screen.Window(), [&] { form->FormCreate(); });
  SDL_StartTextInput();
  GameLoop loop(screen, *form, *display);
  loop.Run();
  WriteTickLog(loop.Ticks(), loop.Intervals());
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
