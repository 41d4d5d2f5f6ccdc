#pragma once
// The screen-saver host: mode dispatch, the settings file and program paths, the platform
// state during a run and the exit sequence, the preview, the run counter and the companion.
#include <cstdint>
#include <optional>
#include <string>

#include "saver/host/forms.h"

namespace mScreenSaver {

// ---- Module variables (one set per process; ResetModuleState puts them back for tests).
struct ModuleState {
  mt::host::Forms forms;         // the three window objects Main created
  std::string raw_command_line;  // the argument text after the program's name, as given
  int32_t m_lPlatformId = 0;     // 2 NT family, 1 Windows 9x, 0 when the query failed
  int16_t m_iUsePassword = 0;    // ScreenSaveUsePassword; nonzero means on
  int32_t m_lParentWnd = 0;      // owner window of the password-change dialog
  bool m_bSoundDevice = false;   // a wave-output device exists
  bool m_bSoundOn = false;       // sound effects active
  std::string m_sSpeed, m_sSoundPlay, m_sWeapon;
  std::string m_sAppCurrent, m_sAppAlert, m_sAppDisplay;
  bool m_bHackMode = false;    // running inside a screen-saver daemon's window
  uint32_t m_lHackWindow = 0;  // that window's id; 0 for the root window
};
ModuleState& State();
void ResetModuleState();

// ---- Start-up and dispatch
void DispatchCommandLine(const std::string& sCommand);
void RunSaver();
bool SoundDevicePresent();
// Reads the number of a window handle from the raw argument text after dropping its first
// `drop` characters: leading blanks skipped, the leading decimal number, nearest 32-bit
// integer (halves to even); 0 when there is none or it lies outside the 32-bit range.
int32_t ReadHandleArgument(const std::string& raw, size_t drop);

// ---- Hack mode (a daemon of the XScreenSaver family runs us in its window)
struct HackTarget {
  uint32_t window = 0;  // 0: the root window
  bool valid = true;    // false when the id given cannot name a window
};
// From the argument text and the value of XSCREENSAVER_WINDOW (null when unset): nothing
// when this is not hack mode.
std::optional<HackTarget> HackTargetFrom(const std::string& raw_command_line,
                                         const char* environment_window);
// Animates the scene in the target window until the daemon ends us.
void RunHack(const HackTarget& target);

// ---- Settings file and program paths
void ReadSetting(const std::string& sSection, const std::string& sKey, std::string& sValue,
                 const std::string& sFile);
// What each writer does: WritePrivateProfileStringA(section, key, value, path), result ignored.
void WriteSetting(const std::string& sSection, const std::string& sKey, const std::string& sValue,
                  const std::string& sFile);
std::string SettingsFilePath();
std::string AssetFolderPath();
std::string CompanionPath();
// The path rule: folder + separator (unless it ends in one) + name.
std::string JoinProgramPath(const std::string& folder, const std::string& name);

// ---- Platform state and the exit sequence
void ReadPlatform();
void ReadPasswordSetting();
std::string RegGetString(uint32_t root, const std::string& sub_key, const std::string& value_name);
bool PasswordMode();
void EnableSystemKeys(bool bEnable);
void SetTopmost(bool bTopmost);
void HideTaskbar(bool bHide);
void StopSound();
void WaitUntilTick(int32_t lTarget);
void ExitSaver();
void ShowErrorAndExit(const std::string& sMessage);
// "One or more files are missing ..." followed by the site address.
std::string MissingFilesMessage();

// ---- Preview
void ShowPreview();

// ---- Run counter and companion
bool CompanionDue();
bool IsOnline();
// Step 5 of the exit sequence: starts the companion when due and online, records the try.
void LaunchCompanionIfDue();
int32_t OpenDocument(const std::string& sTarget);

}  // namespace mScreenSaver

namespace mMain {
// The process entry: creates nothing itself; `forms` are the three window objects,
// created by the caller in the order frmSaver, frmSettings, frmPreview. Reads the raw
// argument text from the platform.
void Main(const mt::host::Forms& forms);
// The same with a given raw argument text.
void Main(const mt::host::Forms& forms, const std::string& raw_command_line);
}  // namespace mMain
