#pragma once
// Storage for pixel buffers. Screen-sized bitmaps are large (33 MB at 3840 x 2160) and a
// sprite touches them one short row at a time, one page per row: with ordinary 4 KB pages
// the address translation misses then make a frame cost grow with the screen. Buffers of
// 2 MB and more are therefore aligned to 2 MB and offered to the kernel for huge pages.
#include <sys/mman.h>

#include <cstdlib>
#include <new>

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
      if (void* p = std::malloc(bytes)) return static_cast<T*>(p);
      throw std::bad_alloc();
    }
    const size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    void* p = std::aligned_alloc(kHugePage, rounded);
    if (!p) throw std::bad_alloc();
    madvise(p, rounded, MADV_HUGEPAGE);  // a hint: without huge pages it all still works
    return static_cast<T*>(p);
  }
  void deallocate(T* p, size_t) { std::free(p); }

  template <typename U>
  bool operator==(const PixelAllocator<U>&) const {
    return true;
  }
};

}  // namespace platform::detail::soft
