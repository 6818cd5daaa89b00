// The proof of a record: the replay's keys played through the run on the level, headless.
#pragma once
#include <string>

#include "replay/replay_file.h"
#include "world/world.h"

namespace tobu::server {

struct RunProof {
  bool Proven = false;
  std::string Reason;  // why not, in words a player can read
};

// Plays `replay` on `level` (as loaded for a run) and proves it only when the run reaches
// the exit on exactly the claimed tick with exactly the claimed time.
RunProof ProveRun(const World& level, const Replay& replay);

}  // namespace tobu::server
