#pragma once
// What the profile reader and writer do to a settings file's bytes, without any file work:
// shared by both platforms, and by the fuzz target that holds them to their promises.
#include <optional>
#include <string>
#include <string_view>

namespace platform::profile_text {

// The value of the first matching key of the first matching section, as the reader gives
// it (quotes removed, not cut to any buffer); nothing when the file has no such key.
std::optional<std::string> Lookup(const std::string& file_bytes, std::string_view section,
                                  std::string_view key);

// The file's bytes with the key set to `value`: created with its section where missing,
// else replaced in place. Every other byte stays, and so does the file's encoding.
std::string Update(const std::string& file_bytes, std::string_view section, std::string_view key,
                   std::string_view value);

}  // namespace platform::profile_text
