#include "saver/graphics/cSprite.h"

#include <algorithm>

#include "common/error.h"
#include "common/numeric.h"
#include "saver/graphics/cSpriteBitmaps.h"
#include "saver/graphics/mGDI.h"

namespace gdi = platform::gdi;

namespace {
// Minus the screen size in pixels: the units negated and rounded, divided (truncating) by
// the rounded units per pixel. A sprite that has never been drawn thus "was" wholly off
// the screen, and its first copy to the screen changes nothing there.
int32_t OffScreen(double dUnits, double dUnitsPerPixel) {
  return mt::Div32(mt::ToInt32(-dUnits), mt::ToInt32(dUnitsPerPixel));
}
}  // namespace

cSprite::cSprite(const ScreenMetrics& oScreen) {
  m_lPreviousX = m_lDrawX = OffScreen(oScreen.dWidthUnits, oScreen.dUnitsPerPixelX);
  m_lPreviousY = m_lDrawY = OffScreen(oScreen.dHeightUnits, oScreen.dUnitsPerPixelY);
}

cSprite::~cSprite() {
  CleanUp();
  m_cSpriteData.reset();
}

void cSprite::CleanUp() {
  mGDI::DestroyDC(m_oBack);
  m_bBackgroundStored = false;
}

void cSprite::SpriteData(std::shared_ptr<cSpriteBitmaps> cSpriteData) {
  if (!cSpriteData) mt::Fail(mt::ErrorKind::MissingObject, "Object variable not set");
  m_cSpriteData = std::move(cSpriteData);
  m_lWidth = m_cSpriteData->CellWidth();
  m_lHeight = m_cSpriteData->CellHeight();
}

void cSprite::Create() {
  CleanUp();
  if (!m_cSpriteData) mt::Fail(mt::ErrorKind::MissingObject, "Object variable not set");
  m_lWidth = m_cSpriteData->CellWidth();
  m_lHeight = m_cSpriteData->CellHeight();
  // A buffer that cannot be made is not reported: saving and restoring then do nothing.
  mGDI::CreateDCAtSize(false, m_oBack, m_lWidth, m_lHeight);
}

void cSprite::IncrementPosition() {
  m_lX = mt::Add32(m_lX, m_lXDir);
  m_lY = mt::Add32(m_lY, m_lYDir);
}

void cSprite::StoreBackground(Handle hDC, int32_t lX, int32_t lY) {
  gdi::BitBlt(m_oBack.hDC(), 0, 0, m_lWidth, m_lHeight, hDC, lX, lY, gdi::SRCCOPY);
  m_lStoredX = lX;
  m_lStoredY = lY;
  m_bBackgroundStored = true;
}

void cSprite::TransparentDraw(Handle hDC, int32_t lX, int32_t lY, int32_t lCell, bool bUseBuildDC) {
  if (!m_cSpriteData) mt::Fail(mt::ErrorKind::MissingObject, "Object variable not set");
  m_lPreviousX = m_lDrawX;
  m_lPreviousY = m_lDrawY;
  m_lDrawX = lX;
  m_lCell = lCell;
  m_lDrawY = lY;
  m_cSpriteData->TransparentDraw(hDC, lX, lY, lCell, bUseBuildDC);
}

void cSprite::TransparentDrawPart(Handle hDC, int32_t lPartX, int32_t lPartY, int32_t lPartWidth,
                                  int32_t lPartHeight) {
  if (!m_cSpriteData) mt::Fail(mt::ErrorKind::MissingObject, "Object variable not set");
  m_cSpriteData->TransparentDrawPart(hDC, m_lX, m_lY, m_lCell, lPartX, lPartY, lPartWidth,
                                     lPartHeight);
}

void cSprite::RestoreBackground(Handle hDC) {
  if (!m_bBackgroundStored) return;
  // Back where it was saved: the scene may have drawn the sprite elsewhere since (or not
  // at all), and putting the area at the drawn place would paint the background twice.
  gdi::BitBlt(hDC, m_lStoredX, m_lStoredY, m_lWidth, m_lHeight, m_oBack.hDC(), 0, 0, gdi::SRCCOPY);
}

bool cSprite::BltInTwo() const {
  const int32_t lDistance = mt::Add32(mt::Abs32(mt::Sub32(m_lPreviousY, m_lDrawY)),
                                      mt::Abs32(mt::Sub32(m_lPreviousX, m_lDrawX)));
  return lDistance > 24;
}

void cSprite::StageToScreen(Handle lHDC, Handle lStageHDC) {
  if (BltInTwo()) {
    gdi::BitBlt(lHDC, m_lPreviousX, m_lPreviousY, m_lWidth, m_lHeight, lStageHDC, m_lPreviousX,
                m_lPreviousY, gdi::SRCCOPY);
    gdi::BitBlt(lHDC, m_lDrawX, m_lDrawY, m_lWidth, m_lHeight, lStageHDC, m_lDrawX, m_lDrawY,
                gdi::SRCCOPY);
    return;
  }
  m_lDelta[0] = mt::Sub32(m_lDrawX, m_lPreviousX);
  m_lDelta[1] = mt::Sub32(m_lDrawY, m_lPreviousY);
  const int32_t lLeft = std::min(m_lDrawX, m_lPreviousX);
  const int32_t lTop = std::min(m_lDrawY, m_lPreviousY);
  const int32_t lWidth = mt::Add32(mt::Abs32(m_lDelta[0]), m_lWidth);
  const int32_t lHeight = mt::Add32(mt::Abs32(m_lDelta[1]), m_lHeight);
  gdi::BitBlt(lHDC, lLeft, lTop, lWidth, lHeight, lStageHDC, lLeft, lTop, gdi::SRCCOPY);
}
