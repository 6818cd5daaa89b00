// Whole ticks of the game (Game::Tick on the software back buffer) and the
// level file's reader and writer, each beside the time a memcpy of the same number of
// bytes takes in the same run: the bytes the tick writes into the back buffer (the
// clear, every clipped copy, the present), or the file's bytes.
//   tobu_game_bench [benchmark flags]
//   tobu_game_bench --write-busy-level=FILE   writes the busy level and exits
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "fuzz/sample_levels.h"
#include "present/sheets.h"
#include "present/software_display.h"
#include "shell/game.h"
#include "sim/runner.h"
#include "world/file_io.h"
#include "world/level_file.h"

namespace {

using namespace tobu;

// Forwards to the back buffer and adds up the bytes each call writes into it.
class CountingDisplay : public Display {
 public:
  explicit CountingDisplay(SoftwareDisplay& inner) : inner_(inner) {}
  bool SurfaceReady() override { return true; }
  void ClearSurface(uint16_t colour) override {
    Bytes += ViewWidth * ViewHeight * 2;
    inner_.ClearSurface(colour);
  }
  void DrawFrame(int sheet, int x, int y, int frame) override {
    const SheetSpec& spec = SheetCatalogue[static_cast<size_t>(sheet)];
    const int w = std::min(x + spec.FrameWidth, ViewWidth) - std::max(x, 0);
    const int h = std::min(y + spec.FrameHeight, ViewHeight) - std::max(y, 0);
    if (w > 0 && h > 0) Bytes += static_cast<size_t>(w * h * 2);
    inner_.DrawFrame(sheet, x, y, frame);
  }
  void DrawFrameTiled(int sheet, int frame, int stepX, int stepY, int across, int down) override {
    // Only the wallpaper tiles, whose copies neither overlap nor leave gaps.
    const int w = std::min(stepX * across, ViewWidth), h = std::min(stepY * down, ViewHeight);
    Bytes += static_cast<size_t>(w * h * 2);
    inner_.DrawFrameTiled(sheet, frame, stepX, stepY, across, down);
  }
  int FrameCount(int sheet) const override { return inner_.FrameCount(sheet); }
  void PresentFrame() override {
    Bytes += ViewWidth * ViewHeight * 2;
    inner_.PresentFrame();
  }
  void DrawCanvasText(int x, int y, const std::string& text) override { inner_.DrawCanvasText(x, y, text); }
  void FillRect(int x, int y, int w, int h, uint16_t colour) override {
    const int cw = std::min(x + w, ViewWidth) - std::max(x, 0);
    const int ch = std::min(y + h, ViewHeight) - std::max(y, 0);
    if (cw > 0 && ch > 0) Bytes += static_cast<size_t>(cw * ch * 2);
    inner_.FillRect(x, y, w, h, colour);
  }
  void ShowPointer(bool shown) override { inner_.ShowPointer(shown); }
  void UseTheme(int theme) override { inner_.UseTheme(theme); }
  size_t Bytes = 0;

 private:
  SoftwareDisplay& inner_;
};

// Seconds one memcpy of `bytes` takes, in back-buffer sized pieces: the best of many runs.
double MemcpySeconds(size_t bytes) {
  constexpr size_t Piece = ViewWidth * ViewHeight * sizeof(uint16_t);
  static std::vector<unsigned char> from(Piece, 0x5A), to(Piece);
  double best = 1e9;
  for (int run = 0; run < 200; ++run) {
    const auto start = std::chrono::steady_clock::now();
    for (size_t done = 0; done < bytes; done += Piece)
      std::memcpy(to.data(), from.data(), std::min(Piece, bytes - done));
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
    best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  return best;
}

// Puts the reference beside the figure: the memcpy's time and how many memcpys one
// iteration costs.
void ReportAgainstMemcpy(benchmark::State& state, size_t bytes, double secondsPerIteration) {
  const double memcpy = MemcpySeconds(bytes);
  state.counters["bytes"] = static_cast<double>(bytes);
  state.counters["per_second"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["memcpy_us"] = memcpy * 1e6;
  state.counters["x_memcpy"] = secondsPerIteration / memcpy;
}

// A game in `mode` on the busy level; `prepare` may change more of its state.
struct Scene {
  SoftwareDisplay screen;
  CountingDisplay counter{screen};
  Game form{counter};

  explicit Scene(GameMode mode) {
    form.Level = fuzz::BusyLevel();
    form.Mode = mode;
    ResetRunnerForRun(form.Runner);
    // In a run, Right runs against the pocket's wall: motion, collision, animation. (In the
    // editor it would scroll the view off the busy part.)
    form.KeyHeld[VkRight] = mode == GameMode::game;
    for (int i = 0; i < 20; ++i) form.LevelFiles.Items.push_back("level" + std::to_string(i) + ".vel");
    form.Players.PlayerName = "Ann";
  }
  size_t BytesOfOneTick() {
    counter.Bytes = 0;
    form.Tick(1);
    return counter.Bytes;
  }
};

// This thread's processor time, so that other work on a shared machine does not count.
double ThreadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Processor seconds per iteration of `loop`.
template <typename Loop>
double TimeLoop(benchmark::State& state, Loop&& loop) {
  const double start = ThreadSeconds();
  for (auto _ : state) loop();
  const double seconds = ThreadSeconds() - start;
  return seconds / static_cast<double>(std::max<benchmark::IterationCount>(1, state.iterations()));
}

void TickBenchmark(benchmark::State& state, GameMode mode, bool grid = false, bool plus = false) {
  Scene scene(mode);
  scene.form.Editor.GridShown = grid;
  scene.form.Plus = plus;
  scene.form.Replays.LevelFile = "24-three-roads.vel";  // a themed level under plus
  const size_t bytes = scene.BytesOfOneTick();
  const double perTick = TimeLoop(state, [&] {
    scene.form.Tick(1);
    benchmark::DoNotOptimize(scene.screen.Presented().data());
  });
  // The busy scene must still be busy: nothing eaten, the run not ended.
  if (scene.form.Mode != mode || scene.form.Level.ObjectCount != 200)
    state.SkipWithError("the scene changed");
  ReportAgainstMemcpy(state, bytes, perTick);
  state.counters["objects"] = scene.form.Level.ObjectCount;
}

// Motion, the 200 objects tested and drawn, the tiles filling the view, runner and clock.
void BM_GameTickBusy(benchmark::State& state) { TickBenchmark(state, GameMode::game); }
BENCHMARK(BM_GameTickBusy);

// The same run under tobu plus: its theme's sheets and everything plus draws.
void BM_GameTickBusyPlus(benchmark::State& state) { TickBenchmark(state, GameMode::game, false, true); }
BENCHMARK(BM_GameTickBusyPlus);

// The level list: wallpaper, 16 rows of text and the pointer.
void BM_MenuTickSelectLevel(benchmark::State& state) { TickBenchmark(state, GameMode::SelectLevel); }
BENCHMARK(BM_MenuTickSelectLevel);

// The editor on the busy level: scrolling, the world view, the start marker.
void BM_EditorTickBusy(benchmark::State& state) { TickBenchmark(state, GameMode::editor); }
BENCHMARK(BM_EditorTickBusy);

// The same with the cell grid on: 32 one-pixel lines more.
void BM_EditorTickBusyGrid(benchmark::State& state) { TickBenchmark(state, GameMode::editor, true); }
BENCHMARK(BM_EditorTickBusyGrid);

std::string BenchFile(const char* name) { return (std::filesystem::temp_directory_path() / name).string(); }

void BM_LoadLevelBusy(benchmark::State& state) {
  const std::string file = BenchFile("tobu-bench-load.vel");
  fuzz::WriteLevel(file, fuzz::BusyLevel());
  World world;
  const double perLoad = TimeLoop(state, [&] {
    LoadLevel(file, world);
    benchmark::DoNotOptimize(world.ObjectCount);
  });
  ReportAgainstMemcpy(state, std::filesystem::file_size(file), perLoad);
  std::filesystem::remove(file);
}
BENCHMARK(BM_LoadLevelBusy);

// Through a temporary file, flushed to the disk and renamed: mostly the file system.
void BM_SaveLevelBusy(benchmark::State& state) {
  const std::string file = BenchFile("tobu-bench-save.vel");
  const World world = fuzz::BusyLevel();
  const double perSave = TimeLoop(state, [&] { SaveLevel(file, world); });
  ReportAgainstMemcpy(state, std::filesystem::file_size(file), perSave);
  std::filesystem::remove(file);
}
BENCHMARK(BM_SaveLevelBusy);

}  // namespace

int main(int argc, char** argv) {
  const std::string writeFlag = "--write-busy-level=";
  if (argc == 2 && std::string(argv[1]).starts_with(writeFlag)) {
    tobu::fuzz::WriteLevel(std::string(argv[1]).substr(writeFlag.size()), tobu::fuzz::BusyLevel());
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
