#pragma once
// Our checked reader of .bmp files, for the GDI's LoadBitmapFile and for every other
// picture the programs show (the dialogs' pictures and icons), so that no picture file
// reaches a toolkit's own reader. Internal to platform/linux.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gdi/objects.h"

namespace platform::detail::soft {

// Largest file we read at all: a picture of the largest size we make, at 32 bits, and its
// headers.
constexpr size_t kMaxBitmapFileBytes = static_cast<size_t>(kMaxPixels) * 4 + 4096;

// Decodes a whole .bmp file held in memory into a colour bitmap. nullptr for anything that
// fails a check; never reads past the bytes or allocates beyond the pixel cap.
std::unique_ptr<Bitmap> DecodeBitmapFile(const std::vector<uint8_t>& bytes);

// Reads a file through the one way in for files, and decodes it; nullptr on any failure.
std::unique_ptr<Bitmap> ReadBitmapFile(const std::string& path);

}  // namespace platform::detail::soft
