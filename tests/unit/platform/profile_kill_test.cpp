// A writer killed at any moment never leaves a broken settings file behind.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>
#include <string>

#include "platform/profile.h"
#include "temp_folder.h"

namespace {

using mt::test::ReadFileBytes;
using mt::test::TempFolder;
using mt::test::WriteFileBytes;

TEST(ProfileKill, KilledWriterNeverLeavesAHalfWrittenFile) {
  TempFolder folder;
  const std::string file = folder / "rovoradizu.ini";
  // A large comment block makes each rewrite take long enough to be caught midway.
  std::string padding;
  for (int i = 0; i < 4000; ++i) padding += "; keep this comment line intact, byte for byte\n";
  const std::string head = "[applic]\nappcurrent=";
  const std::string tail = "\nappalert=5\n" + padding + "[speed]\nspeed=20\n";
  WriteFileBytes(file, head + "0" + tail);

  std::mt19937 random(7);
  for (int round = 0; round < 60; ++round) {
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (long n = 1;; ++n) {
        platform::WritePrivateProfileString("applic", "appcurrent", std::to_string(n % 1000), file);
      }
    }
    usleep(std::uniform_int_distribution<useconds_t>(200, 20000)(random));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);

    const std::string bytes = ReadFileBytes(file);
    ASSERT_GT(bytes.size(), head.size() + tail.size()) << "round " << round;
    ASSERT_EQ(bytes.compare(0, head.size(), head), 0) << "round " << round;
    ASSERT_EQ(bytes.compare(bytes.size() - tail.size(), tail.size(), tail), 0) << "round " << round;
    std::string value = bytes.substr(head.size(), bytes.size() - head.size() - tail.size());
    ASSERT_FALSE(value.empty());
    ASSERT_EQ(value.find_first_not_of("0123456789"), std::string::npos) << "round " << round;
    EXPECT_EQ(platform::GetPrivateProfileString("speed", "speed", "", 255, file), "20");
  }
}

}  // namespace
