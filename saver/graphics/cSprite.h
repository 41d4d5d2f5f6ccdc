#pragma once
// One movable picture of the scene. Per frame, on the stage: RestoreBackground, move,
// StoreBackground at the new place, TransparentDraw there, and after all sprites
// StageToScreen, which copies only the area the sprite changed: one rectangle covering
// the old and new place for moves of up to 24 pixels, else the two places separately.
// PreviousX, PreviousY and the Delta pair belong to the interface; the scene reads none.
#include <cstdint>
#include <memory>

#include "platform/gdi.h"
#include "saver/graphics/ScreenMetrics.h"
#include "saver/graphics/mGDI.h"

class cSpriteBitmaps;

class cSprite {
 public:
  using Handle = platform::gdi::Handle;

  // The drawn and previous positions start off the screen, at minus its size in pixels.
  // Throws mt::Error (DivisionByZero, Overflow) for metrics that give no pixel size.
  explicit cSprite(const ScreenMetrics& oScreen = ScreenMetrics::FromPlatform());
  ~cSprite();
  cSprite(const cSprite&) = delete;
  cSprite& operator=(const cSprite&) = delete;

  int32_t XDir() const { return m_lXDir; }
  void XDir(int32_t lXDir) { m_lXDir = lXDir; }
  int32_t YDir() const { return m_lYDir; }
  void YDir(int32_t lYDir) { m_lYDir = lYDir; }
  // Adds the step to the position; Overflow leaves X already moved when Y fails.
  void IncrementPosition();
  bool Active() const { return m_bActive; }
  void Active(bool bActive) { m_bActive = bActive; }
  int32_t X() const { return m_lX; }
  void X(int32_t lX) { m_lX = lX; }
  int32_t Y() const { return m_lY; }
  void Y(int32_t lY) { m_lY = lY; }

  // Copies the changed area from the stage to the screen, same coordinates on both sides.
  void StageToScreen(Handle lHDC, Handle lStageHDC);

  int32_t Cell() const { return m_lCell; }
  void Cell(int32_t iCell) { m_lCell = iCell; }
  int32_t PreviousX() const { return m_lPreviousX; }
  int32_t PreviousY() const { return m_lPreviousY; }
  // True when the last two draws lie more than 24 pixels apart (|dx| + |dy|).
  bool BltInTwo() const;
  int32_t Width() const { return m_lWidth; }
  int32_t Height() const { return m_lHeight; }

  // Saves the sprite-sized area of hDC at (lX, lY); RestoreBackground puts it back there.
  void StoreBackground(Handle hDC, int32_t lX, int32_t lY);
  // Draws the current sheet's cell lCell at (lX, lY) and records that place. Throws
  // mt::Error (MissingObject) without a sheet.
  void TransparentDraw(Handle hDC, int32_t lX, int32_t lY, int32_t lCell, bool bUseBuildDC = true);
  // Draws the current cell where the sprite stands, only inside the given rectangle of hDC;
  // records no draw (for a sprite already drawn there whole). Throws as TransparentDraw.
  void TransparentDrawPart(Handle hDC, int32_t lPartX, int32_t lPartY, int32_t lPartWidth,
                           int32_t lPartHeight);
  // Makes the saved-background buffer at the sheet's cell size, always in the screen's
  // format. Throws mt::Error (MissingObject) without a sheet.
  void Create();
  // Puts the saved area back where it was saved; nothing before the first save.
  void RestoreBackground(Handle hDC);
  void SpriteData(std::shared_ptr<cSpriteBitmaps> cSpriteData);

  // The last movement StageToScreen worked out for one rectangle.
  int32_t DeltaX() const { return m_lDelta[0]; }
  int32_t DeltaY() const { return m_lDelta[1]; }

 private:
  void CleanUp();

  mGDI::Surface m_oBack;  // the saved background
  std::shared_ptr<cSpriteBitmaps> m_cSpriteData;
  int32_t m_lCell = 0;
  int32_t m_lX = 0, m_lY = 0;
  int32_t m_lDrawX = 0, m_lDrawY = 0;
  int32_t m_lPreviousX = 0, m_lPreviousY = 0;
  int32_t m_lWidth = 0, m_lHeight = 0;
  bool m_bBackgroundStored = false;
  bool m_bActive = false;
  int32_t m_lXDir = 0, m_lYDir = 0;
  int32_t m_lDelta[2] = {0, 0};
  // Where the buffer's area came from, so that it goes back to the same place even when
  // the sprite was last drawn elsewhere.
  int32_t m_lStoredX = 0, m_lStoredY = 0;
};
