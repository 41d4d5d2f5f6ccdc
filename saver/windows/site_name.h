#pragma once
#include <string>

namespace mt::windows {
// The site's name as the web button shows it: the address without its scheme, a leading
// "www." kept, anything after the host dropped ("https://marrowtide.example/" gives
// "marrowtide.example").
std::string SiteName(const std::string& site_url);
}  // namespace mt::windows
