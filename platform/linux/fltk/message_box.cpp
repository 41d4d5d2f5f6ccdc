// Placeholder until the FLTK message box lands: the text goes to standard error.
#include <cstdio>

#include "platform/window.h"

namespace platform {
void ShowMessageBox(const std::string& text, const std::string& caption, bool) {
  std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
}
}  // namespace platform
