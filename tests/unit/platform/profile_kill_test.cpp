// A writer killed at any moment never leaves a broken settings file behind, and whatever
// temporary file it leaves does not outlive the next write.
// MT_PROFILE_KILLS sets the number of kills (default 60; the full crash test runs 1000).
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <random>
#include <string>

#include "platform/profile.h"
#include "temp_folder.h"

namespace {

using mt::test::ReadFileBytes;
using mt::test::TempFolder;
using mt::test::WriteFileBytes;

int Kills() {
  const char* n = std::getenv("MT_PROFILE_KILLS");
  return n ? std::atoi(n) : 60;
}

TEST(ProfileKill, KilledWriterLeavesAWholeFileAndNoTemporaryFile) {
  TempFolder folder;
  const std::string file = folder / "rovoradizu.ini";
  // A large comment block makes each rewrite take long enough to be caught midway.
  std::string padding;
  for (int i = 0; i < 4000; ++i) padding += "; keep this comment line intact, byte for byte\n";
  const std::string head = "[applic]\nappcurrent=";
  const std::string tail = "\nappalert=5\n" + padding + "[speed]\nspeed=20\n";
  WriteFileBytes(file, head + "0" + tail);

  std::mt19937 random(7);
  int broken = 0, temporaries_left = 0, leftovers_seen = 0;
  const int kills = Kills();
  for (int round = 0; round < kills; ++round) {
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
    const bool whole = bytes.size() > head.size() + tail.size() &&
                       bytes.compare(0, head.size(), head) == 0 &&
                       bytes.compare(bytes.size() - tail.size(), tail.size(), tail) == 0 &&
                       bytes.substr(head.size(), bytes.size() - head.size() - tail.size())
                               .find_first_not_of("0123456789") == std::string::npos &&
                       platform::GetPrivateProfileString("speed", "speed", "", 255, file) == "20";
    if (!whole) ++broken;
    if (std::distance(std::filesystem::directory_iterator(folder.path()), {}) > 1) {
      ++leftovers_seen;
    }
    // The next write, by anyone, clears what the killed writer left.
    ASSERT_TRUE(platform::WritePrivateProfileString("speed", "speed", "20", file));
    if (std::distance(std::filesystem::directory_iterator(folder.path()), {}) != 1) {
      ++temporaries_left;
    }
  }
  std::cout << kills << " kills: " << broken << " broken files, " << leftovers_seen
            << " temporary files seen right after a kill, " << temporaries_left
            << " left after the next write\n";
  EXPECT_EQ(broken, 0);
  EXPECT_EQ(temporaries_left, 0);
}

}  // namespace
