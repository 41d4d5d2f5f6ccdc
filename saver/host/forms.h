#pragma once
// The host's view of the program's three windows. The host starts and ends modes through
// these; the windows themselves live in saver/scene and saver/windows, and the program's
// entry wires them in, so the host depends on nothing above it.
#include <cstdint>

#include "platform/gdi.h"

namespace mt::host {

class Form {
 public:
  virtual ~Form() = default;
  // Builds the window from its stored layout and runs its load handler.
  virtual void Load() = 0;
  // Shows the loaded window modeless; returns at once.
  virtual void Show() = 0;
  // Runs the unload handler and closes the window.
  virtual void Unload() = 0;
  virtual uint32_t hWnd() = 0;
};

// frmPreview: loaded, never shown; its picture box keeps the preview picture on its own
// drawing surface.
class PreviewForm : public Form {
 public:
  virtual platform::gdi::Handle Picture1DC() = 0;
};

struct Forms {
  Form* frmSaver = nullptr;
  Form* frmSettings = nullptr;
  PreviewForm* frmPreview = nullptr;
};

}  // namespace mt::host
