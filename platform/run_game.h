#pragma once
#include <string>

namespace tobu {

// The program: opens the window, creates the game in the working directory and runs
// it until it closes. Returns the process's exit status; a display that cannot be
// set up is reported on standard error. With `replayFile` the window plays that replay
// and the program ends with it (status 1 when it cannot be played).
int RunGame(const std::string& replayFile = {});

}  // namespace tobu
