#include "saver/windows/settings_values.h"

#include <algorithm>
#include <cmath>

#include "common/numeric.h"
#include "saver/windows/layouts/layouts.h"

namespace mt::windows {

int32_t SoundCheckFromText(const std::string& sSoundPlay) {
  return sSoundPlay == "1" ? 1 : 0;
}

int32_t SpeedFromText(const std::string& sSpeed) {
  const mt::layout::Control& bar = *frmSettingsLayout().Find("HScrollSpeed");
  const std::optional<double> number = mt::WholeNumber(sSpeed);
  if (!number) return bar.value;
  // Clamp before converting: a stored speed far outside the bar's range must still open the
  // dialog, where the bar itself would refuse the value.
  const double rounded = mt::RoundHalfEven(*number);
  return static_cast<int32_t>(
      std::clamp(rounded, static_cast<double>(bar.min), static_cast<double>(bar.max)));
}

WeaponOption WeaponOptionByNumber(const std::string& sWeapon) {
  const std::optional<double> number = mt::WholeNumber(sWeapon);
  if (!number) return WeaponOption::Shotgun;
  if (*number == 0) return WeaponOption::Shotgun;
  if (*number == 1) return WeaponOption::Flame;
  if (*number == 2) return WeaponOption::Rifle;
  return WeaponOption::Shotgun;
}

std::string SoundTextFromCheck(int32_t check_value) {
  return check_value == 1 ? "1" : "0";
}

std::string SpeedTextFromBar(int32_t bar_value) {
  return std::to_string(bar_value);
}

std::string WeaponTextFromOptions(bool shotgun, bool flame, bool rifle) {
  if (shotgun) return "0";
  if (flame) return "1";
  if (rifle) return "2";
  return "0";
}

}  // namespace mt::windows
