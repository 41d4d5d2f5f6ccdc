#pragma once
// The back end of ServiceProvider's program, document and network calls, one per platform.
// Linux: xdg-open through posix_spawnp and programs through posix_spawn, never a shell;
// online when /proc/net/route or /proc/net/ipv6_route has a default route. Windows:
// ShellExecuteA, CreateProcessA by absolute path, InternetGetConnectedState.
#include <cstdint>
#include <string>

namespace platform {

int32_t ShellOpen(const std::string& target);
bool StartDetached(const std::string& path);
bool InternetConnected();

}  // namespace platform
