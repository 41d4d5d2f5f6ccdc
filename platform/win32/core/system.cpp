// Process and system facts on Windows: kernel32 and user32, and the 9x family's
// screen-saver password service, whose DLLs are loaded only when asked for.
#include <cstdio>

#include "win32_api.h"

namespace platform {
namespace {
using win32::FromHandle32;

// password.cpl and mpr.dll exist with these entries only on the 9x family. LoadLibrary
// looks in the program's folder first.
template <class F>
F PasswordEntry(const char* library, const char* entry) {
  HMODULE module = ::LoadLibraryA(library);
  if (!module) return nullptr;
  return reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(module, entry)));
}

std::string ModulePath() {
  char path[MAX_PATH + 1] = {};
  const DWORD n = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  return n > 0 && n < MAX_PATH ? std::string(path, n) : std::string();
}
}  // namespace

int32_t PlatformId() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
  return ::GetVersionExA(&info) ? static_cast<int32_t>(info.dwPlatformId) : 0;
}

void SetScreenSaverRunning(bool running) {
  BOOL previous = FALSE;
  ::SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, running ? 1 : 0, &previous, 0);
}

void ShowTaskbar(bool show) {
  if (HWND taskbar = ::FindWindowA("Shell_traywnd", nullptr)) {
    ::SetWindowPos(taskbar, nullptr, 0, 0, 0, 0,
                   (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW) | SWP_NOMOVE | SWP_NOSIZE |
                       SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void SetWindowTopmost(uint32_t window, bool topmost) {
  ::SetWindowPos(FromHandle32<HWND>(window), topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE);
}

bool VerifyScreenSaverPassword(uint32_t window) {
  using Verify = BOOL(WINAPI*)(HWND);
  auto verify = PasswordEntry<Verify>("password.cpl", "VerifyScreenSavePwd");
  return verify ? verify(FromHandle32<HWND>(window)) != FALSE : true;
}

void ChangeScreenSaverPassword(uint32_t parent_window) {
  using Change = DWORD(WINAPI*)(LPCSTR, HWND, DWORD, LPVOID);
  if (auto change = PasswordEntry<Change>("mpr.dll", "PwdChangePasswordA")) {
    change("SCRSAVE", FromHandle32<HWND>(parent_window), 0, nullptr);
  }
}

std::string ProgramFolder() {
  const std::string exe = ModulePath();
  const size_t slash = exe.find_last_of("\\/");
  if (slash == std::string::npos) return ".";
  // "C:\" keeps its separator: "C:" alone would mean the drive's current folder.
  if (slash == 2 && exe[1] == ':') return exe.substr(0, 3);
  return exe.substr(0, slash);
}

// The per-user install keeps the program folder writable: the file stays beside the program.
std::string SettingsFileFor(const std::string& installed_file, const std::string&, bool) {
  return installed_file;
}

std::string RawCommandLine() {
  const char* line = ::GetCommandLineA();
  if (!line) return {};
  // The program's name comes first, quoted when it holds spaces; then the arguments.
  const char* p = line;
  if (*p == '"') {
    ++p;
    while (*p && *p != '"') ++p;
    if (*p == '"') ++p;
  } else {
    while (*p && *p != ' ' && *p != '\t') ++p;
  }
  while (*p == ' ' || *p == '\t') ++p;
  return p;
}

char PathSeparator() {
  return '\\';
}

bool PreviousInstanceRunning() {
  static HANDLE claim = nullptr;
  if (claim) return false;  // this process holds the claim already
  // One mutex per program file, so that separate installations do not see each other.
  // File names do not differ by case on Windows; neither do the mutexes' names. No
  // backslash in the name: the 9x family refuses it.
  std::string path = ModulePath();
  uint32_t hash = 2166136261u;
  for (char c : path) {
    const char folded = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    hash = (hash ^ static_cast<uint8_t>(folded)) * 16777619u;
  }
  char name[64];
  std::snprintf(name, sizeof name, "MarrowtideGobbleRun-%08lx", static_cast<unsigned long>(hash));
  HANDLE mutex = ::CreateMutexA(nullptr, FALSE, name);
  if (!mutex) return false;  // cannot tell: let this instance run
  if (::GetLastError() == ERROR_ALREADY_EXISTS) {
    ::CloseHandle(mutex);
    return true;
  }
  claim = mutex;  // held until the process ends
  return false;
}

uint32_t TickCountMs() {
  return ::GetTickCount();
}

[[noreturn]] void EndProcessNow(int status) {
  std::fflush(nullptr);
  // No destructor or exit handler of ours may run after this point.
  ::TerminateProcess(::GetCurrentProcess(), static_cast<UINT>(status));
  ::ExitProcess(static_cast<UINT>(status));
}

std::string FindFileInFolder(const std::string& folder, const std::string& name) {
  // The directory look-up of Windows: names match without regard to case. Wildcards
  // would turn the look-up into a pattern.
  if (name.empty() || name.find_first_of("*?") != std::string::npos) return {};
  std::string pattern = folder;
  if (!pattern.empty() && pattern.back() != '\\' && pattern.back() != '/') pattern += '\\';
  pattern += name;
  WIN32_FIND_DATAA found{};
  HANDLE search = ::FindFirstFileA(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return {};
  ::FindClose(search);
  return found.cFileName;
}

}  // namespace platform
