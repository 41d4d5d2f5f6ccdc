// frmPreview: the holder of the preview picture. It is loaded, never shown; its picture box
// keeps the picture on a memory surface of its own, from which the host copies it into the
// preview window.
#include "saver/windows/frmPreview.h"

#include "common/layout.h"
#include "platform/foreign_window.h"
#include "platform/gdi.h"
#include "saver/graphics/mGDI.h"
#include "saver/host/mScreenSaver.h"
#include "saver/windows/layouts/layouts.h"

namespace mt::windows {
namespace {

namespace gdi = platform::gdi;

class FrmPreview final : public mt::host::PreviewForm {
 public:
  void Load() override {
    if (box_.hDC() != 0) return;
    const mt::layout::Control& box = *frmPreviewLayout().Find("Picture1");
    const int32_t width = box.width / mt::layout::kUnitsPerPixelAt96Dpi;
    const int32_t height = box.height / mt::layout::kUnitsPerPixelAt96Dpi;

    // The box's surface in the screen's format, in the window background's white, with the
    // picture drawn at its top-left corner. A missing picture leaves the box white.
    mGDI::CreateDCAtSize(false, box_, width, height);
    gdi::BitBlt(box_.hDC(), 0, 0, width, height, 0, 0, 0, gdi::WHITENESS);
    mGDI::Surface picture;
    if (mGDI::CreateDCFromFile(
            false, mScreenSaver::JoinProgramPath(mScreenSaver::AssetFolderPath(), box.picture),
            picture)) {
      gdi::BitBlt(box_.hDC(), 0, 0, width, height, picture.hDC(), 0, 0, gdi::SRCCOPY);
    }

    // This form is loaded only to be painted into someone else's window, which the host
    // names by handle next.
    platform::EnableForeignWindowDCs();
  }

  void Show() override {}  // never shown

  void Unload() override { mGDI::DestroyDC(box_); }

  uint32_t hWnd() override { return 0; }
  gdi::Handle Picture1DC() override { return box_.hDC(); }

 private:
  mGDI::Surface box_;
};

}  // namespace

std::unique_ptr<mt::host::PreviewForm> CreateFrmPreview() {
  return std::make_unique<FrmPreview>();
}

}  // namespace mt::windows
