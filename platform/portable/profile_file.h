#pragma once
// The file work under the profile reader and writer, one implementation per platform.
// The reader and writer themselves (platform/portable/profile.cpp) are shared: they see a
// settings file only as its bytes.
#include <string>

namespace platform::profile_file {

enum class Status {
  Read,        // the bytes are the whole file
  Missing,     // no file by that name
  Unreadable,  // something is there but it cannot be read as a file
};

struct Contents {
  Status status = Status::Missing;
  std::string bytes;
};

// Reads the whole file.
Contents Read(const std::string& path);

// Creates the file or replaces it with `bytes` atomically: a reader sees either the old
// file or the new one, whole. A symbolic link is followed and stays; an existing file
// keeps its owner and permissions, and one the user may not write is left alone. Returns
// false, with nothing changed, when the replacement cannot be made. A writer killed
// midway leaves no temporary file beyond the next write.
bool Replace(const std::string& path, const std::string& bytes);

}  // namespace platform::profile_file
