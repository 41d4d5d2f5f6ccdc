#pragma once
// A picture object: an image that owns one bitmap and hands out its handle, as a picture
// box's picture does. The graphics classes only ever copy from it; they neither change
// nor release it.
#include <memory>
#include <string>

#include "platform/gdi.h"

class cPicture {
 public:
  cPicture() = default;
  // Takes ownership of a bitmap handle (0 makes an empty picture).
  explicit cPicture(platform::gdi::Handle hBitmap) : m_lBitmap(hBitmap) {}
  ~cPicture();
  cPicture(const cPicture&) = delete;
  cPicture& operator=(const cPicture&) = delete;

  // A picture of the bitmap file, or nothing when the file cannot be read.
  static std::shared_ptr<cPicture> LoadPicture(const std::string& sFilename);

  // The default property: the bitmap the picture holds (0 for an empty picture).
  platform::gdi::Handle Handle() const { return m_lBitmap; }

 private:
  platform::gdi::Handle m_lBitmap = 0;
};
