#pragma once
#include <string>

namespace mt::windows {
// The site's name as the web button shows it: the host of the address without "www." and
// without its top-level domain ("https://www.marrowtide.example/shop" gives "marrowtide").
// The button is 89 pixels wide; a whole host name such as "marrowtide.example" does not
// fit there at a readable size.
std::string SiteName(const std::string& site_url);
}  // namespace mt::windows
