#pragma once
// Fills a rectangle with copies of one bitmap laid edge to edge from the top-left corner.
// The render target is the window it can tile in one call. The scene tiles its stage with
// TileDC; TileObject and Picture belong to the toolkit's interface all the same.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/gdi.h"
#include "saver/graphics/ScreenMetrics.h"

class cBitmap;
class cPicture;

// What TileObject needs of a window: its inner size in layout units and its DC.
class cRenderTarget {
 public:
  virtual ~cRenderTarget() = default;
  virtual double ScaleWidth() = 0;
  virtual double ScaleHeight() = 0;
  virtual platform::gdi::Handle hDC() = 0;
};

// Any object with ScaleWidth, ScaleHeight and hDC serves as a render target; the object
// must outlive the adapter.
template <class T>
class cRenderTargetOf : public cRenderTarget {
 public:
  explicit cRenderTargetOf(T& oTarget) : m_oTarget(oTarget) {}
  double ScaleWidth() override { return m_oTarget.ScaleWidth(); }
  double ScaleHeight() override { return m_oTarget.ScaleHeight(); }
  platform::gdi::Handle hDC() override { return m_oTarget.hDC(); }

 private:
  T& m_oTarget;
};

class cTile {
 public:
  using Handle = platform::gdi::Handle;

  // The layout units per pixel come from oScreen (only its units-per-pixel fields count).
  explicit cTile(const ScreenMetrics& oScreen = ScreenMetrics::FromPlatform());
  ~cTile();
  cTile(const cTile&) = delete;
  cTile& operator=(const cTile&) = delete;

  // Tiles the whole render target. Throws mt::Error (MissingObject) without one.
  void TileObject();
  // Tiles (0, 0) to (lWidth, lHeight) of lHDC, both bounds inclusive, so the last column
  // and row usually stick out and are clipped. Throws mt::Error: MissingObject after the
  // tile was cleared, Overflow when a step leaves the 32-bit range.
  void TileDC(Handle lHDC, int32_t lWidth, int32_t lHeight);
  // Lays the tile over one rectangle of lHDC only, exactly as TileDC lays it there: what
  // a sprite's saved background holds when it was saved on a freshly tiled stage. Nothing
  // left of or above (0, 0) is drawn, as TileDC draws nothing there either.
  void TileRect(Handle lHDC, int32_t lX, int32_t lY, int32_t lWidth, int32_t lHeight);
  // Loads the tile from a file, unless it is the name already loaded; the empty name
  // clears everything. Needs the render target set first.
  void Filename(const std::string& sFilename);
  // Replaces the tile by a copy of the picture; clears the name and the render target.
  void Picture(const cPicture* oPic);
  void Initialise(std::shared_ptr<cRenderTarget> objRender);

  const std::string& Filename() const { return m_sFilename; }

 private:
  bool CheckInitialised() const;
  void CleanUp();

  std::string m_sFilename;
  std::shared_ptr<cBitmap> m_cBitmap;
  std::shared_ptr<cRenderTarget> m_objRender;
  ScreenMetrics m_oScreen;
};
