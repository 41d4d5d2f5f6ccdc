#include "fltk/picture_file.h"

#include "gdi/bmp_file.h"

namespace platform::fltk {

std::unique_ptr<Fl_RGB_Image> LoadPicture(const std::string& path) {
  auto bitmap = detail::soft::ReadBitmapFile(path);
  if (!bitmap) return nullptr;
  const auto width = static_cast<size_t>(bitmap->width);
  const auto height = static_cast<size_t>(bitmap->height);
  // The image owns its RGB bytes (alloc_array), so they go with it.
  auto* rgb = new uchar[width * height * 3];
  uchar* out = rgb;
  for (int32_t y = 0; y < bitmap->height; ++y) {
    const uint32_t* row = bitmap->ColourRow(y);
    for (size_t x = 0; x < width; ++x) {
      *out++ = static_cast<uchar>(row[x] >> 16);
      *out++ = static_cast<uchar>(row[x] >> 8);
      *out++ = static_cast<uchar>(row[x]);
    }
  }
  auto image = std::make_unique<Fl_RGB_Image>(rgb, bitmap->width, bitmap->height, 3);
  image->alloc_array = 1;
  return image;
}

}  // namespace platform::fltk
