// The settings file's bytes on Linux. Reading goes through the one way in for files.
// Writing behaves as the platform's profile functions do where POSIX lets it differ:
//  - a symbolic link is followed: its target is replaced, the link stays;
//  - a file without write permission (a read-only file, even for root) or one whose owner
//    and group we could not give back is not written; owner and permissions never change;
//  - the new bytes go to an unnamed temporary file (O_TMPFILE) that gets a name only for
//    the moment before the rename, so a killed writer leaves nothing behind; where the
//    file system has no unnamed files, a named one is used, and the next write removes
//    any that a killed writer left.
#include "portable/profile_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <random>
#include <vector>

#include "core/file_read.h"
#include "core/path_parts.h"

namespace platform::profile_file {
namespace {

using detail::FolderOf;
using detail::NameOf;

// Far beyond any settings file; a larger one is not ours to rewrite.
constexpr size_t kMaxProfileFileBytes = 16 * 1024 * 1024;
// Our temporary files: ".~<file name>.<six letters or digits>".
constexpr char kTempPrefix[] = ".~";
constexpr size_t kTempRandomLength = 6;

class Descriptor {
 public:
  explicit Descriptor(int fd = -1) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  void Reset(int fd) {
    if (fd_ >= 0) close(fd_);
    fd_ = fd;
  }

 private:
  int fd_;
};

// The file a path names after following symbolic links at its end, or "" for a loop.
std::string FollowLinks(std::string path) {
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    std::vector<char> target(PATH_MAX + 1);
    const ssize_t n = readlink(path.c_str(), target.data(), PATH_MAX);
    if (n <= 0) return "";
    std::string next(target.data(), static_cast<size_t>(n));
    path = next.front() == '/' ? next : FolderOf(path) + "/" + next;
  }
  return "";
}

bool IsOurTempName(const std::string& entry, const std::string& name) {
  const std::string head = kTempPrefix + name + ".";
  if (entry.size() != head.size() + kTempRandomLength || entry.compare(0, head.size(), head) != 0) {
    return false;
  }
  for (size_t i = head.size(); i < entry.size(); ++i) {
    const char c = entry[i];
    if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) {
      return false;
    }
  }
  return true;
}

// A writer holds a lock on its temporary file until it is renamed into place; a temporary
// file nobody holds belongs to a writer that died.
void RemoveStaleTemps(const std::string& folder, const std::string& name) {
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return;
  while (dirent* e = readdir(dir)) {
    const std::string entry = e->d_name;
    if (!IsOurTempName(entry, name)) continue;
    const std::string path = folder + "/" + entry;
    Descriptor fd(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC));
    struct stat st {};
    if (fd.get() < 0 || fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    if (flock(fd.get(), LOCK_EX | LOCK_NB) == 0) unlink(path.c_str());
  }
  closedir(dir);
}

std::string RandomLetters() {
  static constexpr char kLetters[] =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  static std::mt19937 random(std::random_device{}());
  std::string s;
  for (size_t i = 0; i < kTempRandomLength; ++i) s += kLetters[random() % (sizeof kLetters - 1)];
  return s;
}

bool WriteAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

// Gives an unnamed temporary file the name it is renamed from (linkat through /proc needs
// no privilege).
bool NameTemp(int fd, const std::string& temp) {
  const std::string proc = "/proc/self/fd/" + std::to_string(fd);
  return linkat(AT_FDCWD, proc.c_str(), AT_FDCWD, temp.c_str(), AT_SYMLINK_FOLLOW) == 0;
}

// May this process write the file, as the platform sees it? Root may write anything, but
// a file without any write permission is read-only to everyone on the other platform.
bool MayWrite(const std::string& path, const struct stat& st) {
  if ((st.st_mode & 0222) == 0) return false;
  return faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

}  // namespace

Contents Read(const std::string& path) {
  std::vector<uint8_t> bytes;
  switch (detail::ReadRegularFile(path, kMaxProfileFileBytes, bytes)) {
    case detail::FileRead::Ok:
      return {Status::Read, std::string(bytes.begin(), bytes.end())};
    case detail::FileRead::Missing:
      return {Status::Missing, {}};
    case detail::FileRead::NotRegular:
    case detail::FileRead::TooLarge:
    case detail::FileRead::Failed:
      break;
  }
  return {Status::Unreadable, {}};
}

bool Replace(const std::string& path, const std::string& bytes) {
  const std::string target = FollowLinks(path);
  if (target.empty()) return false;
  const std::string folder = FolderOf(target), name = NameOf(target);

  struct stat st {};
  const bool exists = stat(target.c_str(), &st) == 0;
  if (!exists && errno != ENOENT) return false;
  if (exists && (!S_ISREG(st.st_mode) || !MayWrite(target, st))) return false;

  RemoveStaleTemps(folder, name);

  Descriptor fd(open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600));
  const bool unnamed = fd.get() >= 0;
  std::string temp;
  for (int attempt = 0; !unnamed && fd.get() < 0 && attempt < 10; ++attempt) {
    temp = folder + "/" + kTempPrefix + name + "." + RandomLetters();
    fd.Reset(open(temp.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (fd.get() < 0 && errno != EEXIST) return false;
  }
  if (fd.get() < 0) return false;
  // Held until the rename is done, so that the next writer's sweep leaves this file alone.
  flock(fd.get(), LOCK_EX);

  // Owner and group first (changing them may clear mode bits), then the permissions.
  bool ok = WriteAll(fd.get(), bytes);
  if (ok && exists && (st.st_uid != geteuid() || st.st_gid != getegid())) {
    ok = fchown(fd.get(), st.st_uid, st.st_gid) == 0;
  }
  ok = ok && fchmod(fd.get(), exists ? st.st_mode & 07777 : 0644) == 0;
  ok = ok && fsync(fd.get()) == 0;
  if (ok && unnamed) {
    ok = false;
    for (int attempt = 0; !ok && attempt < 10; ++attempt) {
      temp = folder + "/" + kTempPrefix + name + "." + RandomLetters();
      ok = NameTemp(fd.get(), temp);
      if (!ok && errno != EEXIST) break;
    }
    if (!ok) temp.clear();
  }
  ok = ok && rename(temp.c_str(), target.c_str()) == 0;
  if (!ok && !temp.empty()) unlink(temp.c_str());
  return ok;
}

}  // namespace platform::profile_file
