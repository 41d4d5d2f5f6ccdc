#pragma once
// The four routines through which the graphics classes obtain and give back their
// off-screen surfaces, and the surface itself: a memory DC, the bitmap selected into it and
// the bitmap the DC held before, kept together and owned as one.
#include <cstdint>
#include <string>

#include "platform/gdi.h"

class cPicture;

namespace mGDI {

using Handle = platform::gdi::Handle;

// Owns what it holds: destruction, a new creation into it and a move onto it free the DC
// and its bitmap, so neither can leak on any path, a failed creation's leftovers included.
// Move-only; an empty surface has a DC of 0.
class Surface {
 public:
  Surface() = default;
  ~Surface() { DestroyDC(*this); }
  Surface(Surface&& oOther) noexcept;
  Surface& operator=(Surface&& oOther) noexcept;
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;

  Handle hDC() const { return m_lDC; }
  Handle Bitmap() const { return m_lBitmap; }

 private:
  friend bool CreateDCAtSize(bool, Surface&, int32_t, int32_t);
  friend bool CreateDCFromFile(bool, const std::string&, Surface&);
  friend bool CreateDCFromPicture(bool, const cPicture*, Surface&);
  friend void DestroyDC(Surface&);

  Handle m_lDC = 0;
  Handle m_lBitmap = 0;
  Handle m_lOldBitmap = 0;
};

// Each creation first frees what oSurface held. False on failure; whatever was made before
// the failing step stays in oSurface until it is freed.
//
// A new surface of lWidth x lHeight pixels: one bit per pixel when bMask, else in the
// screen's format. Content undefined.
bool CreateDCAtSize(bool bMask, Surface& oSurface, int32_t lWidth, int32_t lHeight);

// A surface holding the bitmap file at its own size, always in the screen's format (a mask
// file is held in colour). A file that cannot be loaded leaves the surface empty.
bool CreateDCFromFile(bool bMask, const std::string& sFilename, Surface& oSurface);

// A surface holding a copy of the picture's bitmap at its own size: in the screen's format,
// or, when bMask, in the picture's own format. The picture is left as it is. Throws
// mt::Error (MissingObject) when oPic is none.
bool CreateDCFromPicture(bool bMask, const cPicture* oPic, Surface& oSurface);

// Frees a surface: puts the old bitmap back, deletes the bitmap and the DC, and leaves it
// empty. Freeing an empty surface does nothing.
void DestroyDC(Surface& oSurface);

}  // namespace mGDI
