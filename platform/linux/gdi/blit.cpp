// BitBlt of the software GDI: clipping, the format conversions and the raster operations.
// Every combination runs as a row loop specialised at compile time on the operation, so
// the per-pixel work is a load, one bitwise operation and a store.
#include <algorithm>
#include <cstring>
#include <vector>

#include "gdi/objects.h"

// The 32-byte vectors below pass between inlined helpers of this file only; GCC's note
// that their calling convention differs with and without AVX does not concern us.
#pragma GCC diagnostic ignored "-Wpsabi"
// The rows' scalar ends are at most a few pixels: a call to memcpy for them, which GCC
// would otherwise make of the loops, costs more than the loop.
#if !defined(__clang__)
#pragma GCC optimize("no-tree-loop-distribute-patterns")
#endif

namespace platform::gdi {
namespace {
using detail::soft::Bitmap;
using detail::soft::Dc;

// The operations are always inlined: a 32-byte vector passed to a function that is not is
// passed in AVX registers by the AVX2 clone and on the stack by the default one, and one
// out-of-line copy serves both (unoptimised builds, such as the sanitizer build, crash).
struct OpCopy {
  template <class T>
  [[gnu::always_inline]] static T Apply(T, T s) {
    return s;
  }
};
struct OpOr {
  template <class T>
  [[gnu::always_inline]] static T Apply(T d, T s) {
    return d | s;
  }
};
struct OpAnd {
  template <class T>
  [[gnu::always_inline]] static T Apply(T d, T s) {
    return d & s;
  }
};
struct OpXor {
  template <class T>
  [[gnu::always_inline]] static T Apply(T d, T s) {
    return d ^ s;
  }
};

// Colour rows, 64 bytes a step through the compiler's vector types: two 32-byte vectors,
// which are AVX2 registers where the processor has them (the clone below) and pairs of SSE2
// registers elsewhere. Unaligned loads and stores cost nothing extra on the processors we
// run on. A copy goes through the same loop: the C library's memcpy is slower on these
// machines for the row lengths of a frame (long rows switch to a string move), and the
// call per row alone is a tenth of a 256-pixel row's time.
typedef uint32_t V8 __attribute__((vector_size(32)));
typedef uint8_t V16 __attribute__((vector_size(16)));

// Clang (the fuzzing build) cannot clone templates for targets; it gets the plain loop.
#if defined(__clang__)
#define MT_AVX2_CLONE
#else
#define MT_AVX2_CLONE [[gnu::target_clones("avx2", "default")]]
#endif

// Rows of a screen-sized surface lie a page or more apart: too far for the processor to
// guess the next row of a sprite, and too short for it to stream. On such a surface a row
// a few rows ahead is asked for while this one is worked on, so that the misses overlap
// instead of coming one row at a time. Rows that lie closer, or are long, it finds itself,
// but for a sprite's sheet and mask (`always`), which are read afresh in every frame.
template <class T, bool kForWrite>
class RowsAhead {
 public:
  static constexpr int32_t kAhead = 4;
  RowsAhead(const T* first, int64_t pitch, int32_t count, int32_t rows, bool always = false)
      : next_(first), pitch_(pitch), bytes_(count * int32_t{sizeof(T)}), rows_(rows) {
    on_ = (always || pitch * int64_t{sizeof(T)} >= 2048) && bytes_ <= 4096;
    if (!on_) return;
    for (int32_t row = 1; row < kAhead && row < rows; ++row) Fetch(first + row * pitch);
    next_ = first + kAhead * pitch;
  }
  // Called at the start of each row.
  [[gnu::always_inline]] void Step(int32_t row) {
    if (!on_ || row + kAhead >= rows_) return;
    Fetch(next_);
    next_ += pitch_;
  }

 private:
  [[gnu::always_inline]] void Fetch(const T* row) const {
    const char* p = reinterpret_cast<const char*>(row);
    for (int32_t k = 0; k < bytes_; k += 64) __builtin_prefetch(p + k, kForWrite ? 1 : 0);
  }
  const T* next_;
  int64_t pitch_;
  int32_t bytes_, rows_;
  bool on_ = false;
};

typedef uint32_t V4 __attribute__((vector_size(16)));

// One vector's worth of pixels of a row (always inlined, like the operations).
template <class Op, class V>
[[gnu::always_inline]] inline void VectorStep(uint32_t* d, const uint32_t* s) {
  V sv, dv;
  std::memcpy(&sv, s, sizeof(V));
  std::memcpy(&dv, d, sizeof(V));
  dv = Op::Apply(dv, sv);
  std::memcpy(d, &dv, sizeof(V));
}

template <class Op>
MT_AVX2_CLONE void ColourRows(uint32_t* d, int64_t d_pitch, const uint32_t* s, int64_t s_pitch,
                              int32_t w, int32_t h) {
  RowsAhead<uint32_t, false> s_ahead(s, s_pitch, w, h);
  RowsAhead<uint32_t, true> d_ahead(d, d_pitch, w, h);
  for (int32_t row = 0; row < h; ++row, d += d_pitch, s += s_pitch) {
    s_ahead.Step(row);
    d_ahead.Step(row);
    int32_t i = 0;
    // Long rows store aligned to 32 bytes: an unaligned 32-byte store splits across cache
    // lines every other time. Below a few hundred pixels the scalar steps to get there
    // cost more than that.
    if (w >= 256) {
      for (; (reinterpret_cast<uintptr_t>(d + i) & 31) != 0; ++i) d[i] = Op::Apply(d[i], s[i]);
    }
    for (; i + 16 <= w; i += 16) {
      V8 s0, s1, d0, d1;
      std::memcpy(&s0, s + i, 32);
      std::memcpy(&s1, s + i + 8, 32);
      if constexpr (!std::is_same_v<Op, OpCopy>) {
        std::memcpy(&d0, d + i, 32);
        std::memcpy(&d1, d + i + 8, 32);
        d0 = Op::Apply(d0, s0);
        d1 = Op::Apply(d1, s1);
      } else {
        d0 = s0;
        d1 = s1;
      }
      std::memcpy(d + i, &d0, 32);
      std::memcpy(d + i + 8, &d1, 32);
    }
    // The rest of the row in one 8- and one 4-pixel step, then at most three pixels.
    if (i + 8 <= w) {
      VectorStep<Op, V8>(d + i, s + i);
      i += 8;
    }
    if (i + 4 <= w) {
      VectorStep<Op, V4>(d + i, s + i);
      i += 4;
    }
    for (; i < w; ++i) d[i] = Op::Apply(d[i], s[i]);
  }
}

// One-bit source into colour, eight pixels a step: a set bit becomes the background
// pixel, a clear one the text pixel, chosen without a branch.
template <class Op>
MT_AVX2_CLONE void MonoToColourRows(uint32_t* d, int64_t d_pitch, const uint8_t* s, int64_t s_pitch,
                                    int32_t w, int32_t h, uint32_t text, uint32_t bk) {
  typedef int8_t B8 __attribute__((vector_size(8)));
  typedef int32_t I8 __attribute__((vector_size(32)));
  const uint32_t diff = text ^ bk;
  const V8 text_v = V8{} + text, diff_v = V8{} + diff;
  for (int32_t row = 0; row < h; ++row, d += d_pitch, s += s_pitch) {
    int32_t i = 0;
    for (; i + 8 <= w; i += 8) {
      B8 bits;
      std::memcpy(&bits, s + i, 8);
      const V8 set = reinterpret_cast<V8>(-(__builtin_convertvector(bits, I8) & 1));
      V8 dv;
      std::memcpy(&dv, d + i, 32);
      dv = Op::Apply(dv, text_v ^ (set & diff_v));
      std::memcpy(d + i, &dv, 32);
    }
    for (; i < w; ++i) {
      const uint32_t set = 0u - static_cast<uint32_t>(s[i] & 1);
      d[i] = Op::Apply(d[i], text ^ (set & diff));
    }
  }
}

// Transparent drawing's two transfers in one pass: the one-bit mask into colour with OR,
// then the picture with AND, each destination pixel loaded and stored once.
MT_AVX2_CLONE void MaskThenPictureRows(uint32_t* d, int64_t d_pitch, const uint8_t* m,
                                       int64_t m_pitch, const uint32_t* p, int64_t p_pitch,
                                       int32_t w, int32_t h, uint32_t text, uint32_t bk) {
  typedef uint8_t B8 __attribute__((vector_size(8)));
  typedef uint16_t W8 __attribute__((vector_size(16)));
  const uint32_t diff = text ^ bk;
  const V8 text_v = V8{} + text, diff_v = V8{} + diff;
  RowsAhead<uint32_t, true> d_ahead(d, d_pitch, w, h);
  RowsAhead<uint32_t, false> p_ahead(p, p_pitch, w, h, true);
  RowsAhead<uint8_t, false> m_ahead(m, m_pitch, w, h, true);
  for (int32_t row = 0; row < h; ++row, d += d_pitch, m += m_pitch, p += p_pitch) {
    d_ahead.Step(row);
    p_ahead.Step(row);
    m_ahead.Step(row);
    int32_t i = 0;
    for (; i + 8 <= w; i += 8) {
      B8 bits;
      std::memcpy(&bits, m + i, 8);
      // Widened in two steps: GCC turns a direct byte-to-word conversion into eight scalar
      // inserts, and these two into vector widenings.
      const V8 set = 0u - (__builtin_convertvector(__builtin_convertvector(bits, W8), V8) & 1u);
      V8 dv, pv;
      std::memcpy(&dv, d + i, 32);
      std::memcpy(&pv, p + i, 32);
      dv = (dv | (text_v ^ (set & diff_v))) & pv;
      std::memcpy(d + i, &dv, 32);
    }
    for (; i < w; ++i) {
      const uint32_t set = 0u - static_cast<uint32_t>(m[i] & 1);
      d[i] = (d[i] | (text ^ (set & diff))) & p[i];
    }
  }
}

template <class Op>
void RowMono(uint8_t* __restrict d, const uint8_t* __restrict s, int32_t n) {
  int32_t i = 0;
  for (; i + 16 <= n; i += 16) {
    V16 dv, sv;
    std::memcpy(&dv, d + i, 16);
    std::memcpy(&sv, s + i, 16);
    dv = Op::Apply(dv, sv);
    std::memcpy(d + i, &dv, 16);
  }
  for (; i < n; ++i) d[i] = Op::Apply(d[i], s[i]);
}

// Colour source into one bit: set where the pixel equals the source's background colour.
template <class Op>
void RowColourToMono(uint8_t* __restrict d, const uint32_t* __restrict s, int32_t n, uint32_t bk) {
  for (int32_t i = 0; i < n; ++i) {
    const uint8_t bit = (s[i] & detail::soft::kRgbMask) == bk ? 0xFF : 0x00;
    d[i] = Op::Apply(d[i], bit);
  }
}

struct Rect {
  int32_t dx, dy, sx, sy, w, h;
};

template <class Op>
void Transfer(Bitmap& dst, const Dc& dst_dc, const Bitmap& src, const Dc& src_dc, const Rect& r) {
  if (!dst.mono && !src.mono) {
    if constexpr (std::is_same_v<Op, OpCopy>) {
      // Whole rows of both bitmaps: one long row, as the full-stage copy is.
      if (r.w == dst.pitch && r.w == src.pitch) {
        ColourRows<OpCopy>(dst.ColourRow(r.dy), 0, const_cast<Bitmap&>(src).ColourRow(r.sy), 0,
                           r.w * r.h, 1);
        return;
      }
    }
    ColourRows<Op>(dst.ColourRow(r.dy) + r.dx, dst.pitch,
                   const_cast<Bitmap&>(src).ColourRow(r.sy) + r.sx, src.pitch, r.w, r.h);
  } else if (dst.mono && src.mono) {
    for (int32_t row = 0; row < r.h; ++row) {
      uint8_t* d = dst.MonoRow(r.dy + row) + r.dx;
      const uint8_t* s = const_cast<Bitmap&>(src).MonoRow(r.sy + row) + r.sx;
      if constexpr (std::is_same_v<Op, OpCopy>) {
        std::memcpy(d, s, static_cast<size_t>(r.w));
      } else {
        RowMono<Op>(d, s, r.w);
      }
    }
  } else if (!dst.mono) {
    MonoToColourRows<Op>(dst.ColourRow(r.dy) + r.dx, dst.pitch,
                         const_cast<Bitmap&>(src).MonoRow(r.sy) + r.sx, src.pitch, r.w, r.h,
                         detail::soft::PixelFromColorRef(dst_dc.text_colour),
                         detail::soft::PixelFromColorRef(dst_dc.bk_colour));
  } else {
    const uint32_t bk = detail::soft::PixelFromColorRef(src_dc.bk_colour);
    for (int32_t row = 0; row < r.h; ++row) {
      RowColourToMono<Op>(dst.MonoRow(r.dy + row) + r.dx,
                          const_cast<Bitmap&>(src).ColourRow(r.sy + row) + r.sx, r.w, bk);
    }
  }
}

void Whiteness(Bitmap& dst, const Rect& r) {
  for (int32_t row = 0; row < r.h; ++row) {
    if (dst.mono) {
      std::memset(dst.MonoRow(r.dy + row) + r.dx, detail::soft::kBitSet, static_cast<size_t>(r.w));
    } else {
      std::fill_n(dst.ColourRow(r.dy + row) + r.dx, r.w, detail::soft::kWhitePixel);
    }
  }
}

// A copy of the source rectangle, for a transfer within one bitmap whose two rectangles
// overlap: the rows would otherwise read pixels already overwritten.
Bitmap CopyOut(Bitmap& src, const Rect& r) {
  Bitmap copy;
  copy.width = r.w;
  copy.height = r.h;
  copy.mono = src.mono;
  copy.pitch = r.w;
  const size_t n = static_cast<size_t>(r.w) * static_cast<size_t>(r.h);
  if (src.mono) {
    copy.mono_store.resize(n);
    copy.bits = copy.mono_store.data();
    for (int32_t row = 0; row < r.h; ++row)
      std::memcpy(copy.MonoRow(row), src.MonoRow(r.sy + row) + r.sx, static_cast<size_t>(r.w));
  } else {
    copy.colour_store.resize(n);
    copy.colour = copy.colour_store.data();
    for (int32_t row = 0; row < r.h; ++row)
      std::memcpy(copy.ColourRow(row), src.ColourRow(r.sy + row) + r.sx,
                  static_cast<size_t>(r.w) * 4);
  }
  return copy;
}

bool Overlap(const Rect& r) {
  return r.dx < r.sx + r.w && r.sx < r.dx + r.w && r.dy < r.sy + r.h && r.sy < r.dy + r.h;
}

// Clips a transfer in 64 bits: only pixels inside the destination, and whose source pixel
// lies inside the source (when there is one), take part. False when none does.
bool Clip(const Bitmap& dst, const Bitmap* src, int32_t x, int32_t y, int32_t width, int32_t height,
          int32_t src_x, int32_t src_y, Rect& out) {
  if (width <= 0 || height <= 0) return false;
  // Offsets relative to (x, y).
  int64_t x0 = std::max<int64_t>(0, -int64_t{x});
  int64_t y0 = std::max<int64_t>(0, -int64_t{y});
  int64_t x1 = std::min<int64_t>(width, int64_t{dst.width} - x);
  int64_t y1 = std::min<int64_t>(height, int64_t{dst.height} - y);
  if (src) {
    x0 = std::max<int64_t>(x0, -int64_t{src_x});
    y0 = std::max<int64_t>(y0, -int64_t{src_y});
    x1 = std::min<int64_t>(x1, int64_t{src->width} - src_x);
    y1 = std::min<int64_t>(y1, int64_t{src->height} - src_y);
  }
  if (x0 >= x1 || y0 >= y1) return false;
  out = Rect{static_cast<int32_t>(x + x0),     static_cast<int32_t>(y + y0),
             static_cast<int32_t>(src_x + x0), static_cast<int32_t>(src_y + y0),
             static_cast<int32_t>(x1 - x0),    static_cast<int32_t>(y1 - y0)};
  return true;
}

}  // namespace

bool BitBlt(Handle dest_dc, int32_t x, int32_t y, int32_t width, int32_t height, Handle src_dc,
            int32_t src_x, int32_t src_y, uint32_t rop) {
  auto& table = detail::soft::Table();
  Dc* ddc = table.FindDc(dest_dc);
  Bitmap* dst = detail::soft::SelectedBitmap(ddc);
  if (!dst) return false;
  const bool uses_source = rop != WHITENESS;
  if (uses_source && rop != SRCCOPY && rop != SRCPAINT && rop != SRCAND && rop != SRCINVERT)
    return false;
  Dc* sdc = nullptr;
  Bitmap* src = nullptr;
  if (uses_source) {
    sdc = table.FindDc(src_dc);
    src = detail::soft::SelectedBitmap(sdc);
    if (!src) return false;
  }
  Rect r;
  if (!Clip(*dst, src, x, y, width, height, src_x, src_y, r)) return true;

  // Two bitmaps may show one buffer (two external DCs over a window's pixels): what
  // counts is whether the pixels are the same.
  const bool same_pixels = src && src->mono == dst->mono && src->colour == dst->colour &&
                           src->bits == dst->bits && src->pitch == dst->pitch;
  if (!uses_source) {
    Whiteness(*dst, r);
  } else if (same_pixels && rop == SRCCOPY && r.dx == r.sx && r.dy == r.sy) {
    // A copy onto itself: nothing moves, but the destination still hears of the change
    // (a stage composed in a window's own pixels is presented this way).
  } else {
    Bitmap overlap_copy;
    if (same_pixels && Overlap(r)) {
      overlap_copy = CopyOut(*src, r);
      src = &overlap_copy;
      r.sx = 0;
      r.sy = 0;
    }
    switch (rop) {
      case SRCCOPY:
        Transfer<OpCopy>(*dst, *ddc, *src, *sdc, r);
        break;
      case SRCPAINT:
        Transfer<OpOr>(*dst, *ddc, *src, *sdc, r);
        break;
      case SRCAND:
        Transfer<OpAnd>(*dst, *ddc, *src, *sdc, r);
        break;
      default:
        Transfer<OpXor>(*dst, *ddc, *src, *sdc, r);
        break;
    }
  }
  if (ddc->on_changed) ddc->on_changed(r.dx, r.dy, r.w, r.h);
  return true;
}

bool BitBltMaskThenPicture(Handle dest_dc, int32_t x, int32_t y, int32_t width, int32_t height,
                           Handle mask_dc, Handle picture_dc, int32_t src_x, int32_t src_y) {
  auto& table = detail::soft::Table();
  Dc* ddc = table.FindDc(dest_dc);
  Bitmap* dst = detail::soft::SelectedBitmap(ddc);
  const Bitmap* mask = detail::soft::SelectedBitmap(table.FindDc(mask_dc));
  const Bitmap* picture = detail::soft::SelectedBitmap(table.FindDc(picture_dc));
  // One pass only where it gives what the two transfers give: a colour destination that is
  // neither source, a one-bit mask and a colour picture that clip alike.
  if (dst && mask && picture && !dst->mono && mask->mono && !picture->mono && dst != mask &&
      dst != picture) {
    Rect r, by_picture;
    const bool any = Clip(*dst, mask, x, y, width, height, src_x, src_y, r);
    const bool any_by_picture = Clip(*dst, picture, x, y, width, height, src_x, src_y, by_picture);
    if (!any && !any_by_picture) return true;
    if (any && any_by_picture && r.dx == by_picture.dx && r.dy == by_picture.dy &&
        r.w == by_picture.w && r.h == by_picture.h) {
      MaskThenPictureRows(dst->ColourRow(r.dy) + r.dx, dst->pitch,
                          const_cast<Bitmap*>(mask)->MonoRow(r.sy) + r.sx, mask->pitch,
                          const_cast<Bitmap*>(picture)->ColourRow(r.sy) + r.sx, picture->pitch, r.w,
                          r.h, detail::soft::PixelFromColorRef(ddc->text_colour),
                          detail::soft::PixelFromColorRef(ddc->bk_colour));
      if (ddc->on_changed) ddc->on_changed(r.dx, r.dy, r.w, r.h);
      return true;
    }
  }
  const bool painted = BitBlt(dest_dc, x, y, width, height, mask_dc, src_x, src_y, SRCPAINT);
  const bool anded = BitBlt(dest_dc, x, y, width, height, picture_dc, src_x, src_y, SRCAND);
  return painted && anded;
}

}  // namespace platform::gdi
