// Cost of composing one frame of the real scene (headless: the screen is a memory DC), at
// three screen sizes. The work per frame is bounded by the sprites, not by the screen, so
// the times should hardly differ.
#include <benchmark/benchmark.h>

#include "scene_harness.h"

namespace {

void BM_ComposeFrame(benchmark::State& state) {
  const auto width = static_cast<int32_t>(state.range(0));
  const auto height = static_cast<int32_t>(state.range(1));
  mt::test::FakeServices fake;
  fake.Seed(3);
  mt::test::SceneHarness h(fake, width, height, MT_DIST_ASSETS);
  // The program's own loop runs; each frame's end is one iteration. The first frame (with
  // the set-up before it) is not timed.
  int64_t frame = 0;
  h.on_restore = [&](int64_t) {
    // A click every 16 frames keeps the explosion running half of the time.
    if (frame % 16 == 0)
      h.window->QueueClick(double(frame * 37 % width), double(frame * 53 % height));
    ++frame;
  };
  h.on_frame = [&](int64_t) {
    if (!state.KeepRunning()) h.Stop();
  };
  h.Run();
  state.counters["pixels"] = double(width) * double(height);
}

BENCHMARK(BM_ComposeFrame)
    ->Args({1280, 720})
    ->Args({1920, 1080})
    ->Args({3840, 2160})
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
