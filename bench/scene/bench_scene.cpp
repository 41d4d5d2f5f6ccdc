// Cost of composing one frame of the real scene (headless: the screen is a memory DC), at
// three screen sizes. The work per frame is bounded by the sprites, not by the screen, so
// the times should hardly differ.
#include <benchmark/benchmark.h>

#include "saver/scene/headless.h"

namespace {

void BM_ComposeFrame(benchmark::State& state) {
  mt::scene::HeadlessOptions o;
  o.width = static_cast<int32_t>(state.range(0));
  o.height = static_cast<int32_t>(state.range(1));
  o.asset_folder = MT_DIST_ASSETS;
  o.seed = 3;
  mt::scene::HeadlessScene scene(o);
  scene.LoadOnly();
  scene.Prepare();
  int64_t frame = 0;
  for (auto _ : state) {
    // A click every 16 frames keeps the explosion running half of the time.
    if (frame % 16 == 0)
      scene.Window().QueueClick(double(frame * 37 % o.width), double(frame * 53 % o.height));
    scene.Frame();
    ++frame;
  }
  state.counters["pixels"] = double(o.width) * double(o.height);
}

BENCHMARK(BM_ComposeFrame)
    ->Args({1280, 720})
    ->Args({1920, 1080})
    ->Args({3840, 2160})
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
