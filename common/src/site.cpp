#include "common/site.h"

namespace mt {
std::string SiteUrl() { return MARROWTIDE_SITE_URL; }
}  // namespace mt
