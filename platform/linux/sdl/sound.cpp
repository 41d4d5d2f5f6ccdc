// PlaySoundA-style sound on SDL2_mixer: one channel, so a new sound either interrupts the
// one that plays or, with SND_NOSTOP, yields to it.
#include "internal/sound.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <map>
#include <vector>

#include "core/file_read.h"
#include "core/message_pump.h"
#include "platform/services.h"
#include "sdl/wave_check.h"

namespace platform {
namespace {

struct Mixer {
  bool tried = false;
  bool open = false;
  std::map<std::string, Mix_Chunk*> chunks;  // loaded once per path, kept until exit
};

Mixer& TheMixer() {
  static Mixer mixer;
  return mixer;
}

void CloseAudio() {
  Mixer& m = TheMixer();
  if (!m.open) return;
  Mix_HaltChannel(-1);
  for (auto& [path, chunk] : m.chunks) Mix_FreeChunk(chunk);
  m.chunks.clear();
  // Closing joins the audio thread, so the disk driver's file is complete when we end.
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  m.open = false;
}

// Opens the output device once. No device (no sound card, no server) leaves it closed.
bool EnsureOpen() {
  Mixer& m = TheMixer();
  if (m.tried) return m.open;
  m.tried = true;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  if (Mix_OpenAudio(MIX_DEFAULT_FREQUENCY, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  Mix_AllocateChannels(1);
  m.open = true;
  detail::AddExitHook(CloseAudio);
  return true;
}

Mix_Chunk* Chunk(const std::string& path) {
  Mixer& m = TheMixer();
  if (auto it = m.chunks.find(path); it != m.chunks.end()) return it->second;
  // The mixer only ever sees bytes we read and checked: a pipe, a device or a file of the
  // wrong kind in a sound's place plays nothing, and never blocks or fills memory.
  std::vector<uint8_t> bytes;
  if (detail::ReadRegularFile(path, detail::kMaxSoundFileBytes, bytes) != detail::FileRead::Ok ||
      !detail::IsPcmWave(bytes)) {
    return nullptr;  // tried again next time: the file may be mended later
  }
  SDL_RWops* rw = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
  Mix_Chunk* chunk = rw ? Mix_LoadWAV_RW(rw, 1) : nullptr;
  if (chunk) m.chunks.emplace(path, chunk);
  return chunk;
}

}  // namespace

void PlaySoundFile(const std::string& path, uint32_t flags) {
  if (!EnsureOpen()) return;
  if (path.empty()) {
    Mix_HaltChannel(0);
    return;
  }
  if ((flags & SND_NOSTOP) && Mix_Playing(0)) return;
  // Like the platform call it stands for, a sound without SND_NOSTOP stops the current
  // one first, even when its own file turns out to be missing.
  Mix_HaltChannel(0);
  if (Mix_Chunk* chunk = Chunk(path)) Mix_PlayChannel(0, chunk, 0);
}

void StopAllSound() {
  if (TheMixer().open) Mix_HaltChannel(-1);
}

uint32_t CountSoundOutputDevices() {
  return EnsureOpen() ? 1u : 0u;
}

void ReleaseSoundOutput() {
  CloseAudio();
  TheMixer().tried = false;  // the next sound opens the device again
}

}  // namespace platform
