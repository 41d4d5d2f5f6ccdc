// The exit sequence, the password mode of the 9x family, registry reading, the wait.
#include <gtest/gtest.h>

#include "settings_fixture.h"

namespace {

using mt::test::ProcessEnded;
using Log = std::vector<std::string>;

class Exit : public mt::test::SettingsFileTest {
 protected:
  void PasswordFamily(int32_t platform_id, const std::string& setting) {
    services.platform_id = platform_id;
    services.registry_found = !setting.empty();
    std::vector<uint8_t> data(setting.begin(), setting.end());
    data.push_back(0);
    services.registry_value = {platform::REG_SZ, data};
    mScreenSaver::ReadPlatform();
    mScreenSaver::ReadPasswordSetting();
  }
  bool RunExit() {
    try {
      mScreenSaver::ExitSaver();
    } catch (const ProcessEnded& e) {
      EXPECT_EQ(e.status, 0);
      return true;
    }
    return false;
  }
  Log StateCalls() {
    Log out;
    for (const auto& c : services.calls) {
      if (c.rfind("ReadRegistry", 0) != 0) out.push_back(c);
    }
    return out;
  }
  const std::string counter = "[applic]\nappcurrent=1\nappalert=5\nappdisplay=1\n";
};

TEST_F(Exit, NtFamilyRestoresTaskbarAndSoundThenCountsAndEnds) {
  PasswordFamily(2, "1");  // the setting is ignored outside the 9x family
  Given(counter);
  mScreenSaver::State().m_bSoundOn = true;
  EXPECT_TRUE(RunExit());
  EXPECT_EQ(StateCalls(), (Log{"ShowTaskbar 1", "StopSound", "EndProcess 0"}));
  EXPECT_EQ(windows.log, (Log{"frmSaver.Unload"}));
  EXPECT_EQ(Key("applic", "appcurrent"), "2");
}

TEST_F(Exit, NineXWithoutPasswordTouchesNeitherKeysNorWindowOrder) {
  PasswordFamily(1, "0");  // and with the sound off, the sound is left alone
  mScreenSaver::EnableSystemKeys(false);
  mScreenSaver::SetTopmost(true);
  mScreenSaver::HideTaskbar(true);
  EXPECT_TRUE(RunExit());
  EXPECT_EQ(StateCalls(), (Log{"ShowTaskbar 0", "ShowTaskbar 1", "EndProcess 0"}));
}

TEST_F(Exit, WrongPasswordResumesTheRunWithNothingUndone) {
  PasswordFamily(1, "1");
  Given(counter);
  services.password_ok = false;
  EXPECT_FALSE(RunExit());
  EXPECT_EQ(StateCalls(), (Log{"VerifyPassword 101"}));
  EXPECT_EQ(windows.log, (Log{"frmSaver.Show"}));
  EXPECT_EQ(Bytes(), counter);
}

TEST_F(Exit, RightPasswordRestoresEverythingInOrder) {
  PasswordFamily(0, "1");  // a failed version query counts as the 9x family
  Given(counter);
  mScreenSaver::State().m_bSoundOn = true;
  EXPECT_TRUE(RunExit());
  EXPECT_EQ(StateCalls(), (Log{"VerifyPassword 101", "SetScreenSaverRunning 0", "SetTopmost 101 0",
                               "ShowTaskbar 1", "StopSound", "EndProcess 0"}));
  EXPECT_EQ(Key("applic", "appcurrent"), "2");
}

TEST_F(Exit, ErrorShowsTheWarningFirstThenExits) {
  PasswordFamily(2, "");
  try {
    mScreenSaver::ShowErrorAndExit(mScreenSaver::MissingFilesMessage());
  } catch (const ProcessEnded&) {
  }
  EXPECT_EQ(StateCalls(),
            (Log{"MessageBox Marrowtide Gobble-run warning", "ShowTaskbar 1", "EndProcess 0"}));
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_EQ(services.messages[0],
            "One or more files are missing from application. Please download and re-install the "
            "software from https://marrowtide.example");
}

TEST_F(Exit, InsideADaemonsWindowTheEndCountsNothingStartsNothingAndShowsNothing) {
  PasswordFamily(2, "");
  Given(counter + "[weapon]\nweapon=1\n");
  const std::string before = Bytes();
  mScreenSaver::State().m_bHackMode = true;
  mScreenSaver::State().m_bSoundOn = true;
  EXPECT_TRUE(RunExit());
  EXPECT_EQ(StateCalls(), (Log{"StopSound", "EndProcess 0"}));
  EXPECT_EQ(windows.log, (Log{"frmSaver.Unload"}));
  services.calls.clear();
  try {
    mScreenSaver::ShowErrorAndExit(mScreenSaver::MissingFilesMessage());
  } catch (const ProcessEnded&) {
  }
  EXPECT_TRUE(services.messages.empty()) << "a message box inside the daemon's window";
  EXPECT_EQ(StateCalls(), (Log{"StopSound", "EndProcess 0"}));
  EXPECT_EQ(Bytes(), before);
}

TEST_F(Exit, ErrorWithAWrongPasswordReturnsToTheCaller) {
  PasswordFamily(1, "1");
  services.password_ok = false;
  mScreenSaver::ShowErrorAndExit("x");  // returns instead of ending
  EXPECT_EQ(StateCalls(), (Log{"SetTopmost 101 0", "MessageBox Marrowtide Gobble-run warning",
                               "VerifyPassword 101"}));
}

TEST_F(Exit, RegistryTextsAsTheyAreStored) {
  using mScreenSaver::RegGetString;
  services.registry_found = true;
  services.registry_value = {platform::REG_DWORD, {1, 0, 0, 0}};
  EXPECT_EQ(RegGetString(platform::HKEY_CURRENT_USER, "k", "v"), "001");
  services.registry_value = {platform::REG_DWORD, {0x39, 0x30, 0, 0}};  // 12345
  EXPECT_EQ(RegGetString(platform::HKEY_CURRENT_USER, "k", "v"), "123");
  services.registry_value = {platform::REG_SZ, {'1', 0}};
  EXPECT_EQ(RegGetString(platform::HKEY_CURRENT_USER, "k", "v"), "1");
  services.registry_value = {platform::REG_SZ, {}};
  EXPECT_EQ(RegGetString(platform::HKEY_CURRENT_USER, "k", "v"), "");
  services.calls.clear();
  EXPECT_EQ(RegGetString(0x12345678, "k", "v"), "");
  EXPECT_FALSE(services.Called("ReadRegistry")) << "an unknown root is not even opened";
  services.registry_found = false;
  EXPECT_EQ(RegGetString(platform::HKEY_CURRENT_USER, "k", "v"), "");
}

TEST_F(Exit, UsePasswordValueFromTheRegistryText) {
  for (auto [text, expected] :
       {std::pair{"001", 1}, {"0", 0}, {"", 0}, {"abc", 0}, {" 2x", 2}, {"99999", 1}}) {
    PasswordFamily(1, text);
    EXPECT_EQ(mScreenSaver::State().m_iUsePassword, expected) << text;
  }
}

// (A target already past, the scene's frame-period tests hold: one message pass, no wait.)
class Wait : public mt::test::SettingsFileTest {};

TEST_F(Wait, FutureTargetSleepsInTheEventWaitUntilItComes) {
  services.now = 1000;
  services.wait_reaches_deadline = false;
  services.wait_advances = 20;
  mScreenSaver::WaitUntilTick(1050);
  EXPECT_EQ(services.now, 1060u);
  EXPECT_EQ(services.CountCalls("WaitForMessages 1050"), 3);
  EXPECT_EQ(services.CountCalls("ProcessMessages"), 4);
}

}  // namespace
