// replay/: replay files, recording a run and the ghost's second run. Includes sim/ and
// world/.
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

// The most events a run of `ticks` ticks makes: a key-down for every key code held when
// it starts, then one event a tick on average. That is 100 a second, held for the whole
// run: a held key repeats some 30 times a second (and only the key pressed last
// repeats), and no player presses and releases keys 70 times a second on top of that.
constexpr uint64_t MostReplayEvents(uint32_t ticks) { return 256u + uint64_t{ticks}; }

// The longest file, so that a longer one is refused before it is read whole: the header
// with both names at their longest (533 bytes) and the file CRC (4), and the most
// events of a day: 3 bytes each, plus at most 4 more for a tick delta of 128 or more,
// of which there are at most `ticks` / 128. About 26 MB.
constexpr size_t LongestReplayBytes =
    533 + 4 + 3 * MostReplayEvents(LongestReplayTicks) + 4 * (LongestReplayTicks / 128);

// The file's bytes, field by field, little-endian.
std::vector<uint8_t> EncodeReplay(const Replay& replay);
// Parses a whole file; FileError "Replay file <name> is damaged" for anything this game
// would not have written (bad magic or version, a short or long file, events out of order
// or more than a run makes, a file CRC that does not match) and for a file too big to hold
// in memory.
Replay ParseReplay(const std::string& name, std::span<const uint8_t> bytes);

// File access: the whole file read then parsed; the write replaces the file atomically.
Replay ReadReplay(const std::string& fileName);
void WriteReplay(const std::string& fileName, const Replay& replay);

// The file name is a plain name in a folder: no separators, not "." or "..".
bool PlainFileName(const std::string& name);

}  // namespace tobu
