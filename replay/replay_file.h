#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tobu {

// One key event of a run: before tick `Tick` (counted from the run's first tick, 0) the
// key went down or up.
struct ReplayEvent {
  uint32_t Tick = 0;
  uint8_t Key = 0;
  bool Down = false;
  friend bool operator==(const ReplayEvent&, const ReplayEvent&) = default;
};

// A recorded run: enough to play it again on the level it was recorded on
// (docs/replay-format.md describes the file).
struct Replay {
  std::string LevelFile;  // the level's file name, no folder
  uint32_t LevelCrc = 0;  // CRC-32 of the level file's grid, objects and start
  std::string PlayerName;
  int32_t FinishTime = 0;           // as stored in the best-times table
  uint32_t TickCount = 0;           // ticks of the run, the finishing one included
  std::vector<ReplayEvent> Events;  // in tick order
  friend bool operator==(const Replay&, const Replay&) = default;
};

// Limits of a file this game writes; anything beyond is refused as damaged.
constexpr size_t LongestReplayName = 255;                        // level file name
constexpr size_t LongestReplayPlayer = 255;                      // player name
constexpr uint32_t LongestReplayTicks = 100u * 60u * 60u * 24u;  // a day of ticks

// The file's bytes, field by field, little-endian.
std::vector<uint8_t> EncodeReplay(const Replay& replay);
// Parses a whole file; FileError "Replay file <name> is damaged" for anything this game
// would not have written (bad magic or version, a short or long file, events out of order,
// a file CRC that does not match).
Replay ParseReplay(const std::string& name, std::span<const uint8_t> bytes);

// File access: the whole file read then parsed; the write replaces the file atomically.
Replay ReadReplay(const std::string& fileName);
void WriteReplay(const std::string& fileName, const Replay& replay);

// The file name is a plain name in a folder: no separators, not "." or "..".
bool PlainFileName(const std::string& name);

}  // namespace tobu
