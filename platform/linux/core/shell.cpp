// Opening addresses and starting programs on Linux: always with an argument vector through
// posix_spawn, never through a shell, so no character of a path or address is interpreted.
#include "internal/shell.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace platform {
namespace {

// Reaps the child in the background so that a long-lived window (the settings dialog)
// collects no zombies; the child itself runs on after we end.
void ReapLater(pid_t pid) {
  std::thread([pid] {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
  }).detach();
}

bool Spawn(const std::string& program, const std::vector<std::string>& args, bool search_path) {
  std::vector<char*> argv;
  argv.reserve(args.size() + 1);
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);

  posix_spawnattr_t attr;
  posix_spawnattr_init(&attr);
  // A session of its own: the child is not ended with our terminal or process group.
  posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSID);
  pid_t pid = 0;
  int rc = search_path ? posix_spawnp(&pid, program.c_str(), nullptr, &attr, argv.data(), environ)
                       : posix_spawn(&pid, program.c_str(), nullptr, &attr, argv.data(), environ);
  posix_spawnattr_destroy(&attr);
  if (rc != 0) return false;
  ReapLater(pid);
  return true;
}

}  // namespace

int32_t ShellOpen(const std::string& target) {
  // ShellExecute's convention: above 32 is success; 2 is "file not found".
  return Spawn("xdg-open", {"xdg-open", target}, true) ? 42 : 2;
}

bool StartDetached(const std::string& path) {
  if (path.empty() || path.front() != '/') return false;  // only by absolute path
  return Spawn(path, {path}, false);
}

namespace {

bool HasDefaultRoute(const char* file, bool ipv6) {
  std::ifstream in(file);
  if (!in) return false;
  std::string line;
  if (!ipv6) std::getline(in, line);  // the IPv4 table has a header line
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    if (ipv6) {
      // dest prefix_len src src_len next_hop metric refcnt use flags iface
      std::string dest, prefix, src, src_len, hop, metric, refcnt, use, flags, iface;
      fields >> dest >> prefix >> src >> src_len >> hop >> metric >> refcnt >> use >> flags >>
          iface;
      unsigned long f = std::stoul(flags.empty() ? "0" : flags, nullptr, 16);
      bool up = f & 0x1, reject = f & 0x200;
      if (dest == std::string(32, '0') && prefix == "00" && up && !reject && iface != "lo") {
        return true;
      }
    } else {
      // iface destination gateway flags refcnt use metric mask ...
      std::string iface, dest, gateway, flags, refcnt, use, metric, mask;
      fields >> iface >> dest >> gateway >> flags >> refcnt >> use >> metric >> mask;
      unsigned long f = std::stoul(flags.empty() ? "0" : flags, nullptr, 16);
      if (dest == "00000000" && mask == "00000000" && (f & 0x1) && iface != "lo") return true;
    }
  }
  return false;
}

}  // namespace

bool InternetConnected() {
  return HasDefaultRoute("/proc/net/route", false) || HasDefaultRoute("/proc/net/ipv6_route", true);
}

}  // namespace platform
