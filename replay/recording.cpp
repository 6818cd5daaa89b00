#include "replay/recording.h"

namespace tobu {

void RunRecording::Start(const std::string& levelFile, uint32_t levelCrc, const KeyTable& keyHeld) {
  Take = Replay{};
  Take.LevelFile = levelFile;
  Take.LevelCrc = levelCrc;
  Active = PlainFileName(levelFile) && levelFile.size() <= LongestReplayName;
  for (size_t key = 0; key < keyHeld.size(); ++key) {
    if (keyHeld[key]) Take.Events.push_back({0, static_cast<uint8_t>(key), true});
  }
}

void RunRecording::Key(uint16_t key, bool down, uint32_t tick) {
  if (!Active || key >= KeyTable{}.size()) return;
  // A run longer than a file may hold is not kept, nor one with more events than any.
  if (tick > LongestReplayTicks || Take.Events.size() >= MostReplayEvents(LongestReplayTicks)) {
    Active = false;
    return;
  }
  Take.Events.push_back({tick, static_cast<uint8_t>(key), down});
}

Replay RunRecording::Finish(const std::string& playerName, const RunClock& clock, uint32_t ticks) const {
  Replay replay = Take;
  replay.PlayerName = playerName.substr(0, LongestReplayPlayer);
  replay.FinishTime = StoredClockTime(clock);
  replay.TickCount = ticks;
  return replay;
}

int32_t StoredClockTime(const RunClock& clock) {
  return int32_t{clock.ClockMinutes} * 10000 + int32_t{clock.ClockSeconds} * 100 + clock.ClockHundredths;
}

}  // namespace tobu
