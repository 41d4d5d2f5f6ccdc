// Sound with winmm's PlaySoundA, which already has the behaviour the program relies on:
// one sound at a time per process, SND_NOSTOP yields to what plays.
#include "win32_api.h"

namespace platform {

void PlaySoundFile(const std::string& path, uint32_t flags) {
  if (path.empty()) {
    ::PlaySoundA(nullptr, nullptr, 0);
    return;
  }
  ::PlaySoundA(path.c_str(), nullptr, flags);
}

void StopAllSound() {
  ::PlaySoundA(nullptr, nullptr, 0);
}

uint32_t CountSoundOutputDevices() {
  return ::waveOutGetNumDevs();
}

// Counting opens nothing here, and PlaySoundA holds a device only while it plays.
void ReleaseSoundOutput() {}

}  // namespace platform
