#pragma once

namespace tobu {

// The program: opens the window, creates the game in the working directory and runs
// it until it closes. Returns the process's exit status; a display that cannot be
// set up is reported on standard error.
int RunGame();

}  // namespace tobu
