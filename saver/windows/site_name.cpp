#include "saver/windows/site_name.h"

namespace mt::windows {

std::string SiteName(const std::string& site_url) {
  std::string name = site_url;
  if (size_t scheme = name.find("://"); scheme != std::string::npos) name.erase(0, scheme + 3);
  if (size_t end = name.find_first_of("/?#"); end != std::string::npos) name.erase(end);
  return name;
}

}  // namespace mt::windows
