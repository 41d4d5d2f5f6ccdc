// Message boxes with user32: above every window, the saver's top-most one included.
#include "win32_api.h"

namespace platform {

void ShowMessageBox(const std::string& text, const std::string& caption, bool warning_icon) {
  ::MessageBoxA(nullptr, text.c_str(), caption.c_str(),
                MB_OK | MB_TOPMOST | MB_SETFOREGROUND | (warning_icon ? MB_ICONWARNING : 0u));
}

}  // namespace platform
