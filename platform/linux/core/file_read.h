#pragma once
// The one way in for every file the programs read: pictures, cursors, sounds and the
// settings file. Only a regular file is read, checked on the open handle (so a file
// swapped for a pipe between the check and the open cannot hang us); it is opened without
// blocking, and no more than the caller's cap is ever read. Internal to platform/linux.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace platform::detail {

enum class FileRead {
  Ok,
  Missing,     // nothing by that name (or a folder on the way is missing)
  NotRegular,  // a folder, pipe, socket or device
  TooLarge,    // more bytes than the cap
  Failed,      // no permission, an I/O error, no memory
};

// Reads the whole file into `bytes`, which is left empty on any failure.
FileRead ReadRegularFile(const std::string& path, size_t max_bytes, std::vector<uint8_t>& bytes);

// The same, with every failure thrown as mt::Error (BadFile) naming the file and why.
std::vector<uint8_t> ReadRegularFileOrFail(const std::string& path, size_t max_bytes);

}  // namespace platform::detail
