// Opening addresses (shell32), starting the companion (kernel32, never through a shell)
// and the online test (wininet).

#include <vector>

#include "win32_api.h"

namespace platform {

int32_t ShellOpen(const std::string& target) {
  const HINSTANCE result =
      ::ShellExecuteA(nullptr, nullptr, target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  return static_cast<int32_t>(reinterpret_cast<intptr_t>(result));
}

bool StartDetached(const std::string& path) {
  // Only by absolute path ("C:\..." or "\\server\..."), so the search order of
  // CreateProcess never picks another program of the same name.
  const bool drive = path.size() > 2 && path[1] == ':' && (path[2] == '\\' || path[2] == '/');
  const bool unc = path.rfind("\\\\", 0) == 0;
  if (!drive && !unc) return false;
  // The command line holds only the quoted program name: the program gets no arguments.
  std::string line = "\"" + path + "\"";
  std::vector<char> writable(line.begin(), line.end());
  writable.push_back('\0');
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!::CreateProcessA(path.c_str(), writable.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
    return false;
  }
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return true;
}

bool InternetConnected() {
  DWORD flags = 0;
  return ::InternetGetConnectedState(&flags, 0) != FALSE;
}

}  // namespace platform
