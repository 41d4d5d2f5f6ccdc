// Process facts on Linux: ticks, file look-up. (That the program finds its folder through a
// link, the install e2e test shows; that a second run sees the first, the scene e2e test.)
#include "platform/system.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>

#include "temp_folder.h"

namespace {

TEST(TickCount, IsMonotonicMilliseconds) {
  uint32_t a = platform::TickCountMs();
  usleep(20000);
  uint32_t b = platform::TickCountMs();
  int32_t diff = static_cast<int32_t>(b - a);
  EXPECT_GE(diff, 19);
  EXPECT_LT(diff, 5000);
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
