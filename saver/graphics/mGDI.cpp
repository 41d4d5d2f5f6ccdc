#include "saver/graphics/mGDI.h"

#include "common/error.h"
#include "saver/graphics/cPicture.h"

namespace mGDI {
namespace gdi = platform::gdi;

namespace {
// The desktop's DC, taken as the reference for the screen's format and released when the
// routine is done with it, on every way out.
class DesktopDC {
 public:
  explicit DesktopDC(bool bTake) {
    if (bTake) {
      m_lWindow = gdi::GetDesktopWindow();
      m_lDC = gdi::GetDC(m_lWindow);
      m_bTaken = true;
    }
  }
  ~DesktopDC() {
    if (m_bTaken) gdi::ReleaseDC(m_lWindow, m_lDC);
  }
  DesktopDC(const DesktopDC&) = delete;
  DesktopDC& operator=(const DesktopDC&) = delete;
  Handle hDC() const { return m_lDC; }

 private:
  Handle m_lWindow = 0;
  Handle m_lDC = 0;
  bool m_bTaken = false;
};
}  // namespace

bool CreateDCAtSize(bool bMask, Handle& lDC, Handle& lBitmap, Handle& lOldBitmap, int32_t lWidth,
                    int32_t lHeight) {
  lDC = 0;
  lBitmap = 0;
  lOldBitmap = 0;
  DesktopDC desktop(!bMask);
  Handle lReference = desktop.hDC();
  lDC = gdi::CreateCompatibleDC(lReference);
  // A new memory DC holds a one-bit bitmap, so a bitmap compatible with it is one-bit too.
  if (bMask) lReference = lDC;
  if (lDC != 0) lBitmap = gdi::CreateCompatibleBitmap(lReference, lWidth, lHeight);
  if (lBitmap == 0) return false;
  lOldBitmap = gdi::SelectObject(lDC, lBitmap);
  return true;
}

bool CreateDCFromFile(bool bMask, const std::string& sFilename, Handle& lDC, Handle& lBitmap,
                      Handle& lOldBitmap) {
  lDC = 0;
  lBitmap = 0;
  lOldBitmap = 0;
  lBitmap = gdi::LoadBitmapFile(sFilename);
  if (lBitmap == 0) return false;
  DesktopDC desktop(!bMask);
  lDC = gdi::CreateCompatibleDC(desktop.hDC());
  if (lDC == 0) {
    // DestroyDC stops at a DC of 0 and would never free the loaded bitmap.
    gdi::DeleteObject(lBitmap);
    lBitmap = 0;
    return false;
  }
  lOldBitmap = gdi::SelectObject(lDC, lBitmap);
  return true;
}

bool CreateDCFromPicture(bool bMask, const cPicture* oPic, Handle& lDC, Handle& lBitmap,
                         Handle& lOldBitmap) {
  lDC = 0;
  lBitmap = 0;
  lOldBitmap = 0;
  gdi::BitmapInfo udtBitmap{};
  if (oPic == nullptr) mt::Fail(mt::ErrorKind::MissingObject, "Object variable not set");

  DesktopDC desktop(!bMask);
  Handle lReference = desktop.hDC();
  const Handle lTempDC = gdi::CreateCompatibleDC(lReference);
  if (lTempDC == 0) return false;
  if (bMask) lReference = lTempDC;
  const Handle lTempOld = gdi::SelectObject(lTempDC, oPic->Handle());
  // With bMask the copy takes the picture's own format: the reference DC now holds it.
  bool bResult = false;
  lDC = gdi::CreateCompatibleDC(lReference);
  if (lDC != 0) {
    gdi::GetObject(oPic->Handle(), &udtBitmap);
    lBitmap = gdi::CreateCompatibleBitmap(lReference, udtBitmap.bmWidth, udtBitmap.bmHeight);
    if (lBitmap != 0) {
      lOldBitmap = gdi::SelectObject(lDC, lBitmap);
      gdi::BitBlt(lDC, 0, 0, udtBitmap.bmWidth, udtBitmap.bmHeight, lTempDC, 0, 0, gdi::SRCCOPY);
      bResult = true;
    }
  }
  if (lTempOld != 0) gdi::SelectObject(lTempDC, lTempOld);
  gdi::DeleteDC(lTempDC);
  return bResult;
}

void DestroyDC(Handle& lDC, Handle& lBitmap, Handle lOldBitmap) {
  if (lDC == 0) return;
  if (lBitmap != 0) {
    gdi::SelectObject(lDC, lOldBitmap);
    gdi::DeleteObject(lBitmap);
    lBitmap = 0;
  }
  gdi::DeleteDC(lDC);
  lDC = 0;
}

}  // namespace mGDI
