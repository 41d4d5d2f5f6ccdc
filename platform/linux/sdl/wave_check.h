#pragma once
// The check a sound file passes before the sound library sees it: a RIFF WAVE file of
// uncompressed PCM whose format and data chunks lie wholly inside it. Internal to
// platform/linux; no SDL here, so the check can be tested and fuzzed alone.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform::detail {

// Largest sound file we read: minutes of CD-quality audio, far beyond any shipped sound.
constexpr size_t kMaxSoundFileBytes = 32 * 1024 * 1024;

bool IsPcmWave(const std::vector<uint8_t>& bytes);

}  // namespace platform::detail
