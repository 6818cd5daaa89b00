// How long one menu frame takes on the software back buffer, next to the time a plain
// memcpy needs for the same number of bytes: the ratio says how far the drawing layer is
// from the memory bandwidth of this machine.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "present/bitmap_text.h"
#include "present/game_view.h"
#include "present/sheets.h"
#include "present/software_display.h"

namespace {

using namespace tobu;

// The real sheets; one not generated yet is replaced by a patterned stand-in of its
// catalogue size, so the timing still covers every copy.
std::vector<SpriteSheet> BenchSheets(int& standIns) {
  std::vector<SpriteSheet> sheets = LoadEmbeddedSheets();
  standIns = 0;
  for (int i = 0; i < SheetCount; ++i) {
    SpriteSheet& sheet = sheets[static_cast<size_t>(i)];
    if (!sheet.Pixels.empty()) continue;
    const SheetSpec& spec = SheetCatalogue[static_cast<size_t>(i)];
    PalettedImage image;
    image.Width = spec.Width;
    image.Height = spec.Height;
    image.Palette[0] = spec.Key;
    image.Palette[1] = 0xFFFF00;
    image.Indices.resize(static_cast<size_t>(spec.Width * spec.Height));
    for (size_t p = 0; p < image.Indices.size(); ++p) image.Indices[p] = (p % 7 < 3) ? 1 : 0;
    sheet = MakeSpriteSheet(image, spec);
    ++standIns;
  }
  return sheets;
}

// The "SelectPlayer" screen: wallpaper, titles, a few names and the turning helmet.
void DrawSelectPlayerFrame(Display& display, int helmetFrame) {
  display.ClearSurface(0);
  for (int i = 0; i < 16; ++i)
    for (int j = 0; j < 11; ++j) display.DrawFrame(SheetFon, 50 * i, 57 * j, 0);
  ShowString(display, 210, 40, "Choose Player");
  ShowString(display, 200, 90, "Create New Player");
  const char* names[] = {"Ann", "Bo", "Charlie", "Dagmar", "Eve"};
  int y = 130;
  for (const char* name : names) {
    ShowString(display, 200, y, name);
    y += 30;
  }
  display.DrawFrame(SheetHelmet, 164, 80, helmetFrame);
  display.PresentFrame();
}

// A busy moment of a run: the camera in the middle of a level whose view is full of
// tiles, thirty objects on screen, the runner and the whole head-up display.
World BusyLevel() {
  World world;
  for (int c = 0; c < GridSize; ++c)
    for (int r = 0; r < GridSize; ++r)
      world.SetCell(c, r, (c * 3 + r) % 4 == 0 ? TileEmpty : (r % 3 ? TileGround : TileGrass));
  world.CameraX = 1210;
  world.CameraY = 1005;
  for (int i = 0; i < 30; ++i)
    world.ObjectList.push_back({static_cast<uint8_t>(i % 3), 1200 + (i % 6) * 110, 1000 + (i / 6) * 95});
  world.ObjectCount = static_cast<int32_t>(world.ObjectList.size());
  world.RunnerX = 1500.0;
  world.RunnerY = 1300.0;
  return world;
}

void DrawGameFrame(Display& display, const World& world, int tick) {
  display.ClearSurface(0);
  DrawSky(display, SkyOffset(world.CameraX));
  DrawTiles(display, world);
  const ObjectFrames frames{tick % 34, tick % 33, tick % 50};
  for (const LevelObject& object : world.ObjectList) DrawObject(display, world, object, frames);
  DrawRunnerSheet(display, world, SheetKippoRun, tick % 12, 1500 - 21, 1300 - 64);
  DrawClockDigits(display, 1, 23, 45);
  DrawBestTime(display, "00:59:12");
  display.PresentFrame();
}

void BM_BusyGameFrame(benchmark::State& state) {
  int standIns = 0;
  SoftwareDisplay display(BenchSheets(standIns));
  const World world = BusyLevel();
  int tick = 0;
  for (auto _ : state) {
    DrawGameFrame(display, world, tick++);
    benchmark::DoNotOptimize(display.Presented().data());
  }
  state.counters["frames_per_second"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_BusyGameFrame);

// Forwards nothing; adds up the bytes each call writes into the back buffer (after clipping).
class ByteCounter : public Display {
 public:
  bool SurfaceReady() override { return true; }
  void ClearSurface(uint16_t) override { Bytes += ViewWidth * ViewHeight * 2; }
  void DrawFrame(int sheet, int x, int y, int) override {
    const SheetSpec& spec = SheetCatalogue[static_cast<size_t>(sheet)];
    const int w = std::min(x + spec.FrameWidth, ViewWidth) - std::max(x, 0);
    const int h = std::min(y + spec.FrameHeight, ViewHeight) - std::max(y, 0);
    if (w > 0 && h > 0) Bytes += static_cast<size_t>(w * h * 2);
  }
  int FrameCount(int sheet) const override { return CatalogueFrameCount(sheet); }
  void PresentFrame() override { Bytes += ViewWidth * ViewHeight * 2; }
  void DrawCanvasText(int, int, const std::string&) override {}
  void ShowPointer(bool) override {}
  size_t Bytes = 0;
};

size_t FrameBytes() {
  ByteCounter counter;
  DrawSelectPlayerFrame(counter, 0);
  return counter.Bytes;
}

void BM_SelectPlayerFrame(benchmark::State& state) {
  int standIns = 0;
  SoftwareDisplay display(BenchSheets(standIns));
  int frame = 0;
  for (auto _ : state) {
    DrawSelectPlayerFrame(display, frame);
    frame = (frame + 1) % CatalogueFrameCount(SheetHelmet);
    benchmark::DoNotOptimize(display.Presented().data());
  }
  const auto bytes = static_cast<int64_t>(FrameBytes());
  state.SetBytesProcessed(state.iterations() * bytes);
  state.counters["bytes_per_frame"] = static_cast<double>(bytes);
  state.counters["stand_in_sheets"] = standIns;
  state.counters["frames_per_second"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SelectPlayerFrame);

// The physical limit: memcpy of as many bytes as the frame writes into the back buffer
// (the clear's 614400, every clipped copy, and the present's 614400), done in back-buffer
// sized pieces between two buffers of the back buffer's size, as the frame itself works.
void BM_MemcpySameBytes(benchmark::State& state) {
  const size_t bytes = FrameBytes();
  constexpr size_t BufferBytes = ViewWidth * ViewHeight * sizeof(uint16_t);
  std::vector<unsigned char> from(BufferBytes, 0x5A), to(BufferBytes);
  for (auto _ : state) {
    for (size_t done = 0; done < bytes; done += BufferBytes)
      std::memcpy(to.data(), from.data(), std::min(BufferBytes, bytes - done));
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes));
  state.counters["bytes_per_frame"] = static_cast<double>(bytes);
}
BENCHMARK(BM_MemcpySameBytes);

}  // namespace

BENCHMARK_MAIN();
