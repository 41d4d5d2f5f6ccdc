#pragma once
#include <string>

namespace mt {
// The maker's web-site address (scheme and host, no trailing slash), a build setting.
std::string SiteUrl();
}  // namespace mt
