// Recording every run, saving the records, watching them and racing them as a ghost.
#include <filesystem>
#include <system_error>
#include <utility>

#include "present/bitmap_text.h"
#include "present/game_view.h"
#include "present/plus_hud.h"
#include "present/sheets.h"
#include "replay/crc32.h"
#include "replay/level_crc.h"
#include "shell/game.h"
#include "sim/clock.h"
#include "world/file_error.h"

namespace tobu {
namespace {

constexpr int32_t RecordLineTop = 440;  // "Record: ..." over the bottom of the view

FileError LevelChanged() { return FileError("The level has changed since this run was recorded"); }
// A record file copied or renamed from another level's.
FileError RecordOfOtherLevel(const std::string& levelFile) {
  return FileError("The record is of another level: " + levelFile);
}

// The game's folder, or the working directory when it could not be read at start.
std::filesystem::path InGameFolder(const std::filesystem::path& gameFolder, const std::string& name) {
  return gameFolder.empty() ? std::filesystem::path(name) : gameFolder / name;
}

// Replays/<level file name without its extension>.tbr: a level's record.
std::filesystem::path RecordFileOf(const std::filesystem::path& gameFolder, const std::string& levelFile) {
  return InGameFolder(gameFolder, "Replays") / (std::filesystem::path(levelFile).stem().string() + ".tbr");
}

}  // namespace

void Game::StartRunReplays(const std::string& levelFile, uint32_t levelCrc) {
  Replays.RunStart = Level;
  Replays.RunTicks = 0;
  Replays.LevelFile = levelFile;
  Replays.LevelCrc = levelCrc;
  Replays.LevelCrcKnown = true;
  Replays.Ghost = GhostRun{};
  Replays.Recording.Start(levelFile, Replays.LevelCrc, KeyHeld);
  if (Replays.GhostShown) LoadGhost();
}

bool Game::RunLevelUnchanged(std::span<const uint8_t> levelPart) const {
  return Replays.LevelCrcKnown && Crc32(levelPart) == Replays.LevelCrc;
}

// A play-test runs the level in memory: nothing is recorded and no ghost is raced.
void Game::StopRunReplays() {
  Replays.Recording.Active = false;
  Replays.LevelCrcKnown = false;
  Replays.Ghost = GhostRun{};
}

// After the run's motion: one more tick recorded, and the ghost's own tick.
void Game::AdvanceRunReplays() {
  if (WatchingReplay()) {
    ++Replays.Watch.Ticks;
    return;
  }
  ++Replays.RunTicks;
  if (Replays.GhostShown) Replays.Ghost.Step();
}

void Game::RecordKey(uint16_t key, bool down) { Replays.Recording.Key(key, down, Replays.RunTicks); }

// A finished run: Replays/last.tbr, and on "Best Time!" the level's record unless the
// level has changed since the run began (its time was not kept either). Replays are no
// part of the finish the player is shown: a file that cannot be written is a warning and
// the other is still tried.
void Game::SaveRunRecording(bool levelUnchanged) {
  RunRecording& recording = Replays.Recording;
  // No file holds a longer run, nor more events than a run of its length makes.
  const bool keep = recording.Active && Replays.RunTicks <= LongestReplayTicks &&
                    recording.Take.Events.size() <= MostReplayEvents(Replays.RunTicks);
  recording.Active = false;
  if (!keep) return;
  const Replay take = recording.Finish(Players.PlayerName, Clock, Replays.RunTicks);
  const std::filesystem::path folder = InGameFolder(GameFolder, "Replays");
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  const auto write = [&](const std::filesystem::path& file) {
    try {
      WriteReplay(file.string(), take);
    } catch (const FileError& failure) {
      Warnings.insert(Warnings.end(), failure.Messages().begin(), failure.Messages().end());
    }
  };
  if (Outcome.NewBestTime && levelUnchanged) write(RecordFileOf(GameFolder, take.LevelFile));
  write(folder / "last.tbr");
}

// W in the level list: the highlighted level's record, when it has one; false when it has none.
bool Game::WatchRecordOf(int entry) {
  if (entry < 0 || entry >= LevelFiles.Count()) return false;
  const std::filesystem::path file = RecordFileOf(GameFolder, LevelFiles.Items[entry]);
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) return false;
  Replay record = ReadReplay(file.string());
  if (record.LevelFile != LevelFiles.Items[entry]) throw RecordOfOtherLevel(record.LevelFile);
  Watch(std::move(record), false);
  return true;
}

// The record renamed to the highlighted level's file when their CRCs agree.
Replay Game::OfHighlightedLevel(Replay record) const {
  const int entry = ListTop + MenuCursor;
  if (entry < 0 || entry >= LevelFiles.Count()) throw LevelChanged();
  const std::string& file = LevelFiles.Items[entry];
  if (LevelFileCrc((InGameFolder(GameFolder, "Levels") / file).string()) != record.LevelCrc)
    throw RecordOfOtherLevel(record.LevelFile);
  record.LevelFile = file;
  return record;
}

void Game::WatchWorldRecord(Replay record) { Watch(OfHighlightedLevel(std::move(record)), false); }

void Game::RaceWorldRecord(Replay record) {
  Replays.Raced = OfHighlightedLevel(std::move(record));
  Replays.GhostShown = true;
  StartRun(ListTop + MenuCursor);
}

void Game::WatchReplay(const std::string& fileName, bool closeAtEnd) {
  Watch(ReadReplay(fileName), closeAtEnd);
}

// Everything is read and checked before the game changes: the record, the level's CRC
// and the level itself.
void Game::Watch(Replay record, bool closeAtEnd) {
  std::filesystem::path level = InGameFolder(GameFolder, "Levels") / record.LevelFile;
  std::error_code error;
  if (!std::filesystem::exists(level, error)) level = record.LevelFile;  // Levels could not be entered
  if (LevelFileCrc(level.string()) != record.LevelCrc) throw LevelChanged();
  const LoadedLevelInfo info = LoadLevel(level.string(), Level);

  ReplayWatch& watch = Replays.Watch;
  watch.ReturnMode = Mode;
  watch.ReturnCursor = MenuCursor;
  watch.ReturnListTop = ListTop;
  watch.ReturnLevelIndex = LevelIndex;
  watch.LiveKeys = KeyHeld;
  KeyHeld.fill(false);
  BeginRun(info);
  Replays.Recording.Active = false;
  watch.Record = std::move(record);
  watch.NextEvent = 0;
  watch.Ticks = 0;
  watch.CloseAtEnd = closeAtEnd;
  watch.Active = true;
}

bool Game::WatchedRunGoesOn() const {
  return WatchingReplay() && Mode == GameMode::game && Replays.Watch.Ticks < Replays.Watch.Record.TickCount;
}

void Game::PlayWatchedRunUndrawn() {
  while (WatchedRunGoesOn()) Update(true);
}

void Game::StopWatching() {
  ReplayWatch& watch = Replays.Watch;
  if (!watch.Active) return;
  watch.Active = false;
  KeyHeld = watch.LiveKeys;
  if (watch.CloseAtEnd) {
    Close();
    return;
  }
  Mode = watch.ReturnMode;
  MenuCursor = watch.ReturnCursor;
  ListTop = watch.ReturnListTop;
  LevelIndex = watch.ReturnLevelIndex;
}

// Before the tick's motion: the recorded keys due now, as the player's keys reached the
// run (Escape gives up); at the run's end the watch is over.
void Game::PlayWatchedKeys() {
  if (!WatchedRunGoesOn()) {
    StopWatching();
    return;
  }
  ReplayWatch& watch = Replays.Watch;
  DeliverReplayEvents(watch.Record, watch.NextEvent, watch.Ticks, [this](const ReplayEvent& event) {
    if (event.Down && event.Key == VkEscape && Mode == GameMode::game) FailRun();
    KeyHeld[event.Key] = event.Down;
  });
}

void Game::WatchKeyDown(uint16_t key) {
  if (key < KeyHeld.size()) Replays.Watch.LiveKeys[key] = true;
  if (key == VkEscape) StopWatching();
}

void Game::ToggleGhost() {
  Replays.GhostShown = !Replays.GhostShown;
  Replays.Ghost = GhostRun{};
  if (!Replays.GhostShown) Replays.Raced.reset();  // the race is over
  if (Replays.GhostShown) LoadGhost();
}

// The level's record (or the world record raced on it), run from the start up to the
// live run's tick. No record, no ghost.
void Game::LoadGhost() {
  Replays.Ghost = GhostRun{};
  if (!Replays.LevelCrcKnown) return;
  if (Replays.Raced && Replays.Raced->LevelCrc == Replays.LevelCrc) return CatchUpGhost(*Replays.Raced);
  const std::filesystem::path file = RecordFileOf(GameFolder, Replays.LevelFile);
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) return;
  Replay take = ReadReplay(file.string());
  if (take.LevelFile != Replays.LevelFile) throw RecordOfOtherLevel(take.LevelFile);
  if (take.LevelCrc != Replays.LevelCrc) throw LevelChanged();
  CatchUpGhost(std::move(take));
}

void Game::CatchUpGhost(Replay record) {
  Replays.Ghost.Start(Replays.RunStart, std::move(record));
  for (uint32_t tick = 0; tick < Replays.RunTicks; ++tick) Replays.Ghost.Step();
}

// Half-transparent, after the objects and before the live runner.
void Game::DrawGhostRunner() {
  const GhostRun& ghost = Replays.Ghost;
  if (!Replays.GhostShown || !ghost.Running || WatchingReplay()) return;
  const RunnerSprite sprite = ChooseRunnerSprite(ghost.Level, ghost.Runner, ghost.KeyHeld);
  DrawGhostSheet(display_, DrawCamera(), RunnerSheetOf(sprite), sprite.Frame, sprite.Left, sprite.Top);
}

void Game::DrawWatchedRecordLine() {
  const Replay& record = Replays.Watch.Record;
  if (!PlusDrawsRun()) {
    ShowString(display_, -1, RecordLineTop,
               "Record: " + record.PlayerName + " " + StoredTimeText(record.FinishTime));
    return;
  }
  // Plus: the time as plus shows times.
  ShowOutlinedString(
      display_, -1, RecordLineTop,
      "Record: " + record.PlayerName + " " + StopwatchText(StoredHundredths(record.FinishTime)));
}

}  // namespace tobu
