// The settings file's bytes on Linux: read whole, replaced by rename.
#include "portable/profile_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

namespace platform::profile_file {

Contents Read(const std::string& path) {
  struct stat st {};
  if (stat(path.c_str(), &st) != 0)
    return {errno == ENOENT ? Status::Missing : Status::Unreadable, {}};
  if (!S_ISREG(st.st_mode))
    return {Status::Unreadable, {}};  // a directory (or device) in its place
  std::ifstream in(path, std::ios::binary);
  if (!in) return {Status::Unreadable, {}};
  return {Status::Read,
          std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>())};
}

// Writes the bytes to a temporary file beside `path`, flushes it to disk and renames it
// over `path`, so that readers see either the old file or the new one, never a mix.
bool Replace(const std::string& path, const std::string& bytes) {
  mode_t mode = 0644;
  struct stat st {};
  if (stat(path.c_str(), &st) == 0) mode = st.st_mode & 07777;

  std::string tmp = path + ".XXXXXX";
  std::vector<char> name(tmp.begin(), tmp.end());
  name.push_back('\0');
  int fd = mkostemp(name.data(), O_CLOEXEC);
  if (fd < 0) return false;
  bool ok = fchmod(fd, mode) == 0;
  size_t done = 0;
  while (ok && done < bytes.size()) {
    ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0)
      ok = false;
    else
      done += static_cast<size_t>(n);
  }
  ok = ok && fsync(fd) == 0;
  ok = (close(fd) == 0) && ok;
  ok = ok && rename(name.data(), path.c_str()) == 0;
  if (!ok) unlink(name.data());
  return ok;
}

}  // namespace platform::profile_file
