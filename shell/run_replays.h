#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "replay/ghost_run.h"
#include "replay/recording.h"
#include "replay/replay_file.h"
#include "shell/game_mode.h"
#include "sim/keys.h"
#include "world/world.h"

namespace tobu {

// A record being watched: its keys drive the real run; the player's keys only end it.
struct ReplayWatch {
  bool Active = false;
  bool CloseAtEnd = false;  // the program was started to play this file
  Replay Record;
  size_t NextEvent = 0;
  uint32_t Ticks = 0;
  KeyTable LiveKeys{};  // the player's keys, given back when the watch ends
  // Where the watch returns to.
  GameMode ReturnMode = GameMode::SelectLevel;
  int32_t ReturnCursor = 0;
  int32_t ReturnListTop = 0;
  int32_t ReturnLevelIndex = 0;
};

// Recording, watching and the ghost: the run's replays, beside the run itself.
struct RunReplays {
  RunRecording Recording;
  ReplayWatch Watch;
  GhostRun Ghost;
  bool GhostShown = false;  // G: the record's runner drawn half-transparent in a run
  // Plus with a server: the world record raced as the ghost of its level (found by its
  // CRC) in place of the local record, until G hides the ghost.
  std::optional<Replay> Raced;
  bool LevelCrcKnown = false;
  uint32_t LevelCrc = 0;
  std::string LevelFile;  // of the run in progress
  World RunStart;         // the level as the run started, where a ghost starts
  uint32_t RunTicks = 0;  // ticks of the run in progress
};

}  // namespace tobu
