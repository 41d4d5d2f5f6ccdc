#pragma once
// Opening documents and web addresses, starting programs, the online test.
// Linux: xdg-open through posix_spawnp and programs through posix_spawn, never a shell;
// online when /proc/net/route or /proc/net/ipv6_route has a default route.
#include <cstdint>
#include <string>

namespace platform {

// ShellExecuteA(no owner, no verb, target, no parameters, no folder, SW_SHOWNORMAL).
// Returns a value above 32 on success, as the Win32 call does.
int32_t ShellOpen(const std::string& target);

// Starts the program at an absolute path, detached, with no arguments; does not wait.
// False when it could not be started (missing, not executable).
bool StartDetached(const std::string& path);

// InternetGetConnectedState.
bool InternetConnected();

}  // namespace platform
