#pragma once
// One colour surface with its size: the stage every frame is composed on, and the tile of
// the background. CreateFromPicture belongs to the toolkit's interface; the scene does
// not call it.
#include <cstdint>
#include <string>

#include "platform/gdi.h"
#include "saver/graphics/mGDI.h"

class cPicture;

class cBitmap {
 public:
  using Handle = platform::gdi::Handle;

  cBitmap() = default;
  ~cBitmap();
  cBitmap(const cBitmap&) = delete;
  cBitmap& operator=(const cBitmap&) = delete;

  // Each creation frees the current surface first; a failed one leaves the object empty
  // (Width and Height keep the last good size).
  bool CreateAtSize(int32_t lDX, int32_t lDY);
  bool CreateFromFile(const std::string& sBitmapBitmap);
  bool CreateFromPicture(const cPicture* picThis);
  // Takes a DC someone else owns (and keeps alive) as this surface, of lDX x lDY pixels.
  void UseDC(Handle hDC, int32_t lDX, int32_t lDY);

  int32_t Width() const { return m_lWidth; }
  int32_t Height() const { return m_lHeight; }
  Handle hDC() const { return m_hUsedDC ? m_hUsedDC : m_oSurface.hDC(); }

  // The whole bitmap onto lHDC at (lX, lY) in one transfer; an empty object draws nothing.
  void RenderBitmap(Handle lHDC, int32_t lX, int32_t lY,
                    uint32_t OpCode = platform::gdi::SRCCOPY) const;

 private:
  void CleanUp();
  // The size of the bitmap just made; always true.
  bool TakeBitmapSize();

  mGDI::Surface m_oSurface;
  Handle m_hUsedDC = 0;  // a DC of someone else's, instead of m_oSurface
  int32_t m_lWidth = 0;
  int32_t m_lHeight = 0;
};
