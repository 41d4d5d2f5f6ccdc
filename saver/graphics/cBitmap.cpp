#include "saver/graphics/cBitmap.h"

#include "saver/graphics/mGDI.h"

cBitmap::~cBitmap() {
  CleanUp();
}

void cBitmap::CleanUp() {
  mGDI::DestroyDC(m_oSurface);
  m_hUsedDC = 0;
}

void cBitmap::UseDC(Handle hDC, int32_t lDX, int32_t lDY) {
  CleanUp();
  m_hUsedDC = hDC;
  m_lWidth = lDX;
  m_lHeight = lDY;
}

bool cBitmap::CreateAtSize(int32_t lDX, int32_t lDY) {
  CleanUp();
  const bool bResult = mGDI::CreateDCAtSize(false, m_oSurface, lDX, lDY);
  if (bResult) {
    m_lWidth = lDX;
    m_lHeight = lDY;
  }
  return bResult;
}

bool cBitmap::CreateFromFile(const std::string& sBitmapBitmap) {
  CleanUp();
  return mGDI::CreateDCFromFile(false, sBitmapBitmap, m_oSurface) && TakeBitmapSize();
}

bool cBitmap::CreateFromPicture(const cPicture* picThis) {
  CleanUp();
  return mGDI::CreateDCFromPicture(false, picThis, m_oSurface) && TakeBitmapSize();
}

bool cBitmap::TakeBitmapSize() {
  platform::gdi::BitmapInfo udtBitmap{};
  platform::gdi::GetObject(m_oSurface.Bitmap(), &udtBitmap);
  m_lWidth = udtBitmap.bmWidth;
  m_lHeight = udtBitmap.bmHeight;
  return true;
}

void cBitmap::RenderBitmap(Handle lHDC, int32_t lX, int32_t lY, uint32_t OpCode) const {
  platform::gdi::BitBlt(lHDC, lX, lY, m_lWidth, m_lHeight, hDC(), 0, 0, OpCode);
}
