// What each reader of the program folder's files does when the file is something else: a
// folder, a named pipe, a device, or larger than its kind allows. Each must give its own
// failure (no picture, a BadFile error, no sound, the default setting) at once: never
// hang, never fill memory, never let another error kind escape. Every call runs in a child
// under a deadline, since the faults this guards against are hangs and crashes.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "common/error.h"
#include "error_kind.h"
#include "in_child.h"
#include "internal/sound.h"
#include "platform/gdi.h"
#include "platform/profile.h"
#include "platform/services.h"
#include "sdl/cursor_file.h"
#include "temp_folder.h"

namespace {

using mt::test::InChild;
using mt::test::TempFolder;

bool CursorFails(const std::string& path) {
  return mt::test::ErrorKindOf([&] { platform::detail::ReadCursorFile(path); }) ==
         mt::ErrorKind::BadFile;
}

class HostileFile : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    const std::string kind = GetParam();
    if (kind == "folder") {
      std::filesystem::create_directory(path_);
    } else if (kind == "pipe") {
      ASSERT_EQ(mkfifo(path_.c_str(), 0600), 0);
    } else if (kind == "device") {
      std::filesystem::create_symlink("/dev/zero", path_);
    }
  }

  TempFolder folder_;
  std::string path_ = folder_ / "asset";
};

TEST_P(HostileFile, EveryReaderFailsAtOnceWithItsOwnFailure) {
  const std::string path = path_;
  EXPECT_TRUE(InChild([&] { return platform::gdi::LoadBitmapFile(path) == 0; })) << "bitmap";
  EXPECT_TRUE(InChild([&] { return CursorFails(path); })) << "cursor";
  EXPECT_TRUE(InChild([&] {
    platform::PlaySoundFile(path, platform::SND_FILENAME | platform::SND_ASYNC);
    platform::PlaySoundFile(path, platform::SND_FILENAME | platform::SND_ASYNC);
    return true;
  })) << "sound";
  EXPECT_TRUE(InChild([&] {
    return platform::GetPrivateProfileString("speed", "speed", "dflt", 255, path) == "dflt" &&
           !platform::WritePrivateProfileString("speed", "speed", "40", path);
  })) << "settings";
}

INSTANTIATE_TEST_SUITE_P(Kinds, HostileFile, ::testing::Values("folder", "pipe", "device"));

// A cursor with a good header and 64 MB of padding: far beyond any cursor, refused by its
// size before a byte of it is read.
TEST(FileCaps, CursorFarPastAnyCursorsSizeIsRefused) {
  TempFolder folder;
  const std::string cursor = folder / "big.cur";
  std::filesystem::copy_file(std::string(MT_DIST_ASSETS) + "scopeShot.cur", cursor);
  std::filesystem::resize_file(cursor, size_t{64} << 20);  // sparse: costs no disk
  EXPECT_TRUE(InChild([&] { return CursorFails(cursor); }));
}

}  // namespace
