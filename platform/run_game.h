// platform/: the only code that calls SDL (platform/web/: the browser's). Includes any
// folder above it; nothing includes platform/.
#pragma once
#include <string>

namespace tobu {

// The program: reads the command line (usage: exit 0 for --help and --version, 2 for a
// line it refuses), enters the data folder, reads tobu.ini, opens the window, creates
// the game there and runs it until it closes
// (with --replay: plays that replay and ends with it, status 1 when it cannot play). Returns the process's
// exit status; a display that cannot be set up is reported on standard error.
int RunGame(int argc, char** argv);

}  // namespace tobu
