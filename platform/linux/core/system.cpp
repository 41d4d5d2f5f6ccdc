// Process and system facts on Linux.
#include "platform/system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "message_pump.h"

namespace platform {

// There is no screen-saver password service on Linux: the program behaves as on the NT
// family, where password mode never holds.
int32_t PlatformId() { return kPlatformNT; }

// The desktop owns these jobs on Linux; the full-screen window already covers the panels.
void SetScreenSaverRunning(bool) {}
void ShowTaskbar(bool) {}
void SetWindowTopmost(uint32_t, bool) {}
bool VerifyScreenSaverPassword(uint32_t) { return true; }
void ChangeScreenSaverPassword(uint32_t) {}

namespace {
std::string ExecutablePath() {
  char buffer[4096];
  ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return {};
  return std::string(buffer, static_cast<size_t>(n));
}
}  // namespace

std::string ProgramFolder() {
  std::string exe = ExecutablePath();
  size_t slash = exe.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return exe.substr(0, slash);
}

std::string RawCommandLine() {
  std::ifstream in("/proc/self/cmdline", std::ios::binary);
  std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  // Arguments are separated (and ended) by NUL; the first is the program itself.
  std::string result;
  size_t start = all.find('\0');
  if (start == std::string::npos) return {};
  ++start;
  bool first = true;
  while (start < all.size()) {
    size_t end = all.find('\0', start);
    if (end == std::string::npos) end = all.size();
    if (!first) result += ' ';
    result.append(all, start, end - start);
    first = false;
    start = end + 1;
  }
  return result;
}

char PathSeparator() { return '/'; }

bool PreviousInstanceRunning() {
  static int lock_fd = -1;
  if (lock_fd >= 0) return false;  // this process holds the claim already
  // One lock per program file, so that separate installations (and parallel tests in
  // separate folders) do not see each other.
  std::string exe = ExecutablePath();
  size_t hash = std::hash<std::string>{}(exe);
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  std::string folder = (runtime && *runtime) ? runtime : "/tmp";
  char name[128];
  std::snprintf(name, sizeof name, "/marrowtide-gobble-run-%u-%zx.lock",
                static_cast<unsigned>(getuid()), hash);
  int fd = open((folder + name).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return false;  // cannot tell: let this instance run
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    close(fd);
    return true;
  }
  lock_fd = fd;  // held until the process ends
  return false;
}

uint32_t TickCountMs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  uint64_t ms = static_cast<uint64_t>(ts.tv_sec) * 1000u + static_cast<uint64_t>(ts.tv_nsec) / 1000000u;
  return static_cast<uint32_t>(ms);  // wraps at 2^32 like GetTickCount
}

[[noreturn]] void EndProcessNow(int status) {
  detail::RunExitHooks();
  std::fflush(nullptr);
  _exit(status);
}

std::string FindFileInFolder(const std::string& folder, const std::string& name) {
  DIR* dir = opendir(folder.c_str());
  if (!dir) return {};
  std::string found;
  while (dirent* entry = readdir(dir)) {
    if (name == entry->d_name) {
      found = entry->d_name;
      break;
    }
  }
  closedir(dir);
  return found;
}

}  // namespace platform
