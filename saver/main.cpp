// The screen-saver program's entry: create the three windows, hand them to the host.
#include <memory>

#include "platform/window.h"
#include "saver/host/mScreenSaver.h"
#include "saver/scene/frmSaver.h"
#include "saver/windows/frmPreview.h"
#include "saver/windows/frmSettings.h"

int main() {
  // Created in this order; none opens a window yet.
  std::unique_ptr<mt::host::Form> frmSaver = mt::scene::CreateFrmSaver();
  std::unique_ptr<mt::host::Form> frmSettings = mt::windows::CreateFrmSettings();
  std::unique_ptr<mt::host::PreviewForm> frmPreview = mt::windows::CreateFrmPreview();

  mMain::Main({frmSaver.get(), frmSettings.get(), frmPreview.get()});
  // A mode that opened a window lives on until that window ends the program.
  platform::RunUntilNoWindowOpen();
  return 0;
}
