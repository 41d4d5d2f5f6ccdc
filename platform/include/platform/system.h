#pragma once
// Process and system facts. Linux: reported as the NT family (no screen-saver password
// service), no-ops where the desktop owns the job, /proc/self/exe for the program folder,
// flock on a lock file for the previous-instance test, CLOCK_MONOTONIC for ticks.
#include <cstdint>
#include <string>

namespace platform {

constexpr int32_t kPlatformWin32s = 0;
constexpr int32_t kPlatformWindows9x = 1;  // VER_PLATFORM_WIN32_WINDOWS
constexpr int32_t kPlatformNT = 2;         // VER_PLATFORM_WIN32_NT

// GetVersionExA's platform identifier; 0 when the query fails.
int32_t PlatformId();

// SystemParametersInfoA(SPI_SCREENSAVERRUNNING, running ? 1 : 0, ...).
void SetScreenSaverRunning(bool running);
// Shows or hides the taskbar (FindWindowA "Shell_traywnd" + SetWindowPos).
void ShowTaskbar(bool show);
// SetWindowPos(window, HWND_TOPMOST / HWND_NOTOPMOST, ..., SWP_NOSIZE | SWP_NOMOVE).
void SetWindowTopmost(uint32_t window, bool topmost);
// VerifyScreenSavePwd of password.cpl; true when the right password was typed. Without
// the service, true.
bool VerifyScreenSaverPassword(uint32_t window);
// PwdChangePasswordA("SCRSAVE", parent, 0, 0) of mpr.dll; does nothing without the service.
void ChangeScreenSaverPassword(uint32_t parent_window);

// Folder of the running program file, without a trailing separator except for a root
// folder ("C:\" on Windows, "/" on Linux).
std::string ProgramFolder();
// The argument text after the program's name, raw (on Linux the arguments joined by one
// space each).
std::string RawCommandLine();
// Where the settings file that lies beside the program is read and written. While the
// program folder is writable, the file itself. Otherwise (a system-wide install) the
// per-user copy $XDG_CONFIG_HOME/<app_name>/<file name> (~/.config when the variable is
// unset), made on first need as a byte copy of the installed file when `make_copy` is
// set. A copy that is not there and cannot be made leaves the installed file, so the
// settings read as installed and writes are lost. Windows: always the file itself.
std::string SettingsFileFor(const std::string& installed_file, const std::string& app_name,
                            bool make_copy);
// The path separator of this platform ('\\' on Windows, '/' on Linux).
char PathSeparator();

// True when another instance of this program (the same program file) is running. The
// first call takes this process's claim, which lasts until it ends.
bool PreviousInstanceRunning();

// Milliseconds since an arbitrary start, wrapping at 2^32 (GetTickCount).
uint32_t TickCountMs();

// Ends the process at once with the given status; no handler of the program runs after it.
[[noreturn]] void EndProcessNow(int status);

// Whether a file of this exact name is in the folder (the directory look-up); returns the
// name as stored, or the empty string when there is none.
std::string FindFileInFolder(const std::string& folder, const std::string& name);

}  // namespace platform
