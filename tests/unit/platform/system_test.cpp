// Process facts on Linux: ticks, previous instance, file look-up. (That the program finds
// its folder through a link, the install e2e test shows.)
#include "platform/system.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "temp_folder.h"

namespace {

// When started as the probe of the previous-instance test, answer and end before any test
// runs: the exit status says whether this second process saw the first one.
[[maybe_unused]] const bool probe_answered = [] {
  if (std::getenv("MT_PREVIOUS_INSTANCE_PROBE")) _exit(platform::PreviousInstanceRunning() ? 1 : 0);
  return false;
}();

TEST(TickCount, IsMonotonicMilliseconds) {
  uint32_t a = platform::TickCountMs();
  usleep(20000);
  uint32_t b = platform::TickCountMs();
  int32_t diff = static_cast<int32_t>(b - a);
  EXPECT_GE(diff, 19);
  EXPECT_LT(diff, 5000);
}

TEST(PreviousInstance, SecondProcessOfTheSameProgramSeesTheFirst) {
  ASSERT_FALSE(platform::PreviousInstanceRunning());  // this process takes the claim
  EXPECT_FALSE(platform::PreviousInstanceRunning());  // and keeps it
  // A second process of the same program file, started afresh (a fork would share our claim).
  pid_t child = fork();
  if (child == 0) {
    setenv("MT_PREVIOUS_INSTANCE_PROBE", "1", 1);
    execl("/proc/self/exe", "probe", static_cast<char*>(nullptr));
    _exit(2);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);
}

TEST(FileLookUp, FindsOnlyTheExactName) {
  mt::test::TempFolder folder;
  std::ofstream(folder / "background.bmp") << "x";
  EXPECT_EQ(platform::FindFileInFolder(folder.path().string(), "background.bmp"), "background.bmp");
  EXPECT_EQ(platform::FindFileInFolder(folder.path().string(), "Background.bmp"), "");
  EXPECT_EQ(platform::FindFileInFolder(folder.path().string(), "tree.bmp"), "");
  EXPECT_EQ(platform::FindFileInFolder((folder.path() / "nope").string(), "background.bmp"), "");
}

}  // namespace
