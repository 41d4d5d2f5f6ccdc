// Per-user settings for a program folder the user may not write (a system-wide install).
#include "core/user_settings.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/path_parts.h"
#include "platform/system.h"

namespace platform {
namespace detail {
namespace {

// mkdir -p, private to the user (mode 0700), as XDG base directories must be.
bool MakeFolders(const std::string& folder) {
  struct stat info {};
  if (stat(folder.c_str(), &info) == 0) return S_ISDIR(info.st_mode);
  const std::string parent = FolderOf(folder);
  if (parent != folder && !MakeFolders(parent)) return false;
  return mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST;
}

bool ReadAll(const std::string& path, std::vector<char>& bytes) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  char buffer[8192];
  ssize_t got = 0;
  while ((got = read(fd, buffer, sizeof buffer)) > 0)
    bytes.insert(bytes.end(), buffer, buffer + got);
  close(fd);
  return got == 0;
}

// Byte for byte, through a temporary file and a rename, so that a reader never sees half
// a copy and two programs starting at once both end with a whole one.
bool CopyFile(const std::string& from, const std::string& to) {
  std::vector<char> bytes;
  if (!ReadAll(from, bytes)) return false;
  std::string temp = to + ".XXXXXX";
  const int fd = mkstemp(temp.data());
  if (fd < 0) return false;
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t put = write(fd, bytes.data() + done, bytes.size() - done);
    if (put <= 0) break;
    done += static_cast<size_t>(put);
  }
  const bool written = done == bytes.size() && fsync(fd) == 0;
  fchmod(fd, 0600);
  if (close(fd) != 0 || !written || rename(temp.c_str(), to.c_str()) != 0) {
    unlink(temp.c_str());
    return false;
  }
  return true;
}

bool Exists(const std::string& path) {
  return access(path.c_str(), F_OK) == 0;
}

}  // namespace

std::string ChooseSettingsFile(const std::string& installed_file, const std::string& app_name,
                               bool make_copy, bool folder_writable,
                               const std::string& config_home) {
  if (folder_writable || config_home.empty()) return installed_file;
  const std::string folder = config_home + "/" + app_name;
  const std::string own = folder + "/" + NameOf(installed_file);
  if (Exists(own)) return own;
  if (!make_copy || !MakeFolders(folder)) return installed_file;
  // Without an installed file there is nothing to copy; writes then start the user's own.
  if (Exists(installed_file) && !CopyFile(installed_file, own) && !Exists(own)) {
    return installed_file;
  }
  return own;
}

}  // namespace detail

std::string SettingsFileFor(const std::string& installed_file, const std::string& app_name,
                            bool make_copy) {
  const std::string folder = detail::FolderOf(installed_file);
  const bool writable = access(folder.c_str(), W_OK) == 0;
  // XDG says a relative value is invalid and must be ignored.
  std::string config_home;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && xdg[0] == '/') {
    config_home = xdg;
  } else if (const char* home = std::getenv("HOME"); home != nullptr && home[0] == '/') {
    config_home = std::string(home) + "/.config";
  }
  return detail::ChooseSettingsFile(installed_file, app_name, make_copy, writable, config_home);
}

}  // namespace platform
