// The server's proof of a record (replay parsed, level loaded, the run played and its
// end compared) against the run's step alone on the same keys (the ghost's step), over
// the committed replays of the shipped levels: the proof can go no faster than the step.
//   tobu_verify_bench [benchmark flags]
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "replay/ghost_run.h"
#include "replay/level_crc.h"
#include "replay/replay_file.h"
#include "server/level_upload.h"
#include "server/replay_check.h"
#include "world/file_io.h"

namespace {

using namespace tobu;

struct Sample {
  std::vector<uint8_t> LevelPart;
  std::vector<uint8_t> ReplayBytes;
  uint32_t Ticks = 0;
};

const std::vector<Sample>& Samples() {
  static const std::vector<Sample> samples = [] {
    std::vector<Sample> all;
    for (int n = 1; n <= 30; ++n) {
      const std::string stem = (n < 10 ? "0" : "") + std::to_string(n);
      for (const auto& entry : std::filesystem::directory_iterator(TOBU_SOURCE_DIR "/tests/replays")) {
        const std::string name = entry.path().filename().string();
        if (!name.starts_with(stem + "-") || entry.path().extension() != ".tbr") continue;
        const std::vector<uint8_t> level =
            ReadWholeFile(TOBU_SOURCE_DIR "/Levels/" + entry.path().stem().string() + ".vel");
        Sample sample{server::CheckLevelUpload(level).LevelPart, ReadWholeFile(entry.path().string()), 0};
        sample.Ticks = ParseReplay(name, sample.ReplayBytes).TickCount;
        all.push_back(std::move(sample));
      }
    }
    return all;
  }();
  return samples;
}

void ReportRates(benchmark::State& state, uint64_t ticks) {
  state.counters["replays/s"] = benchmark::Counter(static_cast<double>(state.iterations() * Samples().size()),
                                                   benchmark::Counter::kIsRate);
  state.counters["ticks/s"] =
      benchmark::Counter(static_cast<double>(state.iterations() * ticks), benchmark::Counter::kIsRate);
}

// What a submission costs the server besides HTTP and the database.
void BM_ProveAllReplays(benchmark::State& state) {
  uint64_t ticks = 0;
  for (const Sample& sample : Samples()) ticks += sample.Ticks;
  for (auto _ : state) {
    for (const Sample& sample : Samples()) {
      const Replay replay = ParseReplay("bench.tbr", sample.ReplayBytes);
      const server::RunProof proof = server::ProveRun(server::LoadSharedLevel(sample.LevelPart), replay);
      if (!proof.Proven) state.SkipWithError(proof.Reason.c_str());
    }
  }
  ReportRates(state, ticks);
}
BENCHMARK(BM_ProveAllReplays)->Unit(benchmark::kMillisecond);

// The step alone: the same runs on a level already in memory, nothing compared.
void BM_StepAllReplays(benchmark::State& state) {
  std::vector<std::pair<World, Replay>> runs;
  uint64_t ticks = 0;
  for (const Sample& sample : Samples()) {
    runs.emplace_back(server::LoadSharedLevel(sample.LevelPart),
                      ParseReplay("bench.tbr", sample.ReplayBytes));
    ticks += sample.Ticks;
  }
  for (auto _ : state) {
    for (const auto& [level, replay] : runs) {
      GhostRun ghost;
      ghost.Start(level, replay);
      while (ghost.Running) ghost.Step();
      benchmark::DoNotOptimize(ghost.Runner);
    }
  }
  ReportRates(state, ticks);
}
BENCHMARK(BM_StepAllReplays)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
