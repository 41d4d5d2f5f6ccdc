// The run counter in the settings file and the one-time start of the companion.
#include <gtest/gtest.h>

#include "settings_fixture.h"

namespace {

class Companion : public mt::test::SettingsFileTest {
 protected:
  std::string Applic(const std::string& current, const std::string& alert,
                     const std::string& display) {
    return "[speed]\r\nspeed=20\r\n[applic]\r\nappcurrent=" + current + "\r\nappalert=" + alert +
           "\r\nappdisplay=" + display + "\r\n";
  }
  int Starts() { return services.CountCalls("StartProgram " + mScreenSaver::CompanionPath()); }
};

// (Online, a due companion starts: the scene e2e test runs that through a real exit.)
TEST_F(Companion, OfflineADueCompanionNeitherStartsNorChangesTheFile) {
  Given(Applic("2", "2", "1"));
  services.online = false;
  mScreenSaver::LaunchCompanionIfDue();
  EXPECT_EQ(Starts(), 0);
  EXPECT_EQ(Bytes(), Applic("2", "2", "1"));
}

TEST_F(Companion, CountsUpToTheThresholdThenStartsOnceAndRecordsEvenAFailedTry) {
  Given(Applic("0", "3", "1"));
  services.start_succeeds = false;
  for (const char* expected : {"1", "2", "3"}) {
    mScreenSaver::LaunchCompanionIfDue();
    EXPECT_EQ(Key("applic", "appcurrent"), expected);
    EXPECT_EQ(Starts(), 0);
  }
  mScreenSaver::LaunchCompanionIfDue();
  EXPECT_EQ(Starts(), 1);
  EXPECT_EQ(Bytes(), Applic("3", "3", "0"));  // the count is not raised once due
  mScreenSaver::LaunchCompanionIfDue();
  EXPECT_EQ(Starts(), 1) << "never again once tried";
  EXPECT_TRUE(services.messages.empty());
}

TEST_F(Companion, CountTextIsRewrittenAsItsShortestNumber) {
  Given(Applic("007", "10", "1"));
  EXPECT_FALSE(mScreenSaver::CompanionDue());
  EXPECT_EQ(Key("applic", "appcurrent"), "8");
  EXPECT_EQ(mScreenSaver::State().m_sAppCurrent, "8");
}

TEST_F(Companion, UnreadableOrZeroCountsMakeItDueAtOnce) {
  for (auto [current, alert] :
       {std::pair{"0", "0"}, {"abc", "5"}, {"40000", "5"}, {"1", ""}, {"", "5"}, {"3", "2"}}) {
    Given(Applic(current, alert, "1"));
    EXPECT_TRUE(mScreenSaver::CompanionDue()) << current << "/" << alert;
    EXPECT_EQ(Bytes(), Applic(current, alert, "1")) << "nothing written while deciding";
  }
}

TEST_F(Companion, AnyDisplayValueButOneOrNoSettingsFileNeverStartsIt) {
  for (const char* display : {"0", "01", "' 1'", "yes", ""}) {
    Given(Applic("9", "2", display));
    mScreenSaver::LaunchCompanionIfDue();
    EXPECT_EQ(Bytes(), Applic("9", "2", display)) << display;
  }
  Given("[applic]\nappcurrent=0\nappalert=0\n");  // key absent
  mScreenSaver::LaunchCompanionIfDue();
  EXPECT_EQ(Bytes(), "[applic]\nappcurrent=0\nappalert=0\n");
  std::filesystem::remove(file);  // no settings file at all
  mScreenSaver::LaunchCompanionIfDue();
  EXPECT_FALSE(std::filesystem::exists(file));
  EXPECT_EQ(Starts(), 0);
}

}  // namespace
