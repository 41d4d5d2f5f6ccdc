// frmPreview: the holder of the preview picture. It is loaded, never shown; its picture box
// keeps the picture on a memory surface of its own, from which the host copies it into the
// preview window.
#include "saver/windows/frmPreview.h"

#include "common/layout.h"
#include "platform/foreign_window.h"
#include "platform/gdi.h"
#include "saver/host/mScreenSaver.h"
#include "saver/windows/layouts.h"

namespace mt::windows {
namespace {

namespace gdi = platform::gdi;

class FrmPreview final : public mt::host::PreviewForm {
 public:
  ~FrmPreview() override { Unload(); }

  void Load() override {
    if (dc_ != 0) return;
    const mt::layout::Control& box = *frmPreviewLayout().Find("Picture1");
    const int32_t width = box.width / mt::layout::kUnitsPerPixelAt96Dpi;
    const int32_t height = box.height / mt::layout::kUnitsPerPixelAt96Dpi;

    // The box's surface in the screen's format, in the window background's white, with the
    // picture drawn at its top-left corner. A missing picture leaves the box white.
    const gdi::Handle screen = gdi::GetDC(0);
    dc_ = gdi::CreateCompatibleDC(screen);
    surface_ = gdi::CreateCompatibleBitmap(screen, width, height);
    gdi::ReleaseDC(0, screen);
    previous_ = gdi::SelectObject(dc_, surface_);
    gdi::BitBlt(dc_, 0, 0, width, height, 0, 0, 0, gdi::WHITENESS);

    const gdi::Handle picture = gdi::LoadBitmapFile(
        mScreenSaver::JoinProgramPath(mScreenSaver::AssetFolderPath(), box.picture));
    if (picture != 0) {
      const gdi::Handle picture_dc = gdi::CreateCompatibleDC(dc_);
      const gdi::Handle old = gdi::SelectObject(picture_dc, picture);
      gdi::BitBlt(dc_, 0, 0, width, height, picture_dc, 0, 0, gdi::SRCCOPY);
      gdi::SelectObject(picture_dc, old);
      gdi::DeleteDC(picture_dc);
      gdi::DeleteObject(picture);
    }

    // This form is loaded only to be painted into someone else's window, which the host
    // names by handle next.
    platform::EnableForeignWindowDCs();
  }

  void Show() override {}  // never shown

  void Unload() override {
    if (dc_ == 0) return;
    gdi::SelectObject(dc_, previous_);
    gdi::DeleteObject(surface_);
    gdi::DeleteDC(dc_);
    dc_ = surface_ = previous_ = 0;
  }

  uint32_t hWnd() override { return 0; }
  gdi::Handle Picture1DC() override { return dc_; }

 private:
  gdi::Handle dc_ = 0, surface_ = 0, previous_ = 0;
};

}  // namespace

std::unique_ptr<mt::host::PreviewForm> CreateFrmPreview() {
  return std::make_unique<FrmPreview>();
}

}  // namespace mt::windows
