#pragma once

namespace tobu {

// The program: reads the command line (usage: exit 0 for --help and --version, 2 for a
// line it refuses), enters the data folder, reads tobu.ini, opens the window, creates
// the game there and runs it until it closes. Returns the process's exit status; a
// display that cannot be set up is reported on standard error.
int RunGame(int argc, char** argv);

}  // namespace tobu
