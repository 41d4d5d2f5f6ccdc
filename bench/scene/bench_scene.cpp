// Cost of one frame of the real scene (headless: the screen is memory), at three screen
// sizes, for the program's frame and for the frame steps written out literally, which
// restore, save, draw and copy every sprite in every frame, on a stage of their own. The
// program composes in the window's pixels, as on Linux; showing them is the display
// server's work and not counted. The work per frame is bounded by the sprites, not by the
// screen, so the times should hardly differ by size.
#include <benchmark/benchmark.h>

#include "literal_frame.h"
#include "scene_harness.h"

namespace {

template <bool kLiteral>
void BM_Frame(benchmark::State& state) {
  const auto width = static_cast<int32_t>(state.range(0));
  const auto height = static_cast<int32_t>(state.range(1));
  mt::test::FakeServices fake;
  fake.Seed(3);
  mt::test::SceneHarness h(fake, width, height, MT_DIST_ASSETS);
  h.window_pixels = kLiteral ? mt::test::HeadlessWindow::Pixels::kOwnBitmap
                             : mt::test::HeadlessWindow::Pixels::kInPlaceUnshown;
  if (kLiteral) {
    h.make_form = [](mt::scene::SceneOptions o) -> std::unique_ptr<mt::scene::frmSaver> {
      return std::make_unique<mt::test::LiteralFrameSaver>(std::move(o));
    };
  }
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

void Sizes(benchmark::internal::Benchmark* b) {
  b->Args({1280, 720})->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMicrosecond);
}
BENCHMARK(BM_Frame<false>)->Name("BM_ProgramFrame")->Apply(Sizes);
BENCHMARK(BM_Frame<true>)->Name("BM_LiteralFrame")->Apply(Sizes);

}  // namespace

BENCHMARK_MAIN();
