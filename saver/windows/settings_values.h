#pragma once
// How the configuration dialog turns the stored settings texts into control values when it
// opens, and the controls back into texts when it closes. Kept free of any window so the
// rules can be checked on their own.
#include <cstdint>
#include <string>

namespace mt::windows {

// Read by number, unlike the scene's exact text: they differ only on hand-edited values.
enum class WeaponOption { Shotgun, Flame, Rifle };

// soundPlay: checked (1) only for the exact text "1"; blanks and "01" count as other text.
int32_t SoundCheckFromText(const std::string& sSoundPlay);
// speed: the whole text as a number (surrounding blanks allowed), rounded half to even and
// held inside the range of the stored layout's speed bar. Text that is no number at all,
// the empty text included, leaves the bar at its stored value.
int32_t SpeedFromText(const std::string& sSpeed);
// weapon: the whole text as a number compared exactly with 0, 1 and 2 ("01" is the flame
// thrower); any other number, and text that is no number, gives the shotgun.
WeaponOption WeaponOptionByNumber(const std::string& sWeapon);

std::string SoundTextFromCheck(int32_t check_value);
std::string SpeedTextFromBar(int32_t bar_value);
// From the option buttons' states, checked in the order shotgun, flame thrower, rifle;
// none selected gives "0".
std::string WeaponTextFromOptions(bool shotgun, bool flame, bool rifle);

}  // namespace mt::windows
