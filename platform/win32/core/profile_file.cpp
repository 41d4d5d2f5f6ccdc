// The settings file's bytes on Windows. A write goes to a temporary file in the same
// folder, is flushed to disk, and replaces the file with one MoveFileExW, so a reader sees
// the old file or the new one, whole. A read-only file is left alone, as the platform's
// profile functions leave it; its other attributes (hidden, system) carry over.
#include "portable/profile_file.h"

#include <algorithm>
#include <random>

#include "win32_api.h"

namespace platform::profile_file {
namespace {

// Far beyond any settings file; a larger one is not ours to rewrite.
constexpr DWORD kMaxProfileFileBytes = 16 * 1024 * 1024;
// Our temporary files: "~<file name>.<six letters or digits>.tmp".
constexpr char kTempPrefix[] = "~";

class File {
 public:
  explicit File(HANDLE h) : h_(h) {}
  ~File() {
    if (h_ != INVALID_HANDLE_VALUE) ::CloseHandle(h_);
  }
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  HANDLE get() const { return h_; }
  void Reset(HANDLE h) {
    if (h_ != INVALID_HANDLE_VALUE) ::CloseHandle(h_);
    h_ = h;
  }
  void Close() { Reset(INVALID_HANDLE_VALUE); }

 private:
  HANDLE h_;
};

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  if (slash == std::string::npos) return ".";
  return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string RandomLetters() {
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  static std::mt19937 random(std::random_device{}() ^ ::GetTickCount());
  std::string s;
  for (int i = 0; i < 6; ++i) s += kLetters[random() % (sizeof kLetters - 1)];
  return s;
}

// A writer holds its temporary file open without sharing until it is renamed; one that
// can be opened so belongs to a writer that died, and goes.
void RemoveStaleTemps(const std::string& folder, const std::string& name) {
  WIN32_FIND_DATAA found{};
  const std::string pattern = folder + "\\" + kTempPrefix + name + ".??????.tmp";
  HANDLE search = ::FindFirstFileA(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::string path = folder + "\\" + found.cFileName;
    File probe(::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (probe.get() == INVALID_HANDLE_VALUE) continue;
    probe.Close();
    ::DeleteFileA(path.c_str());
  } while (::FindNextFileA(search, &found));
  ::FindClose(search);
}

bool WriteAll(HANDLE h, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD n = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
    if (!::WriteFile(h, bytes.data() + done, chunk, &n, nullptr) || n == 0) return false;
    done += n;
  }
  return true;
}

bool MoveIntoPlace(const std::string& temp, const std::string& target) {
  const std::wstring from = win32::AnsiToWide(temp), to = win32::AnsiToWide(target);
  if (::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  // The 9x family has no MoveFileExW: there the file is replaced in two steps.
  if (::GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) return false;
  ::DeleteFileA(target.c_str());
  return ::MoveFileA(temp.c_str(), target.c_str()) != FALSE;
}

}  // namespace

Contents Read(const std::string& path) {
  File file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) {
    const DWORD error = ::GetLastError();
    const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    return {missing ? Status::Missing : Status::Unreadable, {}};
  }
  if (::GetFileType(file.get()) != FILE_TYPE_DISK) return {Status::Unreadable, {}};
  DWORD high = 0;
  const DWORD size = ::GetFileSize(file.get(), &high);
  if (size == INVALID_FILE_SIZE || high != 0 || size > kMaxProfileFileBytes) {
    return {Status::Unreadable, {}};
  }
  std::string bytes(size, '\0');
  DWORD done = 0;
  while (done < size) {
    DWORD n = 0;
    if (!::ReadFile(file.get(), bytes.data() + done, size - done, &n, nullptr)) {
      return {Status::Unreadable, {}};
    }
    if (n == 0) break;  // shorter than it was a moment ago
    done += n;
  }
  bytes.resize(done);
  return {Status::Read, std::move(bytes)};
}

bool Replace(const std::string& path, const std::string& bytes) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
  if (!exists) {
    const DWORD error = ::GetLastError();
    if (error != ERROR_FILE_NOT_FOUND) return false;  // e.g. the folder is missing
  } else if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) {
    return false;
  }
  const std::string folder = FolderOf(path), name = NameOf(path);
  RemoveStaleTemps(folder, name);

  std::string temp;
  File file(INVALID_HANDLE_VALUE);
  for (int attempt = 0; attempt < 10 && file.get() == INVALID_HANDLE_VALUE; ++attempt) {
    temp = folder + "\\" + kTempPrefix + name + "." + RandomLetters() + ".tmp";
    file.Reset(::CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE && ::GetLastError() != ERROR_FILE_EXISTS) {
      return false;
    }
  }
  if (file.get() == INVALID_HANDLE_VALUE) return false;

  bool ok = WriteAll(file.get(), bytes) && ::FlushFileBuffers(file.get());
  file.Close();
  if (ok && exists) {
    constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
    ok = ::SetFileAttributesA(temp.c_str(),
                              (attributes & kKept) ? attributes & kKept : FILE_ATTRIBUTE_NORMAL);
  }
  ok = ok && MoveIntoPlace(temp, path);
  if (!ok) ::DeleteFileA(temp.c_str());
  return ok;
}

}  // namespace platform::profile_file
