#pragma once
// Reading one registry value. Linux has no registry: every read fails.
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// Predefined root keys, as the Win32 API numbers them.
constexpr uint32_t HKEY_CLASSES_ROOT = 0x80000000;
constexpr uint32_t HKEY_CURRENT_USER = 0x80000001;
constexpr uint32_t HKEY_LOCAL_MACHINE = 0x80000002;
constexpr uint32_t HKEY_USERS = 0x80000003;
constexpr uint32_t HKEY_PERFORMANCE_DATA = 0x80000004;
constexpr uint32_t HKEY_CURRENT_CONFIG = 0x80000005;
constexpr uint32_t HKEY_DYN_DATA = 0x80000006;

constexpr uint32_t REG_SZ = 1;
constexpr uint32_t REG_DWORD = 4;

struct RegistryValue {
  uint32_t type = 0;
  std::vector<uint8_t> data;  // as stored, at most the buffer's 255 bytes
};

// RegOpenKeyExA + RegQueryValueExA (buffer of 255 bytes) + RegCloseKey. False on any failure.
bool ReadRegistryValue(uint32_t root, const std::string& sub_key, const std::string& value_name,
                       RegistryValue* value);

}  // namespace platform
