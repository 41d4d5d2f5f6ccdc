// Placeholders until the configuration dialog and the preview holder land.
#include <cstdio>

#include "platform/services.h"
#include "saver/windows/frmPreview.h"
#include "saver/windows/frmSettings.h"

namespace mt::windows {
namespace {
class PendingSettings final : public mt::host::Form {
 public:
  void Load() override {
    std::fprintf(stderr, "The configuration dialog is not built yet.\n");
    platform::Services().EndProcess(1);
  }
  void Show() override {}
  void Unload() override {}
  uint32_t hWnd() override { return 0; }
};
class PendingPreview final : public mt::host::PreviewForm {
 public:
  void Load() override {}
  void Show() override {}
  void Unload() override {}
  uint32_t hWnd() override { return 0; }
  platform::gdi::Handle Picture1DC() override { return 0; }
};
}  // namespace

std::unique_ptr<mt::host::Form> CreateFrmSettings() { return std::make_unique<PendingSettings>(); }
std::unique_ptr<mt::host::PreviewForm> CreateFrmPreview() {
  return std::make_unique<PendingPreview>();
}
}  // namespace mt::windows
