// What the configuration dialog makes of stored settings texts. (What it writes back, the
// dialog's e2e test reads from the file.)
#include "saver/windows/settings_values.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using mt::windows::SoundCheckFromText;
using mt::windows::SpeedFromText;
using mt::windows::WeaponOption;
using mt::windows::WeaponOptionByNumber;

TEST(SettingsValues, SoundIsCheckedOnlyForExactlyOne) {
  EXPECT_EQ(SoundCheckFromText("1"), 1);
  for (const char* text : {"", "0", "01", " 1", "1 ", "yes", "2", "1.0", "-1"}) {
    EXPECT_EQ(SoundCheckFromText(text), 0) << '"' << text << '"';
  }
}

TEST(SettingsValues, SpeedIsRoundedHalfToEvenAndClampedAndNoNumberLeavesTheDesignValue) {
  const std::vector<std::pair<int, std::vector<const char*>>> cases = {
      {40, {"40", "040", "40.5"}},
      {33, {" 33 "}},
      {42, {"41.5"}},
      {41, {"40.6"}},
      {70, {"70", "71", "500", "70.5", "99999999999999999999"}},
      {10, {"10", "9", "0", "-5", "9.5", "-99999999999999999999"}},
      {20, {"", "abc", "40abc", " ", "4 0", "1e2"}},
  };
  for (const auto& [speed, texts] : cases)
    for (const char* text : texts) EXPECT_EQ(SpeedFromText(text), speed) << '"' << text << '"';
}

TEST(SettingsValues, WeaponIsComparedAsANumberAndAnyOtherIsTheShotgun) {
  const std::vector<std::pair<WeaponOption, std::vector<const char*>>> cases = {
      {WeaponOption::Flame, {"1", "01", "+1"}},
      {WeaponOption::Rifle, {"2", " 2 ", "2.0"}},
      {WeaponOption::Shotgun, {"0", "3", "-1", "1.5", "", "abc", "1abc", "rifle", "99999"}},
  };
  for (const auto& [option, texts] : cases)
    for (const char* text : texts) EXPECT_EQ(WeaponOptionByNumber(text), option) << '"' << text;
}

}  // namespace
