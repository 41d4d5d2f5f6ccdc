// Reading one registry value with advapi32.
#include "win32_api.h"

namespace platform {

bool ReadRegistryValue(uint32_t root, const std::string& sub_key, const std::string& value_name,
                       RegistryValue* value) {
  HKEY key = nullptr;
  if (::RegOpenKeyExA(win32::FromHandle32<HKEY>(root), sub_key.c_str(), 0, KEY_READ, &key) !=
      ERROR_SUCCESS) {
    return false;
  }
  BYTE buffer[255];
  DWORD type = 0, size = sizeof buffer;
  const bool ok =
      ::RegQueryValueExA(key, value_name.c_str(), nullptr, &type, buffer, &size) == ERROR_SUCCESS;
  ::RegCloseKey(key);
  if (!ok) return false;
  if (value) {
    value->type = type;
    value->data.assign(buffer, buffer + size);
  }
  return true;
}

}  // namespace platform
