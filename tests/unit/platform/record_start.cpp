// Test stand-in for a started program: records its start beside itself ("started", with
// its argument count), then waits until the test creates "release" (or 20 s pass).
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

int main(int argc, char** argv) {
  auto folder = std::filesystem::read_symlink("/proc/self/exe").parent_path();
  {
    std::ofstream out(folder / "started", std::ios::app);
    out << "argc=" << argc << " argv0=" << argv[0] << "\n";
  }
  for (int i = 0; i < 200 && !std::filesystem::exists(folder / "release"); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  std::ofstream(folder / "ended") << "1";
  return 0;
}
