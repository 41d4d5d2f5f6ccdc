#pragma once
// The Windows back end of ServiceProvider's program, document and network calls:
// ShellExecuteA, CreateProcessA by absolute path (never a shell), InternetGetConnectedState.
#include <cstdint>
#include <string>

namespace platform {

int32_t ShellOpen(const std::string& target);
bool StartDetached(const std::string& path);
bool InternetConnected();

}  // namespace platform
