#pragma once
// The Windows sound back end behind ServiceProvider's sound calls: winmm.
#include <cstdint>
#include <string>

namespace platform {

void PlaySoundFile(const std::string& path, uint32_t flags);
void StopAllSound();
uint32_t CountSoundOutputDevices();

}  // namespace platform
