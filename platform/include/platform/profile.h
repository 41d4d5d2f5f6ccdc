#pragma once
// Profile (INI) files, one key at a time, with the behaviour of the Win32 calls
// GetPrivateProfileStringA and WritePrivateProfileStringA. One reader and writer serves
// every platform; only the file work below it is per platform (portable/profile_file.h):
//  - section and key names match without regard to case; the first matching section and,
//    inside it, the first matching key win;
//  - spaces and tabs around section names (inside the brackets), keys and values are
//    trimmed, as are indented lines; one pair of matching quotes around a value goes;
//  - a line without '=' is a key with an empty value; lines starting with ';' are comments;
//  - a file with a byte-order mark is read in its encoding (UTF-16 little or big endian,
//    UTF-8); LF, CRLF and a lone CR all end a line;
//  - anything missing reads as the default.
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// Copies at most buffer_size - 1 characters of the value, as the Win32 call does into a
// buffer of that size.
std::string GetPrivateProfileString(std::string_view section, std::string_view key,
                                    std::string_view default_value, uint32_t buffer_size,
                                    const std::string& path);

// Creates the file, section or key when missing, replaces the first matching key's value
// in place and keeps every other byte, the encoding and its mark; new lines end as the
// file's first line ending does. The file is replaced atomically; a symbolic link stays
// and its target is replaced. A write that cannot be made (missing folder, a directory in
// the file's place, a read-only file, a file whose owner could not be kept) changes
// nothing and returns false.
bool WritePrivateProfileString(std::string_view section, std::string_view key,
                               std::string_view value, const std::string& path);

}  // namespace platform
