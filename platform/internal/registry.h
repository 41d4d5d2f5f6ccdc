#pragma once
// The back end of ServiceProvider::ReadRegistry: advapi32 on Windows; Linux has no
// registry, so every read fails there.
#include <cstdint>
#include <string>

#include "platform/services.h"

namespace platform {

bool ReadRegistryValue(uint32_t root, const std::string& sub_key, const std::string& value_name,
                       RegistryValue* value);

}  // namespace platform
