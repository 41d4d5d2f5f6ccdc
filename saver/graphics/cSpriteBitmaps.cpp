#include "saver/graphics/cSpriteBitmaps.h"

#include "common/error.h"
#include "common/numeric.h"
#include "common/rect.h"
#include "saver/graphics/mGDI.h"

namespace gdi = platform::gdi;

cSpriteBitmaps::~cSpriteBitmaps() {
  CleanUp();
}

void cSpriteBitmaps::CleanUp() {
  mGDI::DestroyDC(m_oSprite);
  mGDI::DestroyDC(m_oMask);
  mGDI::DestroyDC(m_oBuild);
}

bool cSpriteBitmaps::CreateFromFile(const std::string& sSpriteBitmap, int32_t lXImageCount,
                                    int32_t lYImageCount, const std::string& sMaskBitmap,
                                    ColorRef lTransColor) {
  CleanUp();
  if (!mGDI::CreateDCFromFile(false, sSpriteBitmap, m_oSprite)) return false;
  const gdi::BitmapInfo udtBitmap = SheetSize();
  const bool bMask = sMaskBitmap.empty()
                         ? BuildMask(udtBitmap.bmWidth, udtBitmap.bmHeight, lTransColor)
                         : mGDI::CreateDCFromFile(true, sMaskBitmap, m_oMask);
  return bMask && FinishCreate(udtBitmap, lXImageCount, lYImageCount);
}

bool cSpriteBitmaps::CreateFromPicture(const cPicture* oPic, int32_t lXImageCount,
                                       int32_t lYImageCount, const cPicture* oMaskPic,
                                       ColorRef lTransColor) {
  CleanUp();
  if (!mGDI::CreateDCFromPicture(false, oPic, m_oSprite)) return false;
  const gdi::BitmapInfo udtBitmap = SheetSize();
  const bool bMask = oMaskPic == nullptr
                         ? BuildMask(udtBitmap.bmWidth, udtBitmap.bmHeight, lTransColor)
                         : mGDI::CreateDCFromPicture(true, oMaskPic, m_oMask);
  return bMask && FinishCreate(udtBitmap, lXImageCount, lYImageCount);
}

gdi::BitmapInfo cSpriteBitmaps::SheetSize() const {
  gdi::BitmapInfo udtBitmap{};
  gdi::GetObject(m_oSprite.Bitmap(), &udtBitmap);
  return udtBitmap;
}

// The cell grid and the build surface, once the sheet and its mask exist. The order of
// the steps decides what a zero count leaves behind: a zero column count stores nothing,
// a zero row count has stored both counts but no cell size.
bool cSpriteBitmaps::FinishCreate(const gdi::BitmapInfo& udtSheet, int32_t lXImageCount,
                                  int32_t lYImageCount) {
  const int32_t lCellWidth = mt::Div32(udtSheet.bmWidth, lXImageCount);
  m_lXImageCount = lXImageCount;
  m_lYImageCount = lYImageCount;
  const int32_t lCellHeight = mt::Div32(udtSheet.bmHeight, lYImageCount);
  m_lCellWidth = lCellWidth;
  m_lCellHeight = lCellHeight;
  return mGDI::CreateDCAtSize(false, m_oBuild, m_lCellWidth, m_lCellHeight);
}

bool cSpriteBitmaps::BuildMask(int32_t lWidth, int32_t lHeight, ColorRef lTransColor) {
  if (!mGDI::CreateDCAtSize(true, m_oMask, lWidth, lHeight)) return false;
  const Handle lMaskDC = m_oMask.hDC();
  const Handle lSpriteDC = m_oSprite.hDC();
  if (lTransColor == kWhite) {
    // The sheet's background colour is still white, so its white pixels convert to 1:
    // all-ones XOR that leaves 0 where transparent and 1 where opaque.
    gdi::BitBlt(lMaskDC, 0, 0, lWidth, lHeight, 0, 0, 0, gdi::WHITENESS);
    gdi::BitBlt(lMaskDC, 0, 0, lWidth, lHeight, lSpriteDC, 0, 0, gdi::SRCINVERT);
    return true;
  }
  mGDI::Surface oTemp;
  if (!mGDI::CreateDCAtSize(true, oTemp, lWidth, lHeight)) return false;
  const Handle lTempDC = oTemp.hDC();
  // Temp = 1 where the sheet has the transparent colour.
  const ColorRef lOldBk = gdi::SetBkColor(lSpriteDC, lTransColor);
  gdi::BitBlt(lTempDC, 0, 0, lWidth, lHeight, lSpriteDC, 0, 0, gdi::SRCCOPY);
  gdi::SetBkColor(lSpriteDC, lOldBk);
  // Whiten the transparent pixels of the sheet: a 1 bit converts to white.
  gdi::BitBlt(lSpriteDC, 0, 0, lWidth, lHeight, lTempDC, 0, 0, gdi::SRCPAINT);
  gdi::BitBlt(lMaskDC, 0, 0, lWidth, lHeight, 0, 0, 0, gdi::WHITENESS);
  gdi::BitBlt(lMaskDC, 0, 0, lWidth, lHeight, lTempDC, 0, 0, gdi::SRCINVERT);
  return true;
}

cSpriteBitmaps::Origin cSpriteBitmaps::CellOrigin(int32_t lCell) const {
  const int32_t lIndex = mt::Sub32(lCell, 1);
  Origin o;
  o.x = mt::Mul32(mt::Mod32(lIndex, m_lXImageCount), m_lCellWidth);
  o.y = mt::Mul32(mt::Div32(lIndex, m_lXImageCount), m_lCellHeight);
  return o;
}

void cSpriteBitmaps::TransparentDraw(Handle hDCDest, int32_t lX, int32_t lY, int32_t lCell,
                                     bool bUseBuildDC) {
  const Origin src = CellOrigin(lCell);
  Handle lTargetDC = hDCDest;
  int32_t lTargetX = lX, lTargetY = lY;
  if (bUseBuildDC) {
    gdi::BitBlt(m_oBuild.hDC(), 0, 0, m_lCellWidth, m_lCellHeight, hDCDest, lX, lY, gdi::SRCCOPY);
    lTargetDC = m_oBuild.hDC();
    lTargetX = 0;
    lTargetY = 0;
  }
  // Opaque pixels turn white (mask, SRCPAINT), then take the sheet's colour (SRCAND);
  // transparent ones are left, since the mask is black and the sheet white there.
  gdi::BitBltMaskThenPicture(lTargetDC, lTargetX, lTargetY, m_lCellWidth, m_lCellHeight,
                             m_oMask.hDC(), m_oSprite.hDC(), src.x, src.y);
  if (bUseBuildDC) {
    gdi::BitBlt(hDCDest, lX, lY, m_lCellWidth, m_lCellHeight, m_oBuild.hDC(), 0, 0, gdi::SRCCOPY);
  }
}

void cSpriteBitmaps::TransparentDrawPart(Handle hDCDest, int32_t lX, int32_t lY, int32_t lCell,
                                         int32_t lPartX, int32_t lPartY, int32_t lPartWidth,
                                         int32_t lPartHeight) {
  const Origin src = CellOrigin(lCell);
  const auto part = mt::Intersect({lPartX, lPartY, lPartWidth, lPartHeight},
                                  {lX, lY, m_lCellWidth, m_lCellHeight});
  if (!part) return;
  // The part's place in the cell, in 64 bits: positions come from the scene unchecked.
  gdi::BitBltMaskThenPicture(hDCDest, part->x, part->y, part->width, part->height, m_oMask.hDC(),
                             m_oSprite.hDC(), static_cast<int32_t>(src.x + (int64_t{part->x} - lX)),
                             static_cast<int32_t>(src.y + (int64_t{part->y} - lY)));
}

void cSpriteBitmaps::DirectBltSprite(Handle lHDC, int32_t lX, int32_t lY, int32_t lCell) {
  const Origin src = CellOrigin(lCell);
  gdi::BitBlt(lHDC, lX, lY, m_lCellWidth, m_lCellHeight, m_oSprite.hDC(), src.x, src.y,
              gdi::SRCCOPY);
}
