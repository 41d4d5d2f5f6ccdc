// Placeholder until the SDL2_mixer back end lands: no output device, nothing plays.
#include "platform/sound.h"

namespace platform {
void PlaySoundFile(const std::string&, uint32_t) {}
void StopAllSound() {}
uint32_t CountSoundOutputDevices() { return 0; }
}  // namespace platform
