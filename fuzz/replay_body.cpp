// The replay reader's fuzz body (declared in fuzz_bodies.h).

#include <algorithm>
#include <span>
#include <string>

#include "fuzz/fuzz_bodies.h"
#include "fuzz/sample_levels.h"
#include "replay/crc32.h"
#include "replay/ghost_run.h"
#include "replay/replay_file.h"
#include "world/file_error.h"

namespace tobu::fuzz {
namespace {

constexpr uint32_t GhostTicks = 8;  // enough to see the first keys reach the motion

const World& FloorLevel() {
  static const World level = [] {
    World world;
    world.ClearLevel();
    LayFloor(world, 10);
    world.AppendObject() = LevelObject{ObjectFood, 140, 240};
    world.AppendObject() = LevelObject{ObjectKiller, 600, 240};
    world.RunnerX = RunnerHomeX;
    world.RunnerY = RunnerHomeY;
    return world;
  }();
  return level;
}

std::string CheckAcceptedReplay(std::span<const uint8_t> data, const Replay& replay) {
  if (!PlainFileName(replay.LevelFile)) return "a level name with a folder was accepted";
  if (replay.TickCount > LongestReplayTicks) return "a run longer than a day was accepted";
  if (replay.Events.size() > MostReplayEvents(replay.TickCount)) return "more events than a run makes";
  uint32_t tick = 0;
  for (const ReplayEvent& event : replay.Events) {
    if (event.Tick < tick || event.Tick > replay.TickCount) return "an event out of order or past the run";
    tick = event.Tick;
  }
  const std::vector<uint8_t> again = EncodeReplay(replay);
  if (!std::equal(again.begin(), again.end(), data.begin(), data.end()))
    return "the accepted bytes are not what the writer writes";
  GhostRun ghost;
  ghost.Start(FloorLevel(), replay);
  for (uint32_t i = 0; i < GhostTicks; ++i) ghost.Step();
  if (ghost.Ticks > std::min(GhostTicks, replay.TickCount)) return "the ghost ran past the record";
  return {};
}

// Refused with the replay's message, or accepted and then sound.
std::string CheckReplayFile(std::span<const uint8_t> data) {
  Replay replay;
  try {
    replay = ParseReplay("fuzz.tbr", data);
  } catch (const FileError& error) {
    return std::string(error.what()) == "Replay file fuzz.tbr is damaged" ? std::string()
                                                                          : "a refusal with another message";
  }
  return CheckAcceptedReplay(data, replay);
}

}  // namespace

std::string CheckReplayBytes(std::span<const uint8_t> data) {
  std::string broken = CheckReplayFile(data);
  if (!broken.empty() || data.size() < 4) return broken;
  // The same bytes with their last four made the right file CRC, so that the fuzzer's
  // inputs reach the events and the accepted path, not only the CRC's refusal.
  std::vector<uint8_t> sealed(data.begin(), data.end());
  const size_t covered = sealed.size() - 4;
  const uint32_t crc = Crc32(std::span<const uint8_t>(sealed).first(covered));
  for (size_t i = 0; i < 4; ++i) sealed[covered + i] = static_cast<uint8_t>(crc >> (8 * i));
  return CheckReplayFile(sealed);
}

}  // namespace tobu::fuzz
