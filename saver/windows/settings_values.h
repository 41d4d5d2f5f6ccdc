#pragma once
// How the configuration dialog turns the stored settings texts into control values when it
// opens, and the controls back into texts when it closes. Kept free of any window so the
// rules can be checked on their own.
#include <cstdint>
#include <string>

namespace mt::windows {

// The speed bar's range and the value it has before anything is loaded into it.
inline constexpr int32_t kSpeedMin = 10;
inline constexpr int32_t kSpeedMax = 70;
inline constexpr int32_t kSpeedDesign = 20;

enum class Weapon { Shotgun, Flame, Rifle };

// soundPlay: checked (1) only for the exact text "1"; blanks and "01" count as other text.
int32_t SoundCheckFromText(const std::string& sSoundPlay);
// speed: the whole text as a number (surrounding blanks allowed), rounded half to even and
// held inside the bar's range. Text that is no number at all, the empty text included,
// leaves the bar where it stands before loading.
int32_t SpeedFromText(const std::string& sSpeed);
// weapon: the whole text as a number compared exactly with 0, 1 and 2 ("01" is the flame
// thrower); any other number, and text that is no number, gives the shotgun.
Weapon WeaponFromText(const std::string& sWeapon);

std::string SoundTextFromCheck(int32_t check_value);
std::string SpeedTextFromBar(int32_t bar_value);
// From the option buttons' states, checked in the order shotgun, flame thrower, rifle;
// none selected gives "0".
std::string WeaponTextFromOptions(bool shotgun, bool flame, bool rifle);

}  // namespace mt::windows
