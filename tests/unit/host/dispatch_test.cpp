// Mode dispatch from the raw command line, through the seam and recording windows.
#include <gtest/gtest.h>

#include "fake_forms.h"
#include "fake_services.h"
#include "saver/host/mScreenSaver.h"

namespace {

using mt::test::FakeServices;
using mt::test::ProcessEnded;
using mt::test::RecordingForms;
using Log = std::vector<std::string>;

class Dispatch : public ::testing::Test {
 protected:
  void SetUp() override { mScreenSaver::ResetModuleState(); }
  // Runs Main with the raw argument text; a mode that ends the process stops here.
  void Run(const std::string& raw) {
    try {
      mMain::Main(windows.forms(), raw);
    } catch (const ProcessEnded& e) {
      ended_with = e.status;
    }
  }
  FakeServices services;
  RecordingForms windows;
  int ended_with = -1;
};

TEST_F(Dispatch, ConfigurationIgnoresWhatFollowsItsSwitchAndAnythingElseUnknownRuns) {
  const auto expect = [&](const char* raw, const Log& want) {
    windows.log.clear();
    Run(raw);
    EXPECT_EQ(windows.log, want) << "'" << raw << "'";
  };
  for (const char* raw : {"/c", "/C", "/c:4711", " /c 99 "})
    expect(raw, {"frmSettings.Load", "frmSettings.Show"});
  for (const char* raw : {"", "/s", "/S", "  /S  ", "/S 1234", "/X", "-s", "/", "\t/c", "/sc"})
    expect(raw, {"frmSaver.Load", "frmSaver.Show"});
  EXPECT_FALSE(services.Called("ChangePassword"));
}

TEST(HackMode, TheDaemonsWordsAndWindowVariable) {
  using mScreenSaver::HackTargetFrom;
  struct Case {
    const char* raw;
    const char* env;
    bool hack;
    bool valid;
    uint32_t window;
  };
  const Case cases[] = {
      {"/s", nullptr, false, true, 0},
      {"", "", false, true, 0},
      {"-root", nullptr, true, true, 0},
      {"--root", nullptr, true, true, 0},
      {"--window-id 4711 --root", nullptr, true, true, 4711},
      {"-window-id 0X1F", nullptr, true, true, 31},
      {"--root", "0x400001", true, true, 0x400001},  // the variable wins
      {"", "123", true, true, 123},
      {"-window-id", nullptr, true, false, 0},
      {"-window-id 0x", nullptr, true, false, 0},
      {"-window-id 12ab", nullptr, true, false, 0},
      {"-window-id 0", nullptr, true, false, 0},
      {"-window-id 0x100000000", nullptr, true, false, 0},
      {"-root", "not-a-window", true, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.raw) + " / " + (c.env ? c.env : "unset"));
    const auto target = HackTargetFrom(c.raw, c.env);
    ASSERT_EQ(target.has_value(), c.hack);
    if (!target) continue;
    EXPECT_EQ(target->valid, c.valid);
    if (c.valid) {
      EXPECT_EQ(target->window, c.window);
    }
  }
}

#ifndef _WIN32  // hack mode is for the X11 daemons; a good window id, the hack e2e test runs
TEST_F(Dispatch, HackModeWithABadWindowIdEndsWithAFailureBeforeAnyWindow) {
  Run("-window-id nothing");
  EXPECT_TRUE(windows.log.empty());
  EXPECT_EQ(ended_with, 1);
}
#endif

TEST_F(Dispatch, PasswordChangeReadsTheOwnerFromTheRawText) {
  Run("/a 1234");
  EXPECT_TRUE(services.Called("ChangePassword 1234"));
  EXPECT_EQ(mScreenSaver::State().m_lParentWnd, 1234);
  Run("/a:1234");  // the colon ends the number before it starts
  EXPECT_TRUE(services.Called("ChangePassword 0"));
  Run("/A    77.5xyz");
  EXPECT_EQ(mScreenSaver::State().m_lParentWnd, 78);
  EXPECT_TRUE(windows.log.empty()) << "no window of the program opens";
}

TEST_F(Dispatch, PreviewLoadsTheHolderPumpsAndEnds) {
  Run("/p 1234");
  EXPECT_EQ(windows.log, (Log{"frmPreview.Load"}));
  EXPECT_EQ(services.CountCalls("ProcessMessages"), 400);
  EXPECT_EQ(ended_with, 0);
}

TEST(HandleArgument, DropsTheGivenCharactersThenReadsTheLeadingNumber) {
  using mScreenSaver::ReadHandleArgument;
  EXPECT_EQ(ReadHandleArgument("/p 1234", 3), 1234);
  EXPECT_EQ(ReadHandleArgument("/P:1234", 3), 1234);
  EXPECT_EQ(ReadHandleArgument("/p1234", 3), 234);
  EXPECT_EQ(ReadHandleArgument(" /p 1234", 3), 1234);  // blank, slash and letter dropped
  EXPECT_EQ(ReadHandleArgument("/p ", 3), 0);
  EXPECT_EQ(ReadHandleArgument("/p", 3), 0);
  EXPECT_EQ(ReadHandleArgument("/p 2.5", 3), 2);
  EXPECT_EQ(ReadHandleArgument("/p 99999999999", 3), 0);  // beyond 32 bits names no window
  EXPECT_EQ(ReadHandleArgument("/p -5", 3), -5);
}

// (No device keeping the sound off, the scene's settings tests hold.)
TEST_F(Dispatch, TheRunCountsTheSoundDevicesAndAnyNumberOfThemIsADevice) {
  services.sound_devices = 2;
  Run("/s");
  EXPECT_TRUE(mScreenSaver::State().m_bSoundDevice);
}

TEST_F(Dispatch, PlatformAndPasswordSettingAreReadInEveryMode) {
  services.platform_id = 1;
  services.registry_found = true;
  services.registry_value = {platform::REG_SZ, {'1', 0}};
  Run("/c");
  EXPECT_EQ(mScreenSaver::State().m_lPlatformId, 1);
  EXPECT_EQ(mScreenSaver::State().m_iUsePassword, 1);
  EXPECT_TRUE(
      services.Called("ReadRegistry 2147483649 Control Panel\\Desktop ScreenSaveUsePassword"));
}

}  // namespace
