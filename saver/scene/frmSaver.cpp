// Placeholder until the scene lands: the run mode says so and ends.
#include "saver/scene/frmSaver.h"

#include <cstdio>

#include "platform/services.h"

namespace mt::scene {
namespace {
class PendingSaver final : public mt::host::Form {
 public:
  void Load() override {
    std::fprintf(stderr, "The full-screen scene is not built yet.\n");
    platform::Services().EndProcess(1);
  }
  void Show() override {}
  void Unload() override {}
  uint32_t hWnd() override { return 0; }
};
}  // namespace

std::unique_ptr<mt::host::Form> CreateFrmSaver() { return std::make_unique<PendingSaver>(); }
}  // namespace mt::scene
