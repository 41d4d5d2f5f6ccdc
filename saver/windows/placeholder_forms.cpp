// Placeholder until the configuration dialog lands.
#include <cstdio>

#include "platform/services.h"
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
}  // namespace

std::unique_ptr<mt::host::Form> CreateFrmSettings() { return std::make_unique<PendingSettings>(); }
}  // namespace mt::windows
