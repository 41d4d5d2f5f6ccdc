// Any bytes as a sound file: what our check lets through, SDL's WAV reader loads without
// fault, which is all the mixer is ever handed.
#include <SDL.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "sdl/wave_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<uint8_t> bytes(data, data + size);
  if (!platform::detail::IsPcmWave(bytes)) return 0;
  SDL_AudioSpec spec;
  Uint8* buffer = nullptr;
  Uint32 length = 0;
  SDL_RWops* rw = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
  if (SDL_LoadWAV_RW(rw, 1, &spec, &buffer, &length) != nullptr) SDL_FreeWAV(buffer);
  return 0;
}
