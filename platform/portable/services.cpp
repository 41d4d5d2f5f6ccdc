// The real platform behind the test seam.
#include "platform/services.h"

#include <chrono>
#include <cstdlib>
#include <random>

#include "internal/message_loop.h"
#include "internal/registry.h"
#include "internal/shell.h"
#include "internal/sound.h"
#include "platform/system.h"
#include "platform/window.h"

namespace platform {
namespace {

class RealProvider final : public ServiceProvider {
 public:
  uint32_t TickCount() override { return TickCountMs(); }
  void ProcessMessages() override { detail::PumpMessages(); }
  void WaitForMessages(uint32_t deadline_tick) override {
    detail::WaitForMessagesUntil(deadline_tick);
  }
  [[noreturn]] void EndProcess(int status) override { EndProcessNow(status); }

  double Random() override { return std::uniform_real_distribution<double>(0.0, 1.0)(engine_); }
  void Randomize() override {
    // MARROWTIDE_RANDOM_SEED gives repeatable runs for tests and benchmarks; otherwise the
    // monotonic clock (nanoseconds on Linux, the performance counter on Windows),
    // fine-grained enough that re-seeding never repeats a sequence.
    if (const char* fixed = std::getenv("MARROWTIDE_RANDOM_SEED"); fixed && *fixed) {
      engine_.seed(std::strtoull(fixed, nullptr, 10) + reseeds_++);
      return;
    }
    auto now = std::chrono::steady_clock::now().time_since_epoch();
    engine_.seed(
        static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
  }

  void MessageBox(const std::string& text, const std::string& caption, MessageIcon icon) override {
    ShowMessageBox(text, caption, icon == MessageIcon::Warning);
  }

  bool StartProgram(const std::string& path) override { return StartDetached(path); }
  int32_t OpenDocument(const std::string& target) override { return ShellOpen(target); }
  bool IsOnline() override { return InternetConnected(); }

  void PlaySound(const std::string& path, uint32_t flags) override { PlaySoundFile(path, flags); }
  void StopSound() override { StopAllSound(); }
  void ReleaseSoundDevice() override { ReleaseSoundOutput(); }
  uint32_t SoundDeviceCount() override { return CountSoundOutputDevices(); }

  int32_t PlatformId() override { return platform::PlatformId(); }
  bool ReadRegistry(uint32_t root, const std::string& sub_key, const std::string& name,
                    RegistryValue* value) override {
    return ReadRegistryValue(root, sub_key, name, value);
  }
  void SetScreenSaverRunning(bool running) override { platform::SetScreenSaverRunning(running); }
  void SetTopmost(uint32_t window, bool topmost) override { SetWindowTopmost(window, topmost); }
  void ShowTaskbar(bool show) override { platform::ShowTaskbar(show); }
  bool VerifyPassword(uint32_t window) override { return VerifyScreenSaverPassword(window); }
  void ChangePassword(uint32_t parent) override { ChangeScreenSaverPassword(parent); }

 private:
  std::mt19937_64 engine_{12345};
  uint64_t reseeds_ = 0;
};

ServiceProvider* installed = nullptr;

ServiceProvider& RealServices() {
  static RealProvider real;
  return real;
}

}  // namespace

ServiceProvider& Services() {
  return installed ? *installed : RealServices();
}

void InstallServices(ServiceProvider* provider) {
  installed = provider;
}

}  // namespace platform
