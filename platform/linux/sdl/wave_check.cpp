#include "sdl/wave_check.h"

#include <cstring>

namespace platform::detail {
namespace {

uint16_t U16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | p[1] << 8);
}
uint32_t U32(const uint8_t* p) {
  return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kFormatExtensible = 0xFFFE;
// The sub-format GUID of PCM in an extensible format chunk, after its first two bytes.
constexpr uint8_t kPcmGuidTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                      0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

bool FormatSound(const uint8_t* fmt, uint32_t size) {
  if (size < 16) return false;
  uint16_t tag = U16(fmt);
  if (tag == kFormatExtensible) {
    if (size < 40 || U16(fmt + 16) < 22) return false;
    if (std::memcmp(fmt + 26, kPcmGuidTail, sizeof kPcmGuidTail) != 0) return false;
    tag = U16(fmt + 24);
  }
  if (tag != kFormatPcm) return false;
  const uint32_t channels = U16(fmt + 2);
  const uint32_t rate = U32(fmt + 4);
  const uint32_t byte_rate = U32(fmt + 8);
  const uint32_t block_align = U16(fmt + 12);
  const uint32_t bits = U16(fmt + 14);
  if (channels < 1 || channels > 8) return false;
  if (rate < 1000 || rate > 384000) return false;
  if (bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
  if (block_align != channels * bits / 8) return false;
  return byte_rate == rate * block_align;
}

}  // namespace

bool IsPcmWave(const std::vector<uint8_t>& bytes) {
  const size_t size = bytes.size();
  if (size < 12 || size > kMaxSoundFileBytes) return false;
  const uint8_t* b = bytes.data();
  if (std::memcmp(b, "RIFF", 4) != 0 || std::memcmp(b + 8, "WAVE", 4) != 0) return false;

  // Chunks follow one another, each padded to an even length; the format chunk must come
  // before the data chunk, and both must end inside the file.
  bool format_seen = false;
  size_t at = 12;
  while (size - at >= 8) {
    const uint8_t* chunk = b + at;
    const uint32_t length = U32(chunk + 4);
    if (length > size - at - 8) return false;
    if (std::memcmp(chunk, "fmt ", 4) == 0) {
      if (format_seen || !FormatSound(chunk + 8, length)) return false;
      format_seen = true;
    } else if (std::memcmp(chunk, "data", 4) == 0) {
      return format_seen;
    }
    at += 8 + size_t{length} + (length & 1);
    if (at > size) return false;
  }
  return false;
}

}  // namespace platform::detail
