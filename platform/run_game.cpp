#include "platform/run_game.h"

#include <SDL.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <stdexcept>

#include "platform/error_report.h"
#include "platform/game_loop.h"
#include "platform/screen.h"
#include "platform/ttf_canvas_font.h"

namespace tobu {
namespace {

#ifdef TOBU_MEASURE
// Measuring builds only (-DTOBU_MEASURE=ON): the number of ticks run and the timer
// intervals that passed meanwhile, written when the game ends, to check that the loop
// held 100 ticks a second and lost none. The game changes directory as it plays, so
// the file's place is fixed at start.
void WriteTickLog(const std::filesystem::path& path, uint64_t ticks, uint64_t intervals) {
  if (std::FILE* log = std::fopen(path.c_str(), "w")) {
    std::fprintf(log, "ticks %llu intervals %llu\n", static_cast<unsigned long long>(ticks),
                 static_cast<unsigned long long>(intervals));
    std::fclose(log);
  }
}
#endif

int RunWindow(const std::string& replayFile) {
#ifdef TOBU_MEASURE
  std::error_code error;
  const std::filesystem::path tickLog = std::filesystem::absolute("tobu-ticks.log", error);
#endif
  Screen screen;
  std::unique_ptr<CanvasFont> font = OpenTtfCanvasFont();
  auto display = std::make_unique<SoftwareDisplay>();
  display->SetCanvasFont(font.get());
  auto form = std::make_unique<TForm1>(*display);
  CallGuarded(screen.Window(), [&] { form->FormCreate(); });
  if (!replayFile.empty()) {
    // Nobody is there to dismiss a message box: a replay that cannot play ends the program.
    try {
      form->WatchReplay(replayFile, /*closeAtEnd=*/true);
    } catch (const FileError& error) {
      std::fprintf(stderr, "tobu: %s\n", error.what());
      return 1;
    }
  }
  SDL_StartTextInput();
  GameLoop loop(screen, *form, *display);
  loop.Run();
#ifdef TOBU_MEASURE
  if (!error) WriteTickLog(tickLog, loop.Ticks(), loop.Intervals());
#endif
  return 0;
}

}  // namespace

int RunGame(const std::string& replayFile) {
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "tobu: cannot start the display: %s\n", SDL_GetError());
    return 1;
  }
  int status = 1;
  try {
    status = RunWindow(replayFile);
  } catch (const std::runtime_error& error) {
    std::fprintf(stderr, "tobu: %s\n", error.what());
  }
  SDL_Quit();
  return status;
}

}  // namespace tobu
