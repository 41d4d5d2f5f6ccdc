// Blit throughput of the software GDI beside two yardsticks doing the same job on the
// same geometry: memcpy of the same bytes, and pixman (the rasteriser under the X server
// and cairo): pixman_blt for SRCCOPY, a one-pass PIXMAN_OP_ADD composite for the bitwise
// operations. A frame's drawing jobs are measured in bench/scene.
#include <benchmark/benchmark.h>
#include <pixman.h>
#include <sys/mman.h>

#include <cstring>
#include <vector>

#include "platform/gdi.h"
#include "saver/graphics/mGDI.h"

namespace gdi = platform::gdi;

namespace {

// A white surface.
struct Surface {
  mGDI::Surface surface;
  gdi::Handle dc = 0;
  Surface(int32_t w, int32_t h) {
    mGDI::CreateDCAtSize(false, surface, w, h);
    dc = surface.hDC();
    gdi::BitBlt(dc, 0, 0, w, h, 0, 0, 0, gdi::WHITENESS);
  }
};

void SetPixelsCounter(benchmark::State& state, int64_t pixels) {
  state.counters["MPix/s"] = benchmark::Counter(static_cast<double>(pixels) * 1e-6,
                                                benchmark::Counter::kIsIterationInvariantRate);
  state.SetBytesProcessed(state.iterations() * pixels * 4);
}

void BM_Memcpy(benchmark::State& state) {
  const int32_t w = static_cast<int32_t>(state.range(0)), h = static_cast<int32_t>(state.range(1));
  const size_t bytes = static_cast<size_t>(w) * h * 4;
  std::vector<uint32_t> src(bytes / 4, 0x00FFFFFF), dst(bytes / 4, 0);
  for (auto _ : state) {
    std::memcpy(dst.data(), src.data(), bytes);
    benchmark::ClobberMemory();
  }
  SetPixelsCounter(state, int64_t{w} * h);
}

template <uint32_t Rop>
void BM_BitBlt(benchmark::State& state) {
  const int32_t w = static_cast<int32_t>(state.range(0)), h = static_cast<int32_t>(state.range(1));
  // The rectangle lies inside larger surfaces, as a sprite's does, so rows are copied one
  // by one rather than as one block.
  Surface src(w + 32, h + 8), dst(w + 48, h + 8);
  for (auto _ : state) {
    gdi::BitBlt(dst.dc, 16, 4, w, h, src.dc, 8, 2, Rop);
    benchmark::ClobberMemory();
  }
  SetPixelsCounter(state, int64_t{w} * h);
}

// Pixel memory for the pixman side, allocated as the GDI allocates its own (screen-sized
// buffers on 2 MB pages), so both sides meet the same memory.
struct PixmanSurface {
  static constexpr size_t kHugePage = size_t{2} << 20;
  int32_t width, height;
  uint32_t* bits = nullptr;
  pixman_image_t* image = nullptr;
  PixmanSurface(int32_t w, int32_t h) : width(w), height(h) {
    const size_t bytes = static_cast<size_t>(w) * static_cast<size_t>(h) * 4;
    const size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    bits = static_cast<uint32_t*>(std::aligned_alloc(kHugePage, rounded));
    if (bytes >= kHugePage) madvise(bits, rounded, MADV_HUGEPAGE);
    std::memset(bits, 0xFF, bytes);
    image = pixman_image_create_bits(PIXMAN_x8r8g8b8, w, h, bits, w * 4);
  }
  ~PixmanSurface() {
    pixman_image_unref(image);
    std::free(bits);
  }
};

// SRCCOPY as pixman_blt, the bitwise operations as an ADD composite.
template <bool Add>
void BM_Pixman(benchmark::State& state) {
  const int32_t w = static_cast<int32_t>(state.range(0)), h = static_cast<int32_t>(state.range(1));
  PixmanSurface src(w + 32, h + 8), dst(w + 48, h + 8);
  for (auto _ : state) {
    if (Add) {
      pixman_image_composite32(PIXMAN_OP_ADD, src.image, nullptr, dst.image, 8, 2, 0, 0, 16, 4, w,
                               h);
    } else if (!pixman_blt(src.bits, dst.bits, src.width, dst.width, 32, 32, 8, 2, 16, 4, w, h)) {
      state.SkipWithError("pixman_blt refused");
      break;
    }
    benchmark::ClobberMemory();
  }
  SetPixelsCounter(state, int64_t{w} * h);
}

void Sizes(benchmark::internal::Benchmark* b) {
  b->Args({64, 64})->Args({256, 256})->Args({1920, 1080});
}

BENCHMARK(BM_Memcpy)->Apply(Sizes);
BENCHMARK(BM_BitBlt<gdi::SRCCOPY>)->Name("BM_BitBlt_SRCCOPY")->Apply(Sizes);
BENCHMARK(BM_BitBlt<gdi::SRCAND>)->Name("BM_BitBlt_SRCAND")->Apply(Sizes);
BENCHMARK(BM_BitBlt<gdi::SRCPAINT>)->Name("BM_BitBlt_SRCPAINT")->Apply(Sizes);
BENCHMARK(BM_BitBlt<gdi::SRCINVERT>)->Name("BM_BitBlt_SRCINVERT")->Apply(Sizes);
BENCHMARK(BM_Pixman<false>)->Name("BM_PixmanBlt")->Apply(Sizes);
BENCHMARK(BM_Pixman<true>)->Name("BM_PixmanAdd")->Apply(Sizes);

}  // namespace

BENCHMARK_MAIN();
