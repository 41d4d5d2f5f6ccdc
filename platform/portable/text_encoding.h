#pragma once
// The encodings a settings file may be in, as the platform's profile functions tell them
// apart by a byte-order mark: UTF-16 little or big endian, UTF-8 with a mark, or else
// plain 8-bit text. The profile rules work on 8-bit text, so UTF-16 is turned into UTF-8
// and back. The round trip keeps every byte, even of malformed UTF-16: lone surrogates
// travel as their three-byte forms, and an odd last byte is kept aside.
#include <string>

namespace platform {

enum class TextEncoding { Plain, Utf8Bom, Utf16Le, Utf16Be };

struct DecodedText {
  TextEncoding encoding = TextEncoding::Plain;
  std::string text;  // without the mark; UTF-8 when the file is UTF-16
  std::string tail;  // bytes that are not whole UTF-16 units, kept as they were
};

DecodedText DecodeText(const std::string& bytes);

// The file's bytes again, mark first. Bytes in `text` that are not UTF-8 go into a UTF-16
// file as U+FFFD.
std::string EncodeText(const DecodedText& decoded);

}  // namespace platform
