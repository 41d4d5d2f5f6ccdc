// GetPrivateProfileString and WritePrivateProfileString on every platform: the text rules
// are in profile_text, the file work in each platform's profile_file.
#include "platform/profile.h"

#include "portable/profile_file.h"
#include "portable/profile_text.h"

namespace platform {

std::string GetPrivateProfileString(std::string_view section, std::string_view key,
                                    std::string_view default_value, uint32_t buffer_size,
                                    const std::string& path) {
  std::string value(default_value);
  const auto file = profile_file::Read(path);
  if (file.status == profile_file::Status::Read) {
    if (auto found = profile_text::Lookup(file.bytes, section, key)) value = std::move(*found);
  }
  const size_t room = buffer_size == 0 ? 0 : buffer_size - 1;
  if (value.size() > room) value.resize(room);
  return value;
}

bool WritePrivateProfileString(std::string_view section, std::string_view key,
                               std::string_view value, const std::string& path) {
  const auto file = profile_file::Read(path);
  if (file.status == profile_file::Status::Unreadable) return false;  // e.g. a directory
  return profile_file::Replace(path, profile_text::Update(file.bytes, section, key, value));
}

}  // namespace platform
