#include "saver/windows/layouts/site_name.h"

namespace mt::windows {

std::string SiteName(const std::string& site_url) {
  std::string host = site_url;
  if (size_t scheme = host.find("://"); scheme != std::string::npos) host.erase(0, scheme + 3);
  if (size_t end = host.find_first_of("/?#:"); end != std::string::npos) host.erase(end);
  if (host.rfind("www.", 0) == 0) host.erase(0, 4);
  if (size_t dot = host.rfind('.'); dot != std::string::npos && dot > 0) host.erase(dot);
  return host;
}

}  // namespace mt::windows
