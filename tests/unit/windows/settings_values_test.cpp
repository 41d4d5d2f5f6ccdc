// What the configuration dialog makes of stored settings texts, and what it writes back.
#include "saver/windows/settings_values.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using mt::windows::SoundCheckFromText;
using mt::windows::SoundTextFromCheck;
using mt::windows::SpeedFromText;
using mt::windows::WeaponOption;
using mt::windows::WeaponOptionByNumber;
using mt::windows::WeaponTextFromOptions;

TEST(SettingsValues, SoundIsCheckedOnlyForExactlyOne) {
  EXPECT_EQ(SoundCheckFromText("1"), 1);
  for (const char* text : {"", "0", "01", " 1", "1 ", "yes", "2", "1.0", "-1"}) {
    EXPECT_EQ(SoundCheckFromText(text), 0) << '"' << text << '"';
  }
}

TEST(SettingsValues, SpeedInsideTheRangeIsTakenRoundedHalfToEven) {
  EXPECT_EQ(SpeedFromText("40"), 40);
  EXPECT_EQ(SpeedFromText("10"), 10);
  EXPECT_EQ(SpeedFromText("70"), 70);
  EXPECT_EQ(SpeedFromText(" 33 "), 33);
  EXPECT_EQ(SpeedFromText("040"), 40);
  EXPECT_EQ(SpeedFromText("40.5"), 40);
  EXPECT_EQ(SpeedFromText("41.5"), 42);
  EXPECT_EQ(SpeedFromText("40.6"), 41);
}

TEST(SettingsValues, SpeedOutsideTheRangeIsClamped) {
  EXPECT_EQ(SpeedFromText("500"), 70);
  EXPECT_EQ(SpeedFromText("71"), 70);
  EXPECT_EQ(SpeedFromText("9"), 10);
  EXPECT_EQ(SpeedFromText("0"), 10);
  EXPECT_EQ(SpeedFromText("-5"), 10);
  EXPECT_EQ(SpeedFromText("9.5"), 10);   // rounds to 10 (even)
  EXPECT_EQ(SpeedFromText("70.5"), 70);  // rounds to 70 (even)
  EXPECT_EQ(SpeedFromText("99999999999999999999"), 70);
  EXPECT_EQ(SpeedFromText("-99999999999999999999"), 10);
}

TEST(SettingsValues, SpeedThatIsNoNumberLeavesTheDesignValue) {
  for (const char* text : {"", "abc", "40abc", "fast", " ", "4 0", "1e2"}) {
    EXPECT_EQ(SpeedFromText(text), 20) << '"' << text << '"';
  }
}

TEST(SettingsValues, WeaponIsComparedAsANumber) {
  EXPECT_EQ(WeaponOptionByNumber("0"), WeaponOption::Shotgun);
  EXPECT_EQ(WeaponOptionByNumber("1"), WeaponOption::Flame);
  EXPECT_EQ(WeaponOptionByNumber("2"), WeaponOption::Rifle);
  EXPECT_EQ(WeaponOptionByNumber("01"), WeaponOption::Flame);
  EXPECT_EQ(WeaponOptionByNumber(" 2 "), WeaponOption::Rifle);
  EXPECT_EQ(WeaponOptionByNumber("2.0"), WeaponOption::Rifle);
  EXPECT_EQ(WeaponOptionByNumber("+1"), WeaponOption::Flame);
}

TEST(SettingsValues, AnyOtherWeaponIsTheShotgun) {
  for (const char* text : {"3", "-1", "1.5", "", "abc", "1abc", "rifle", "99999"}) {
    EXPECT_EQ(WeaponOptionByNumber(text), WeaponOption::Shotgun) << '"' << text << '"';
  }
}

TEST(SettingsValues, ControlsBackToText) {
  EXPECT_EQ(SoundTextFromCheck(1), "1");
  EXPECT_EQ(SoundTextFromCheck(0), "0");
  EXPECT_EQ(WeaponTextFromOptions(true, false, false), "0");
  EXPECT_EQ(WeaponTextFromOptions(false, true, false), "1");
  EXPECT_EQ(WeaponTextFromOptions(false, false, true), "2");
  EXPECT_EQ(WeaponTextFromOptions(false, false, false), "0");
  // Checked in order: the first selected one wins.
  EXPECT_EQ(WeaponTextFromOptions(false, true, true), "1");
}

}  // namespace
