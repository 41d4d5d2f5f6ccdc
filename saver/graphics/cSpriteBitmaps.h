#pragma once
// A sprite sheet: a bitmap cut into a grid of equal cells, numbered from 1 row by row, with
// a mask of the same size (white where opaque, black where transparent) and a one-cell
// build surface. Transparent pixels of the sheet are white, so a cell is drawn as
// (destination OR mask) AND sheet. The scene loads from files with a transparent colour
// and draws without the build surface; pictures, mask files and DirectBltSprite belong to
// the toolkit's interface all the same.
#include <cstdint>
#include <string>

#include "platform/gdi.h"
#include "saver/graphics/mGDI.h"

class cPicture;

class cSpriteBitmaps {
 public:
  using Handle = platform::gdi::Handle;
  using ColorRef = platform::gdi::ColorRef;
  static constexpr ColorRef kWhite = 0x00FFFFFF;

  cSpriteBitmaps() = default;
  ~cSpriteBitmaps();
  cSpriteBitmaps(const cSpriteBitmaps&) = delete;
  cSpriteBitmaps& operator=(const cSpriteBitmaps&) = delete;

  // Draws cell lCell with its top-left corner at (lX, lY). With bUseBuildDC the cell is
  // composed on the build surface and reaches hDCDest in one transfer. Throws mt::Error:
  // DivisionByZero when the sheet was never created, Overflow for an absurd cell number.
  void TransparentDraw(Handle hDCDest, int32_t lX, int32_t lY, int32_t lCell,
                       bool bUseBuildDC = true);
  // Draws only the part of that cell that falls in the rectangle (lPartX, lPartY, lPartWidth,
  // lPartHeight) of hDCDest, straight onto it: the pixels there come out as TransparentDraw
  // gives them, and nothing outside is touched.
  void TransparentDrawPart(Handle hDCDest, int32_t lX, int32_t lY, int32_t lCell, int32_t lPartX,
                           int32_t lPartY, int32_t lPartWidth, int32_t lPartHeight);

  // False when a file or surface cannot be made. Throws mt::Error (DivisionByZero) for a
  // zero cell count. The mask is built from lTransColor unless a mask is given, in which
  // case the sheet is used as it is.
  bool CreateFromPicture(const cPicture* oPic, int32_t lXImageCount, int32_t lYImageCount,
                         const cPicture* oMaskPic = nullptr, ColorRef lTransColor = kWhite);
  bool CreateFromFile(const std::string& sSpriteBitmap, int32_t lXImageCount, int32_t lYImageCount,
                      const std::string& sMaskBitmap = "", ColorRef lTransColor = kWhite);

  int32_t CellWidth() const { return m_lCellWidth; }
  int32_t CellHeight() const { return m_lCellHeight; }

  // Copies cell lCell opaquely (transparent pixels show white, or as a mask-file sheet
  // has them).
  void DirectBltSprite(Handle lHDC, int32_t lX, int32_t lY, int32_t lCell);

 private:
  platform::gdi::BitmapInfo SheetSize() const;
  bool FinishCreate(const platform::gdi::BitmapInfo& udtSheet, int32_t lXImageCount,
                    int32_t lYImageCount);
  bool BuildMask(int32_t lWidth, int32_t lHeight, ColorRef lTransColor);
  struct Origin {
    int32_t x = 0, y = 0;
  };
  Origin CellOrigin(int32_t lCell) const;
  void CleanUp();

  mGDI::Surface m_oSprite;  // the whole sheet, in colour
  mGDI::Surface m_oMask;    // the same size, white where opaque
  mGDI::Surface m_oBuild;   // one cell, to compose a draw in one transfer
  int32_t m_lCellWidth = 0;
  int32_t m_lCellHeight = 0;
  int32_t m_lXImageCount = 0;
  int32_t m_lYImageCount = 0;
};
