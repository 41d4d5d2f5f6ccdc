// Starting programs and the online test, with real processes and real network namespaces.
#include "internal/shell.h"

#include <gtest/gtest.h>
#include <sched.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "temp_folder.h"

namespace {

using mt::test::ReadFileBytes;
using mt::test::TempFolder;
namespace fs = std::filesystem;

bool WaitForFile(const fs::path& path) {
  for (int i = 0; i < 100; ++i) {
    if (fs::exists(path) && !ReadFileBytes(path.string()).empty()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return false;
}

TEST(ProcessStart, StartsTheProgramByPathWithoutArgumentsAndDoesNotWait) {
  TempFolder folder;
  // A folder name with a space and shell characters: no shell may interpret it.
  fs::path dir = folder.path() / "program folder; $(touch x)";
  fs::create_directories(dir);
  fs::path program = dir / "MarrowtideEmail";
  fs::copy_file(RECORD_START_PROGRAM, program);

  // The child waits for "release": if the start waited for it, this call would not return.
  ASSERT_TRUE(platform::StartDetached(program.string()));
  ASSERT_TRUE(WaitForFile(dir / "started"));
  EXPECT_EQ(ReadFileBytes((dir / "started").string()), "argc=1 argv0=" + program.string() + "\n");
  EXPECT_FALSE(fs::exists("x"));
  std::ofstream(dir / "release").put('1');
  EXPECT_TRUE(WaitForFile(dir / "ended"));  // it runs on by itself and ends when released
}

TEST(ProcessStart, MissingOrRelativeProgramFailsQuietly) {
  TempFolder folder;
  EXPECT_FALSE(platform::StartDetached((folder.path() / "MarrowtideEmail").string()));
  EXPECT_FALSE(platform::StartDetached("MarrowtideEmail"));
  EXPECT_FALSE(platform::StartDetached(""));
  fs::path not_executable = folder.path() / "plain";
  std::ofstream(not_executable) << "text";
  EXPECT_FALSE(platform::StartDetached(not_executable.string()));
}

TEST(OpenDocument, RunsTheOpenerWithTheAddressAsOneArgument) {
  TempFolder folder;
  fs::path log = folder.path() / "opened";
  fs::path opener = folder.path() / "xdg-open";
  {
    std::ofstream script(opener);
    script << "#!/bin/sh\nprintf '%s|%s\\n' \"$#\" \"$1\" >> '" << log.string() << "'\n";
  }
  fs::permissions(opener, fs::perms::owner_all);
  std::string old_path = std::getenv("PATH") ? std::getenv("PATH") : "";
  setenv("PATH", (folder.path().string() + ":" + old_path).c_str(), 1);
  const std::string address = "https://marrowtide.example/a?b=1&c=$(id) 'x'";
  EXPECT_GT(platform::ShellOpen(address), 32);
  setenv("PATH", old_path.c_str(), 1);
  ASSERT_TRUE(WaitForFile(log));
  EXPECT_EQ(ReadFileBytes(log.string()), "1|" + address + "\n");
}

// Runs `body` in a child process inside a new, empty network namespace. Returns the
// child's exit status, or -1 when namespaces are not available here.
int InNewNetworkNamespace(bool (*body)()) {
  pid_t child = fork();
  if (child == 0) {
    if (unshare(CLONE_NEWNET) != 0) _exit(77);
    _exit(body() ? 1 : 0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) == 77) return -1;
  return WEXITSTATUS(status);
}

// (A default route meaning online, the scene e2e test's companion start holds on this
// machine's own route.)
TEST(OnlineTest, NoRouteMeansOffline) {
  int result = InNewNetworkNamespace([] { return platform::InternetConnected(); });
  if (result < 0) GTEST_SKIP() << "network namespaces need root";
  EXPECT_EQ(result, 0);
}

}  // namespace
