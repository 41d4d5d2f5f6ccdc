#pragma once
// The one seam between the program and the services a test must control: the tick count,
// message processing and waiting, the end of the process, random numbers, message boxes,
// starting programs and opening documents, the online state, sound, and the screen-saver
// state of the platform. The program reaches them only through Services(); unit tests
// install a fake that records the calls. The drawing interface (gdi.h) is never faked.
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// PlaySound flags, as the Win32 API numbers them.
constexpr uint32_t SND_ASYNC = 0x1;
constexpr uint32_t SND_NODEFAULT = 0x2;
constexpr uint32_t SND_NOSTOP = 0x10;
constexpr uint32_t SND_FILENAME = 0x20000;

// Predefined registry root keys and value types, as the Win32 API numbers them.
constexpr uint32_t HKEY_CLASSES_ROOT = 0x80000000;
constexpr uint32_t HKEY_CURRENT_USER = 0x80000001;
constexpr uint32_t HKEY_LOCAL_MACHINE = 0x80000002;
constexpr uint32_t HKEY_USERS = 0x80000003;
constexpr uint32_t HKEY_PERFORMANCE_DATA = 0x80000004;
constexpr uint32_t HKEY_CURRENT_CONFIG = 0x80000005;
constexpr uint32_t HKEY_DYN_DATA = 0x80000006;
constexpr uint32_t REG_SZ = 1;
constexpr uint32_t REG_DWORD = 4;

struct RegistryValue {
  uint32_t type = 0;
  std::vector<uint8_t> data;  // as stored, at most the buffer's 255 bytes
};

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
  // Starts the program at an absolute path, detached, with no arguments; does not wait.
  // False when it could not be started (missing, not executable).
  virtual bool StartProgram(const std::string& path) = 0;
  // ShellExecuteA(no owner, no verb, target, ..., SW_SHOWNORMAL): above 32 on success.
  virtual int32_t OpenDocument(const std::string& target) = 0;
  // InternetGetConnectedState.
  virtual bool IsOnline() = 0;

  // Sound, PlaySoundA-style. Without SND_NOSTOP a sound interrupts whatever plays; with it,
  // it is skipped while anything plays. A missing or unreadable file plays nothing and
  // reports nothing; an empty path stops what plays.
  virtual void PlaySound(const std::string& path, uint32_t flags) = 0;
  virtual void StopSound() = 0;
  // waveOutGetNumDevs: 0 when no output device can be opened.
  virtual uint32_t SoundDeviceCount() = 0;
  // Nothing will play for a while: a device that the count left open may be closed, so
  // that it streams no silence. The next sound opens it again.
  virtual void ReleaseSoundDevice() = 0;

  // The platform's screen-saver state.
  virtual int32_t PlatformId() = 0;
  // RegOpenKeyExA + RegQueryValueExA (buffer of 255 bytes) + RegCloseKey. False on any
  // failure; a platform without a registry always fails.
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

}  // namespace platform
