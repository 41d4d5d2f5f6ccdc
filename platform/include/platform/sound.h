#pragma once
// Asynchronous sound, PlaySoundA-style. Linux: SDL2_mixer on one channel.
#include <cstdint>
#include <string>

namespace platform {

constexpr uint32_t SND_ASYNC = 0x1;
constexpr uint32_t SND_NODEFAULT = 0x2;
constexpr uint32_t SND_NOSTOP = 0x10;
constexpr uint32_t SND_FILENAME = 0x20000;

// Plays a file. Without SND_NOSTOP it interrupts whatever plays; with it, it is skipped
// while anything plays. A missing or unreadable file plays nothing and reports nothing.
// An empty path stops what plays.
void PlaySoundFile(const std::string& path, uint32_t flags);
void StopAllSound();
// waveOutGetNumDevs: 0 when no output device can be opened.
uint32_t CountSoundOutputDevices();

}  // namespace platform
