// Linux has no registry: every read fails, so the use-password setting reads as empty.
#include "internal/registry.h"

namespace platform {

bool ReadRegistryValue(uint32_t, const std::string&, const std::string&, RegistryValue*) {
  return false;
}

}  // namespace platform
