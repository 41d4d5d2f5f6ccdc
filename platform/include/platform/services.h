#pragma once
// The one seam between the program and the services a test must control: the tick count,
// message processing and waiting, the end of the process, random numbers, message boxes,
// starting programs and opening documents, the online state, sound, and the screen-saver
// state of the platform. The program reaches them only through Services(); unit tests
// install a fake that records the calls. The drawing interface (gdi.h) is never faked.
#include <cstdint>
#include <string>

#include "platform/registry.h"

namespace platform {

enum class MessageIcon { NoIcon, Warning };

class ServiceProvider {
 public:
  virtual ~ServiceProvider() = default;

  // Time and the message loop.
  virtual uint32_t TickCount() = 0;
  // Handles every pending window message (events, timers), then returns.
  virtual void ProcessMessages() = 0;
  // Blocks until a message arrives, a timer is due or the tick deadline has come,
  // whichever is first. Returns at once when the deadline has passed.
  virtual void WaitForMessages(uint32_t deadline_tick) = 0;
  [[noreturn]] virtual void EndProcess(int status) = 0;

  // Random numbers: uniform in [0, 1); seeded from a fine-grained clock by Randomize.
  virtual double Random() = 0;
  virtual void Randomize() = 0;

  // A modal message box with one OK button.
  virtual void MessageBox(const std::string& text, const std::string& caption,
                          MessageIcon icon) = 0;

  // Programs, documents, network.
  virtual bool StartProgram(const std::string& path) = 0;
  virtual int32_t OpenDocument(const std::string& target) = 0;
  virtual bool IsOnline() = 0;

  // Sound.
  virtual void PlaySound(const std::string& path, uint32_t flags) = 0;
  virtual void StopSound() = 0;
  virtual uint32_t SoundDeviceCount() = 0;

  // The platform's screen-saver state.
  virtual int32_t PlatformId() = 0;
  virtual bool ReadRegistry(uint32_t root, const std::string& sub_key, const std::string& name,
                            RegistryValue* value) = 0;
  virtual void SetScreenSaverRunning(bool running) = 0;
  virtual void SetTopmost(uint32_t window, bool topmost) = 0;
  virtual void ShowTaskbar(bool show) = 0;
  virtual bool VerifyPassword(uint32_t window) = 0;
  virtual void ChangePassword(uint32_t parent_window) = 0;
};

// The installed provider; the real platform's unless a test installed another.
ServiceProvider& Services();
// Installs a provider (not owned); nullptr puts the real one back.
void InstallServices(ServiceProvider* provider);

// The real platform's provider, for fakes that pass some calls through.
ServiceProvider& RealServices();

}  // namespace platform
