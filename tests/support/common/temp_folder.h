#pragma once
// A temporary folder, removed with everything in it when the object goes.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace mt::test {

class TempFolder {
 public:
  TempFolder() {
    // A random name, made only if nobody has it (create_directory fails on an existing one).
    std::random_device seed;
    std::mt19937 random(seed());
    const auto base = std::filesystem::temp_directory_path();
    for (;;) {
      path_ = base / ("mt-test-" + std::to_string(random()));
      if (std::filesystem::create_directory(path_)) break;
    }
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

inline std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

}  // namespace mt::test
