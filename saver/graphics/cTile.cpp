#include "saver/graphics/cTile.h"

#include <algorithm>

#include "common/error.h"
#include "common/numeric.h"
#include "saver/graphics/cBitmap.h"

cTile::cTile(const ScreenMetrics& oScreen)
    : m_cBitmap(std::make_shared<cBitmap>()), m_oScreen(oScreen) {}

cTile::~cTile() {
  CleanUp();
}

void cTile::Initialise(std::shared_ptr<cRenderTarget> objRender) {
  m_objRender = std::move(objRender);
}

void cTile::Filename(const std::string& sFilename) {
  if (sFilename == m_sFilename) return;
  if (sFilename.empty()) {
    CleanUp();
    return;
  }
  if (!CheckInitialised()) return;
  if (!m_cBitmap) mt::Fail(mt::ErrorKind::MissingObject, "Object variable not set");
  if (m_cBitmap->CreateFromFile(sFilename)) m_sFilename = sFilename;
}

void cTile::Picture(const cPicture* oPic) {
  CleanUp();
  m_cBitmap = std::make_shared<cBitmap>();
  m_cBitmap->CreateFromPicture(oPic);
}

// Without a render target nothing is loaded; that is not reported anywhere.
bool cTile::CheckInitialised() const {
  return m_objRender != nullptr;
}

void cTile::CleanUp() {
  m_cBitmap.reset();
  m_objRender.reset();
  m_sFilename.clear();
}

void cTile::TileDC(Handle lHDC, int32_t lWidth, int32_t lHeight) {
  if (!m_cBitmap) mt::Fail(mt::ErrorKind::MissingObject, "Object variable not set");
  const int32_t w = m_cBitmap->Width();
  const int32_t h = m_cBitmap->Height();
  // A tile that was never loaded has no size; stepping by 0 would never end.
  if (w <= 0 || h <= 0) return;
  for (int32_t y = 0; y <= lHeight; y = mt::Add32(y, h)) {
    for (int32_t x = 0; x <= lWidth; x = mt::Add32(x, w)) {
      m_cBitmap->RenderBitmap(lHDC, x, y, platform::gdi::SRCCOPY);
    }
  }
}

void cTile::TileRect(Handle lHDC, int32_t lX, int32_t lY, int32_t lWidth, int32_t lHeight) {
  if (!m_cBitmap) mt::Fail(mt::ErrorKind::MissingObject, "Object variable not set");
  const int64_t w = m_cBitmap->Width();
  const int64_t h = m_cBitmap->Height();
  if (w <= 0 || h <= 0) return;
  // In 64 bits: a rectangle near the end of the 32-bit range must not wrap.
  const int64_t left = std::max<int64_t>(lX, 0), top = std::max<int64_t>(lY, 0);
  const int64_t right = int64_t{lX} + lWidth, bottom = int64_t{lY} + lHeight;
  // One transfer per tile the rectangle meets, each from where that part lies in the tile.
  for (int64_t y = top; y < bottom;) {
    const int64_t ty = y % h, rows = std::min(h - ty, bottom - y);
    for (int64_t x = left; x < right;) {
      const int64_t tx = x % w, cols = std::min(w - tx, right - x);
      platform::gdi::BitBlt(lHDC, static_cast<int32_t>(x), static_cast<int32_t>(y),
                            static_cast<int32_t>(cols), static_cast<int32_t>(rows),
                            m_cBitmap->hDC(), static_cast<int32_t>(tx), static_cast<int32_t>(ty),
                            platform::gdi::SRCCOPY);
      x += cols;
    }
    y += rows;
  }
}

void cTile::TileObject() {
  if (!m_objRender) mt::Fail(mt::ErrorKind::MissingObject, "Object variable not set");
  const int32_t w =
      mt::Div32(mt::ToInt32(m_objRender->ScaleWidth()), mt::ToInt32(m_oScreen.dUnitsPerPixelX));
  const int32_t h =
      mt::Div32(mt::ToInt32(m_objRender->ScaleHeight()), mt::ToInt32(m_oScreen.dUnitsPerPixelY));
  const platform::gdi::Handle dc = m_objRender->hDC();
  TileDC(dc, w, h);
}
