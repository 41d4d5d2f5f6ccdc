// Blit throughput of the software GDI beside two yardsticks doing the same job on the
// same geometry: memcpy of the same bytes, and pixman (the rasteriser under the X server
// and cairo): pixman_blt for SRCCOPY, a one-pass PIXMAN_OP_ADD composite for the bitwise
// operations. Then the two drawing jobs of a frame: a transparent sprite cell and tiling
// the stage.
#include <benchmark/benchmark.h>
#include <pixman.h>
#include <sys/mman.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/gdi.h"
#include "saver/graphics/cBitmap.h"
#include "saver/graphics/cPicture.h"
#include "saver/graphics/cSpriteBitmaps.h"
#include "saver/graphics/cTile.h"
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

// A picture of w x h screen-format pixels, drawn by `paint` on a DC that holds it.
std::shared_ptr<cPicture> MakePicture(int32_t w, int32_t h,
                                      const std::function<void(gdi::Handle dc)>& paint) {
  const gdi::Handle screen = gdi::GetDC(0);
  const gdi::Handle bitmap = gdi::CreateCompatibleBitmap(screen, w, h);
  gdi::ReleaseDC(0, screen);
  const gdi::Handle dc = gdi::CreateCompatibleDC(0);
  const gdi::Handle old = gdi::SelectObject(dc, bitmap);
  paint(dc);
  gdi::SelectObject(dc, old);
  gdi::DeleteDC(dc);
  return std::make_shared<cPicture>(bitmap);
}

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

void BM_PixmanBlt(benchmark::State& state) {
  const int32_t w = static_cast<int32_t>(state.range(0)), h = static_cast<int32_t>(state.range(1));
  PixmanSurface src(w + 32, h + 8), dst(w + 48, h + 8);
  for (auto _ : state) {
    if (!pixman_blt(src.bits, dst.bits, src.width, dst.width, 32, 32, 8, 2, 16, 4, w, h)) {
      state.SkipWithError("pixman_blt refused");
      break;
    }
    benchmark::ClobberMemory();
  }
  SetPixelsCounter(state, int64_t{w} * h);
}

void BM_PixmanAdd(benchmark::State& state) {
  const int32_t w = static_cast<int32_t>(state.range(0)), h = static_cast<int32_t>(state.range(1));
  PixmanSurface src(w + 32, h + 8), dst(w + 48, h + 8);
  for (auto _ : state) {
    pixman_image_composite32(PIXMAN_OP_ADD, src.image, nullptr, dst.image, 8, 2, 0, 0, 16, 4, w, h);
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
BENCHMARK(BM_PixmanBlt)->Apply(Sizes);
BENCHMARK(BM_PixmanAdd)->Apply(Sizes);

// A sheet of 4 x 2 cells of 64 x 64 with a transparent green border in each, made in
// memory and handed over as a picture.
std::shared_ptr<cPicture> MakeSheetPicture() {
  return MakePicture(256, 128, [](gdi::Handle dc) {
    for (int32_t y = 0; y < 128; ++y)
      for (int32_t x = 0; x < 256; ++x) {
        const bool border = x % 64 < 8 || y % 64 < 8;
        gdi::SetPixel(dc, x, y, border ? 0x0000FF00 : 0x00102030u + static_cast<uint32_t>(x));
      }
  });
}

void BM_TransparentDraw64(benchmark::State& state) {
  auto picture = MakeSheetPicture();
  cSpriteBitmaps sheet;
  sheet.CreateFromPicture(picture.get(), 4, 2, nullptr, 0x0000FF00);
  Surface stage(1024, 768);
  const bool build = state.range(0) != 0;
  int32_t cell = 0;
  for (auto _ : state) {
    sheet.TransparentDraw(stage.dc, 300, 200, 1 + (cell++ & 7), build);
    benchmark::ClobberMemory();
  }
  SetPixelsCounter(state, 64 * 64);
}
BENCHMARK(BM_TransparentDraw64)->ArgName("build")->Arg(0)->Arg(1);

void BM_TileDC1920x1080(benchmark::State& state) {
  auto picture = MakePicture(
      128, 128, [](gdi::Handle dc) { gdi::BitBlt(dc, 0, 0, 128, 128, 0, 0, 0, gdi::WHITENESS); });
  cTile tile(ScreenMetrics::Pixels(1920, 1080));
  tile.Picture(picture.get());
  Surface stage(1920, 1080);
  for (auto _ : state) {
    tile.TileDC(stage.dc, 1920, 1080);
    benchmark::ClobberMemory();
  }
  SetPixelsCounter(state, int64_t{1920} * 1080);
}
BENCHMARK(BM_TileDC1920x1080);

}  // namespace

BENCHMARK_MAIN();
