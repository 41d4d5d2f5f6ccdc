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

Surface::Surface(Surface&& oOther) noexcept
    : m_lDC(oOther.m_lDC), m_lBitmap(oOther.m_lBitmap), m_lOldBitmap(oOther.m_lOldBitmap) {
  oOther.m_lDC = oOther.m_lBitmap = oOther.m_lOldBitmap = 0;
}

Surface& Surface::operator=(Surface&& oOther) noexcept {
  if (this != &oOther) {
    DestroyDC(*this);
    m_lDC = oOther.m_lDC;
    m_lBitmap = oOther.m_lBitmap;
    m_lOldBitmap = oOther.m_lOldBitmap;
    oOther.m_lDC = oOther.m_lBitmap = oOther.m_lOldBitmap = 0;
  }
  return *this;
}

bool CreateDCAtSize(bool bMask, Surface& oSurface, int32_t lWidth, int32_t lHeight) {
  DestroyDC(oSurface);
  DesktopDC desktop(!bMask);
  Handle lReference = desktop.hDC();
  oSurface.m_lDC = gdi::CreateCompatibleDC(lReference);
  // A new memory DC holds a one-bit bitmap, so a bitmap compatible with it is one-bit too.
  if (bMask) lReference = oSurface.m_lDC;
  if (oSurface.m_lDC != 0)
    oSurface.m_lBitmap = gdi::CreateCompatibleBitmap(lReference, lWidth, lHeight);
  if (oSurface.m_lBitmap == 0) return false;
  oSurface.m_lOldBitmap = gdi::SelectObject(oSurface.m_lDC, oSurface.m_lBitmap);
  return true;
}

bool CreateDCFromFile(bool bMask, const std::string& sFilename, Surface& oSurface) {
  DestroyDC(oSurface);
  oSurface.m_lBitmap = gdi::LoadBitmapFile(sFilename);
  if (oSurface.m_lBitmap == 0) return false;
  DesktopDC desktop(!bMask);
  oSurface.m_lDC = gdi::CreateCompatibleDC(desktop.hDC());
  // Without a DC the loaded bitmap stays in the surface, which frees it.
  if (oSurface.m_lDC == 0) return false;
  oSurface.m_lOldBitmap = gdi::SelectObject(oSurface.m_lDC, oSurface.m_lBitmap);
  return true;
}

bool CreateDCFromPicture(bool bMask, const cPicture* oPic, Surface& oSurface) {
  DestroyDC(oSurface);
  gdi::BitmapInfo udtBitmap{};
  if (oPic == nullptr) mt::Fail(mt::ErrorKind::MissingObject, "Object variable not set");

  DesktopDC desktop(!bMask);
  Handle lReference = desktop.hDC();
  const Handle lTempDC = gdi::CreateCompatibleDC(lReference);
  if (lTempDC == 0) return false;
  if (bMask) lReference = lTempDC;
  // The temporary DC only lends the picture's bitmap, which stays the picture's.
  const Handle lTempOld = gdi::SelectObject(lTempDC, oPic->Handle());
  // With bMask the copy takes the picture's own format: the reference DC now holds it.
  bool bResult = false;
  oSurface.m_lDC = gdi::CreateCompatibleDC(lReference);
  if (oSurface.m_lDC != 0) {
    gdi::GetObject(oPic->Handle(), &udtBitmap);
    oSurface.m_lBitmap =
        gdi::CreateCompatibleBitmap(lReference, udtBitmap.bmWidth, udtBitmap.bmHeight);
    if (oSurface.m_lBitmap != 0) {
      oSurface.m_lOldBitmap = gdi::SelectObject(oSurface.m_lDC, oSurface.m_lBitmap);
      gdi::BitBlt(oSurface.m_lDC, 0, 0, udtBitmap.bmWidth, udtBitmap.bmHeight, lTempDC, 0, 0,
                  gdi::SRCCOPY);
      bResult = true;
    }
  }
  if (lTempOld != 0) gdi::SelectObject(lTempDC, lTempOld);
  gdi::DeleteDC(lTempDC);
  return bResult;
}

void DestroyDC(Surface& oSurface) {
  // The DC gets its own bitmap back first: a bitmap still selected cannot be deleted. A
  // bitmap without a DC (a file whose DC could not be made) is freed all the same.
  if (oSurface.m_lDC != 0 && oSurface.m_lBitmap != 0)
    gdi::SelectObject(oSurface.m_lDC, oSurface.m_lOldBitmap);
  if (oSurface.m_lBitmap != 0) gdi::DeleteObject(oSurface.m_lBitmap);
  if (oSurface.m_lDC != 0) gdi::DeleteDC(oSurface.m_lDC);
  oSurface.m_lDC = oSurface.m_lBitmap = oSurface.m_lOldBitmap = 0;
}

}  // namespace mGDI
