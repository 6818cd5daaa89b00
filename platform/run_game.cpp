#include "platform/run_game.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/audio.h"
#include "platform/command_line.h"
#include "platform/error_report.h"
#include "platform/game_loop.h"
#include "platform/screen.h"
#include "platform/ttf_canvas_font.h"
#include "session/left_temporaries.h"
#include "session/session.h"
#include "settings/settings_file.h"
#include "world/folder_lock.h"

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

int RunWindow(const CommandLine& line) {
#ifdef TOBU_MEASURE
  std::error_code error;
  const std::filesystem::path tickLog = std::filesystem::absolute("tobu-ticks.log", error);
#endif
  SettingsStore settings = LoadSettings(SettingsFileName, std::cerr);
  std::error_code folderError;  // the game enters Levels later; a relative name then misses
  if (const auto absolute = std::filesystem::absolute(settings.File, folderError); !folderError)
    settings.File = absolute;
  Screen screen(line.FullScreen.value_or(settings.Values.FullScreen),
                settings.Values.Scale == FrameScale::Integer);
  std::unique_ptr<CanvasFont> font = OpenTtfCanvasFont();
  auto display = std::make_unique<SoftwareDisplay>();
  display->SetCanvasFont(font.get());
  auto form = std::make_unique<Game>(*display);
  Session session(*form, *display);
  CallGuarded(screen.Window(), form->Events, [&] { session.Start(); });
  form->Replays.GhostShown = settings.Values.Ghost;
  form->Plus = line.Plus.value_or(settings.Values.Plus);
  session.UseSettings(&settings.Values);
  if (form->Plus && line.ReplayFile.empty()) session.ShowTitle();  // only when starting with plus on
  if (!line.ReplayFile.empty()) {
    // Nobody is there to dismiss a message box: a replay that cannot play ends the program.
    try {
      form->WatchReplay(line.ReplayFile, /*closeAtEnd=*/true);
    } catch (const FileError& error) {
      for (const std::string& message : error.Messages()) std::fprintf(stderr, "tobu: %s\n", message.c_str());
      return 1;
    }
  }
  SDL_StartTextInput();
  Audio audio;  // after the window, so that a slow audio device never delays it
  audio.SetEnabled(settings.Values.Sound);
  audio.SetVolume(settings.Values.Volume);
  audio.SetMusicVolume(settings.Values.Music);
  GameLoop loop(screen, session, *display, settings, audio);
  loop.Run();
  CallGuarded(screen.Window(), form->Events, [&] { form->Close(); });  // the window closed it
#ifdef TOBU_MEASURE
  if (!error) WriteTickLog(tickLog, loop.Ticks(), loop.Intervals());
#endif
  return 0;
}

}  // namespace

int RunGame(int argc, char** argv) {
  CommandLine line = ParseCommandLine(std::vector<std::string>(argv + std::min(argc, 1), argv + argc));
  switch (line.What) {
    case CommandLine::Action::Help:
      std::cout << Usage();
      return 0;
    case CommandLine::Action::Version:
      std::cout << VersionText();
      return 0;
    case CommandLine::Action::Fail:
      std::cerr << "tobu: " << line.Problem << '\n' << Usage();
      return 2;
    case CommandLine::Action::Play:
      break;
  }
  if (!line.ReplayFile.empty()) {  // named from where the program started, not the data folder
    std::error_code error;
    line.ReplayFile = std::filesystem::absolute(line.ReplayFile, error).string();
  }
  if (!line.DataFolder.empty()) {
    std::error_code error;
    std::filesystem::current_path(line.DataFolder, error);
    if (error) {
      std::cerr << "tobu: cannot enter " << line.DataFolder << ": " << error.message() << '\n';
      return 2;
    }
  }
  // Held for the game's life: a second game on this folder writes nothing and ends.
  const FolderLock lock(".");
  if (lock.Busy()) {
    std::fprintf(stderr, "tobu: %s\n", AlreadyRunningMessage);
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "tobu", AlreadyRunningMessage, nullptr);
    return 1;
  }
  RemoveLeftTemporaries(".");
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "tobu: cannot start the display: %s\n", SDL_GetError());
    return 1;
  }
  int status = 1;
  try {
    status = RunWindow(line);
  } catch (const std::runtime_error& error) {
    std::fprintf(stderr, "tobu: %s\n", error.what());
  }
  SDL_Quit();
  return status;
}

}  // namespace tobu
