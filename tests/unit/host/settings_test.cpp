// Reading settings and the paths built from the program's folder.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/system.h"
#include "settings_fixture.h"

namespace {

// Paths written with '/' here, in the platform's separator.
std::string Native(std::string path) {
  std::replace(path.begin(), path.end(), '/', platform::PathSeparator());
  return path;
}

TEST(ProgramPaths, OneSeparatorBetweenFolderAndName) {
  using mScreenSaver::JoinProgramPath;
  EXPECT_EQ(JoinProgramPath(Native("/"), "rovoradizu.ini"), Native("/rovoradizu.ini"));
  EXPECT_EQ(JoinProgramPath(Native("/opt/saver"), "rovoradizu.ini"),
            Native("/opt/saver/rovoradizu.ini"));
  EXPECT_EQ(JoinProgramPath(Native("/opt/saver/"), "MarrowtideEmail"),
            Native("/opt/saver/MarrowtideEmail"));
}

TEST(ProgramPaths, AllThreeLieInTheProgramsFolder) {
  const std::string folder = platform::ProgramFolder();
#ifdef _WIN32
  const std::string companion = "MarrowtideEmail.exe";
#else
  const std::string companion = "MarrowtideEmail";
#endif
  EXPECT_EQ(mScreenSaver::SettingsFilePath(), folder + Native("/rovoradizu.ini"));
  EXPECT_EQ(mScreenSaver::AssetFolderPath(), folder + Native("/duruzarurode/gobblerun/"));
  EXPECT_EQ(mScreenSaver::CompanionPath(), folder + Native("/") + companion);
}

class Settings : public mt::test::SettingsFileTest {};

// (The reading and writing rules are the profile tests'; the run counter's tests use both.)
TEST_F(Settings, ReadsAt254CharactersAndReplacesWhatTheVariableHeldAndLosesAFailedWrite) {
  Given("[weapon]\nweapon=" + std::string(300, '2') + "\n");
  EXPECT_EQ(Key("weapon", "weapon"), std::string(254, '2'));
  std::string value = "stale";  // even with no file
  mScreenSaver::ReadSetting("speed", "speed", value, file + ".none");
  EXPECT_EQ(value, "");
  mScreenSaver::WriteSetting("speed", "speed", "40", file + ".d/missing/x.ini");  // no throw
}

}  // namespace
