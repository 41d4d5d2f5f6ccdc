#include "core/file_read.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <new>

#include "common/error.h"

namespace platform::detail {
namespace {

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

FileRead FromErrno(int error) {
  return error == ENOENT || error == ENOTDIR ? FileRead::Missing : FileRead::Failed;
}

FileRead ReadAll(const std::string& path, size_t max_bytes, std::vector<uint8_t>& bytes) {
  // Refuse what is plainly not a file before opening it: opening some devices has effects.
  struct stat st {};
  if (stat(path.c_str(), &st) != 0) return FromErrno(errno);
  if (!S_ISREG(st.st_mode)) return FileRead::NotRegular;

  Descriptor fd(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (fd.get() < 0) return FromErrno(errno);
  if (fstat(fd.get(), &st) != 0) return FileRead::Failed;
  if (!S_ISREG(st.st_mode)) return FileRead::NotRegular;
  if (st.st_size < 0 || static_cast<uint64_t>(st.st_size) > max_bytes) return FileRead::TooLarge;

  // The file may grow while we read: one byte past the cap tells us.
  const size_t limit = max_bytes + 1;
  bytes.resize(std::min(static_cast<size_t>(st.st_size) + 1, limit));
  size_t done = 0;
  for (;;) {
    if (done == bytes.size()) {
      if (done >= limit) return FileRead::TooLarge;
      bytes.resize(std::min(limit, std::max<size_t>(4096, 2 * done)));
    }
    const ssize_t n = read(fd.get(), bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return FileRead::Failed;
    if (n == 0) break;
    done += static_cast<size_t>(n);
  }
  if (done > max_bytes) return FileRead::TooLarge;
  bytes.resize(done);
  return FileRead::Ok;
}

const char* Why(FileRead result) {
  switch (result) {
    case FileRead::Ok:
      return "read";
    case FileRead::Missing:
      return "missing";
    case FileRead::NotRegular:
      return "not a regular file";
    case FileRead::TooLarge:
      return "too large";
    case FileRead::Failed:
      break;
  }
  return "cannot be read";
}

}  // namespace

FileRead ReadRegularFile(const std::string& path, size_t max_bytes, std::vector<uint8_t>& bytes) {
  bytes.clear();
  FileRead result = FileRead::Failed;
  try {
    result = ReadAll(path, max_bytes, bytes);
  } catch (const std::bad_alloc&) {
    result = FileRead::Failed;
  }
  if (result != FileRead::Ok) {
    bytes.clear();
    bytes.shrink_to_fit();
  }
  return result;
}

std::vector<uint8_t> ReadRegularFileOrFail(const std::string& path, size_t max_bytes) {
  std::vector<uint8_t> bytes;
  const FileRead result = ReadRegularFile(path, max_bytes, bytes);
  if (result != FileRead::Ok) mt::Fail(mt::ErrorKind::BadFile, path + ": " + Why(result));
  return bytes;
}

}  // namespace platform::detail
