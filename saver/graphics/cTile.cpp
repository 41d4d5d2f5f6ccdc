#include "saver/graphics/cTile.h"

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

void cTile::TileObject() {
  if (!m_objRender) mt::Fail(mt::ErrorKind::MissingObject, "Object variable not set");
  const int32_t w =
      mt::Div32(mt::ToInt32(m_objRender->ScaleWidth()), mt::ToInt32(m_oScreen.dUnitsPerPixelX));
  const int32_t h =
      mt::Div32(mt::ToInt32(m_objRender->ScaleHeight()), mt::ToInt32(m_oScreen.dUnitsPerPixelY));
  const platform::gdi::Handle dc = m_objRender->hDC();
  TileDC(dc, w, h);
}
