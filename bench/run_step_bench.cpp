// The run step with no drawing: ticks per second of the step alone on the committed
// replays' levels and keys, and the time to verify each committed replay as
// `tobu-script verify` does (read the record, check and load its level, run it to its
// end with no frame drawn).
//   tobu_run_step_bench [benchmark flags]   (run from anywhere; it reads the source tree)
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "present/software_display.h"
#include "replay/recording.h"
#include "replay/replay_file.h"
#include "shell/game.h"
#include "sim/run_step.h"
#include "world/level_file.h"

namespace {

using namespace tobu;
namespace fs = std::filesystem;

const fs::path SourceDir = TOBU_SOURCE_DIR;

std::vector<fs::path> CommittedReplays() {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(SourceDir / "tests" / "replays")) {
    if (entry.path().extension() == ".tbr") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

// One committed replay's run on the step alone, started again whenever it ends.
struct StepOnly {
  World start;
  Replay record;
  World level;
  RunnerMotion runner;
  RunClock clock;
  ExitContacts exits;
  KeyTable keys{};
  size_t next = 0;
  uint32_t ticks = 0;
  EventQueue events;

  explicit StepOnly(const fs::path& file) : record(ReadReplay(file.string())) {
    LoadLevel((SourceDir / "Levels" / record.LevelFile).string(), start);
    Restart();
  }
  void Restart() {
    level = start;
    runner = RunnerMotion{};
    clock.Reset();
    exits = {};
    keys.fill(false);
    next = 0;
    ticks = 0;
  }
  void Tick() {
    DeliverReplayEvents(record, next, ticks, [&](const ReplayEvent& event) { keys[event.Key] = event.Down; });
    ++ticks;
    const RunStepResult result = StepRun({level, runner, clock, exits}, keys, events, true);
    if (result.End != RunEnd::None || ticks >= record.TickCount) Restart();
    if (ticks % 1024 == 0) events.Drain();
  }
};

// All 30 runs one after another, tick by tick.
void BM_RunStep(benchmark::State& state) {
  std::vector<StepOnly> runs;
  for (const fs::path& file : CommittedReplays()) runs.emplace_back(file);
  size_t which = 0;
  for (auto _ : state) {
    StepOnly& run = runs[which];
    run.Tick();
    if (run.ticks == 0) which = (which + 1) % runs.size();
    benchmark::DoNotOptimize(run.level.RunnerX);
  }
  state.counters["ticks_per_second"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RunStep);

// A display that draws nothing: the verification draws no frame anyway.
class NoDisplay : public Display {
 public:
  bool SurfaceReady() override { return true; }
  void ClearSurface(uint16_t) override {}
  void DrawFrame(int, int, int, int) override {}
  int FrameCount(int sheet) const override { return CatalogueFrameCount(sheet); }
  void PresentFrame() override {}
  void DrawCanvasText(int, int, const std::string&) override {}
  void ShowPointer(bool) override {}
};

// One committed replay verified, as `tobu-script verify FILE` does it.
void BM_VerifyReplay(benchmark::State& state, const fs::path& file) {
  const fs::path work = fs::temp_directory_path() / ("tobu-bench-verify-" + file.stem().string());
  fs::create_directories(work);
  fs::copy(SourceDir / "Levels", work / "Levels",
           fs::copy_options::recursive | fs::copy_options::skip_existing);
  const fs::path before = fs::current_path();
  fs::current_path(work);
  NoDisplay display;
  Game form(display);
  form.Start();
  uint32_t ticks = 0;
  for (auto _ : state) {
    form.WatchReplay(file.string());
    form.PlayWatchedRunUndrawn();
    ticks = form.Replays.Watch.Ticks;
    form.StopWatching();
  }
  fs::current_path(before);
  fs::remove_all(work);
  state.counters["ticks"] = ticks;
  state.counters["per_tick"] =
      benchmark::Counter(static_cast<double>(ticks) * static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

}  // namespace

int main(int argc, char** argv) {
  for (const fs::path& file : CommittedReplays()) {
    benchmark::RegisterBenchmark(("BM_VerifyReplay/" + file.stem().string()).c_str(), BM_VerifyReplay, file)
        ->Unit(benchmark::kMillisecond);
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
