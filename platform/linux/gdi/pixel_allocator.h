#pragma once
// Storage for pixel buffers: always handed out as zeros (a new bitmap is black), and
// starting on a cache line at least, since off it every other 32-byte load of a row would
// straddle two lines.
//
// Screen-sized bitmaps are large (33 MB at 3840 x 2160) and a sprite touches them one short
// row at a time, one page per row: with ordinary 4 KB pages the address translation misses
// then make a frame cost grow with the screen. Buffers of 2 MB and more therefore come
// straight from the kernel, aligned to 2 MB and offered for huge pages. Its pages are zero
// already and cost nothing until first written, so a screen-sized bitmap that is never
// drawn on (the screen DC's, a reference for compatible bitmaps) takes neither time nor
// memory. Elements are therefore not initialised again.
#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

namespace platform::detail::soft {

template <typename T>
struct PixelAllocator {
  using value_type = T;
  static constexpr size_t kHugePage = size_t{2} << 20;

  PixelAllocator() = default;
  template <typename U>
  PixelAllocator(const PixelAllocator<U>&) {}

  T* allocate(size_t n) {
    const size_t bytes = n * sizeof(T);
    if (bytes < kHugePage) {
      const size_t lines = (bytes + 63) / 64 * 64;
      void* p = std::aligned_alloc(64, lines == 0 ? 64 : lines);
      if (p == nullptr) throw std::bad_alloc();
      std::memset(p, 0, lines);
      return static_cast<T*>(p);
    }
    // One huge page more than needed, then what lies before and after the aligned part is
    // given back.
    const size_t rounded = Rounded(bytes);
    void* raw = mmap(nullptr, rounded + kHugePage, PROT_READ | PROT_WRITE,
                     MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED) throw std::bad_alloc();
    const auto base = reinterpret_cast<uintptr_t>(raw);
    const uintptr_t start = (base + kHugePage - 1) / kHugePage * kHugePage;
    if (start > base) munmap(raw, start - base);
    if (const size_t after = base + kHugePage - start; after > 0)
      munmap(reinterpret_cast<void*>(start + rounded), after);
    madvise(reinterpret_cast<void*>(start), rounded, MADV_HUGEPAGE);  // a hint only
    return reinterpret_cast<T*>(start);
  }
  void deallocate(T* p, size_t n) {
    const size_t bytes = n * sizeof(T);
    if (bytes < kHugePage) {
      std::free(p);
    } else {
      munmap(p, Rounded(bytes));
    }
  }

  // Elements made without a value stay as allocated: zero.
  template <typename U>
  void construct(U* p) noexcept {
    ::new (static_cast<void*>(p)) U;
  }
  template <typename U, typename... Args>
  void construct(U* p, Args&&... args) {
    ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
  }

  template <typename U>
  bool operator==(const PixelAllocator<U>&) const {
    return true;
  }

 private:
  static size_t Rounded(size_t bytes) { return (bytes + kHugePage - 1) / kHugePage * kHugePage; }
};

}  // namespace platform::detail::soft
