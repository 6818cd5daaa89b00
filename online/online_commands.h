#pragma once
#include <iosfwd>
#include <string>

#include "online/online_client.h"

namespace tobu {

// The command line's online actions, each waiting for its answers. They print what
// happened on `out` (or why not on `err`, after "tobu: ") and return the exit status:
// 0 done, 1 refused or unreachable.

// Sends a replay file to be proven as a record; prints the player's time, best and rank.
int SubmitReplayFile(OnlineClient& client, const std::string& file, std::ostream& out, std::ostream& err);

// Downloads level `id` (8 hex digits) into `levelsFolder` under its online name (the id
// when the name is not one the editor could type), never over a file that is there.
int FetchLevel(OnlineClient& client, const std::string& id, const std::string& levelsFolder,
               std::ostream& out, std::ostream& err);

}  // namespace tobu
