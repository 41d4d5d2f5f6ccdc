// Per-user settings where the program folder is not writable: the copy made on first need,
// what is never touched, and the fall-backs. The folder's writability is passed in (these
// tests run as root, who may write anywhere); the e2e test runs the real programs as a
// user who may not.
#include "core/user_settings.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "temp_folder.h"

namespace {

using mt::test::ReadFileBytes;
using mt::test::TempFolder;
using mt::test::WriteFileBytes;
using platform::detail::ChooseSettingsFile;

const std::string kInstalled = "; installed\r\n[speed]\r\nspeed=20\r\n[applic]\r\nappcurrent=0\r\n";

class UserSettings : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directory(root / "program");
    WriteFileBytes(installed, kInstalled);
  }
  std::string Choose(bool make_copy) {
    return ChooseSettingsFile(installed, "marrowtide-gobble-run", make_copy, false, config_home);
  }

  TempFolder root;
  std::string installed = root / "program/rovoradizu.ini";
  std::string config_home = root / "home/.config";
  std::string own = root / "home/.config/marrowtide-gobble-run/rovoradizu.ini";
};

// (Once a copy exists, a reader uses it: the next test.)
TEST_F(UserSettings, AReaderThatMustNotWriteUsesTheInstalledFileAndMakesNoFolder) {
  EXPECT_EQ(Choose(false), installed);
  EXPECT_FALSE(std::filesystem::exists(root / "home"));
}

TEST_F(UserSettings, TheFirstNeedMakesAPrivateCopyThatIsUsedFromThenOn) {
  EXPECT_EQ(Choose(true), own);
  const auto perms =
      std::filesystem::status(root.path() / "home/.config/marrowtide-gobble-run").permissions();
  EXPECT_EQ(perms & std::filesystem::perms::all, std::filesystem::perms::owner_all);

  // From then on a reader uses it too. (That the user's changes stay in it, the per-user
  // install e2e test shows.)
  EXPECT_EQ(Choose(false), own);
  // Nothing but the copy is left in its folder (no temporary file).
  size_t entries = 0;
  for ([[maybe_unused]] const auto& e :
       std::filesystem::directory_iterator(root.path() / "home/.config/marrowtide-gobble-run")) {
    ++entries;
  }
  EXPECT_EQ(entries, 1u);
}

TEST_F(UserSettings, AFolderThatCannotBeMadeLeavesTheSettingsAsInstalled) {
  WriteFileBytes(root / "home", "a file where the home folder should be");
  EXPECT_EQ(Choose(true), installed);
  EXPECT_EQ(ChooseSettingsFile(installed, "marrowtide-gobble-run", true, false, ""), installed);
  EXPECT_EQ(ReadFileBytes(installed), kInstalled);
}

TEST_F(UserSettings, WithoutAnInstalledFileTheUsersOwnStartsEmpty) {
  std::filesystem::remove(installed);
  EXPECT_EQ(Choose(true), own);
  EXPECT_TRUE(std::filesystem::is_directory(root / "home/.config/marrowtide-gobble-run"));
  EXPECT_FALSE(std::filesystem::exists(own));
}

}  // namespace
