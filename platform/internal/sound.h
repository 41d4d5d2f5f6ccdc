#pragma once
// The back end of ServiceProvider's sound calls, one per platform: SDL2_mixer on one
// channel (Linux), winmm (Windows).
#include <cstdint>
#include <string>

namespace platform {

void PlaySoundFile(const std::string& path, uint32_t flags);
void StopAllSound();
uint32_t CountSoundOutputDevices();
void ReleaseSoundOutput();

}  // namespace platform
