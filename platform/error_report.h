#pragma once
#include <SDL.h>

#include <string>
#include <vector>

#include "events/game_events.h"
#include "world/file_error.h"

namespace tobu {

// Shows a file error to the player in a message box over `window` (may be null) and
// writes it to standard error. A message box that cannot be shown is no reason to stop.
void ReportFileError(SDL_Window* window, const std::string& message);

// Writes the game's warnings (trouble the player is not shown) to standard error and
// clears them.
void ReportWarnings(std::vector<std::string>& warnings);

// Runs one handler of the game; a FileError ends only that handler, as in the game,
// and each of its messages is shown in turn.
template <typename Handler>
void CallGuarded(SDL_Window* window, Handler&& handler) {
  try {
    handler();
  } catch (const FileError& error) {
    for (const std::string& message : error.Messages()) ReportFileError(window, message);
  }
}

// The same, and a file error shown is reported to the game's events as `error`.
template <typename Handler>
void CallGuarded(SDL_Window* window, EventQueue& events, Handler&& handler) {
  try {
    handler();
  } catch (const FileError& error) {
    for (const std::string& message : error.Messages()) {
      ReportFileError(window, message);
      events.Push(GameEvent::Error);
    }
  }
}

}  // namespace tobu
