#include "portable/text_encoding.h"

#include <cstdint>

namespace platform {
namespace {

constexpr char kUtf8Mark[] = "\xEF\xBB\xBF";

bool StartsWith(const std::string& s, const char* prefix, size_t n) {
  return s.size() >= n && s.compare(0, n, prefix, n) == 0;
}

void AppendUtf8(std::string& out, uint32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | c >> 6);
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {  // lone surrogates too, so that they survive the round trip
    out += static_cast<char>(0xE0 | c >> 12);
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | c >> 18);
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// The next code point of UTF-8 text (surrogates in their three-byte form accepted);
// U+FFFD and one byte for anything malformed.
uint32_t NextCodePoint(const std::string& s, size_t& at) {
  const auto byte = [&](size_t i) { return static_cast<uint8_t>(s[i]); };
  const uint8_t lead = byte(at);
  size_t length = 0;
  uint32_t c = 0, minimum = 0;
  if (lead < 0x80) {
    ++at;
    return lead;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2, c = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, c = lead & 0x0F, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, c = lead & 0x07, minimum = 0x10000;
  } else {
    ++at;
    return 0xFFFD;
  }
  if (s.size() - at < length) {
    ++at;
    return 0xFFFD;
  }
  for (size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) {
      ++at;
      return 0xFFFD;
    }
    c = c << 6 | (byte(at + i) & 0x3F);
  }
  if (c < minimum || c > 0x10FFFF) {
    ++at;
    return 0xFFFD;
  }
  at += length;
  return c;
}

void AppendUnit(std::string& out, uint32_t unit, bool big_endian) {
  const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
  out += big_endian ? high : low;
  out += big_endian ? low : high;
}

}  // namespace

DecodedText DecodeText(const std::string& bytes) {
  DecodedText d;
  if (StartsWith(bytes, kUtf8Mark, 3)) {
    d.encoding = TextEncoding::Utf8Bom;
    d.text = bytes.substr(3);
    return d;
  }
  const bool le = StartsWith(bytes, "\xFF\xFE", 2), be = StartsWith(bytes, "\xFE\xFF", 2);
  if (!le && !be) {
    d.text = bytes;
    return d;
  }
  d.encoding = le ? TextEncoding::Utf16Le : TextEncoding::Utf16Be;
  const size_t units = (bytes.size() - 2) / 2;
  const auto unit = [&](size_t i) -> uint32_t {
    const auto a = static_cast<uint8_t>(bytes[2 + 2 * i]);
    const auto b = static_cast<uint8_t>(bytes[3 + 2 * i]);
    return le ? (uint32_t{b} << 8 | a) : (uint32_t{a} << 8 | b);
  };
  for (size_t i = 0; i < units; ++i) {
    uint32_t c = unit(i);
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < units) {
      const uint32_t next = unit(i + 1);
      if (next >= 0xDC00 && next < 0xE000) {
        c = 0x10000 + ((c - 0xD800) << 10) + (next - 0xDC00);
        ++i;
      }
    }
    AppendUtf8(d.text, c);
  }
  d.tail = bytes.substr(2 + 2 * units);
  return d;
}

std::string EncodeText(const DecodedText& d) {
  switch (d.encoding) {
    case TextEncoding::Plain:
      return d.text + d.tail;
    case TextEncoding::Utf8Bom:
      return kUtf8Mark + d.text + d.tail;
    case TextEncoding::Utf16Le:
    case TextEncoding::Utf16Be:
      break;
  }
  const bool be = d.encoding == TextEncoding::Utf16Be;
  std::string out = be ? "\xFE\xFF" : "\xFF\xFE";
  out.reserve(2 + 2 * d.text.size() + d.tail.size());
  for (size_t at = 0; at < d.text.size();) {
    const uint32_t c = NextCodePoint(d.text, at);
    if (c >= 0x10000) {
      AppendUnit(out, 0xD800 + ((c - 0x10000) >> 10), be);
      AppendUnit(out, 0xDC00 + ((c - 0x10000) & 0x3FF), be);
    } else {
      AppendUnit(out, c, be);
    }
  }
  return out + d.tail;
}

}  // namespace platform
