// Preview mode: one still picture copied into the host's preview window, then the end.
#include "platform/gdi.h"
#include "platform/services.h"
#include "saver/host/mScreenSaver.h"
#include "saver/windows/layouts/layouts.h"

namespace mScreenSaver {

void ShowPreview() {
  auto& s = State();
  auto& services = platform::Services();
  s.forms.frmPreview->Load();
  for (int i = 1; i <= 200; ++i) services.ProcessMessages();
  // The switch and one separator are dropped: "/p 1234" and "/P:1234" both name 1234.
  const int32_t handle = ReadHandleArgument(s.raw_command_line, 3);
  const auto window = static_cast<platform::gdi::Handle>(handle);
  platform::gdi::Handle dc = platform::gdi::GetDC(window);
  platform::gdi::BitBlt(dc, 0, 0, mt::windows::kPreviewBlockWidth, mt::windows::kPreviewBlockHeight,
                        s.forms.frmPreview->Picture1DC(), 0, 0, platform::gdi::SRCCOPY);
  platform::gdi::ReleaseDC(window, dc);
  for (int i = 1; i <= 200; ++i) services.ProcessMessages();
  services.EndProcess(0);
}

}  // namespace mScreenSaver
