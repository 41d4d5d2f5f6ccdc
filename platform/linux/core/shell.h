#pragma once
// The Linux back end of ServiceProvider's program, document and network calls: xdg-open
// through posix_spawnp and programs through posix_spawn, never a shell; online when
// /proc/net/route or /proc/net/ipv6_route has a default route.
#include <cstdint>
#include <string>

namespace platform {

int32_t ShellOpen(const std::string& target);
bool StartDetached(const std::string& path);
bool InternetConnected();

}  // namespace platform
