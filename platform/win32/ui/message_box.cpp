// The platform's own message box. Owned by our active window and top-most itself, it shows
// above the full-screen window of a run, which is top-most too.
#include "win32_api.h"

namespace platform {

void ShowMessageBox(const std::string& text, const std::string& caption, bool warning_icon) {
  HWND owner = ::GetActiveWindow();
  UINT flags = MB_OK | MB_TOPMOST | MB_SETFOREGROUND;
  if (warning_icon) flags |= MB_ICONWARNING;
  if (!owner) flags |= MB_TASKMODAL;
  ::MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
}

}  // namespace platform
