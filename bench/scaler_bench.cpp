// The window's share of a frame: the RGB565 frame converted to 32-bit pixels and scaled
// into the window's surface, at the sizes the letterbox picks on common screens.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "platform/frame_scaler.h"
#include "platform/letterbox.h"

namespace {

using namespace tobu;

void BM_FrameScaler(benchmark::State& state) {
  const FrameRect rect = FitFrame(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  auto frame = std::make_unique<FrameBuffer>();
  for (size_t i = 0; i < frame->size(); ++i) (*frame)[i] = static_cast<uint16_t>(i * 7);
  std::vector<uint32_t> surface(static_cast<size_t>(rect.Width) * static_cast<size_t>(rect.Height));
  FrameScaler scaler(PixelLayout{});
  for (auto _ : state) {
    scaler.Draw(*frame, surface.data(), rect.Width, rect.Width, rect.Height);
    benchmark::DoNotOptimize(surface.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(surface.size() * sizeof(uint32_t)));
  state.counters["frame_width"] = rect.Width;
}
// Screens: 1024 x 768 (stretched by 1.6), 1920 x 1080 (doubled), 2560 x 1440 (tripled).
BENCHMARK(BM_FrameScaler)->Args({1024, 768})->Args({1920, 1080})->Args({2560, 1440});

}  // namespace

BENCHMARK_MAIN();
