// The platform's state during a run, the frame pacing wait and the exit sequence.
#include <cstdio>
#include <string>

#include "common/error.h"
#include "common/numeric.h"
#include "common/product.h"
#include "common/site.h"
#include "platform/services.h"
#include "platform/system.h"
#include "saver/host/mScreenSaver.h"

namespace mScreenSaver {
namespace {
uint32_t SaverWindow() {
  auto* form = State().forms.frmSaver;
  return form ? form->hWnd() : 0;
}
}  // namespace

std::string MissingFilesMessage() {
  return "One or more files are missing from application. Please download and re-install the "
         "software from " +
         mt::SiteUrl();
}

void ReadPlatform() {
  State().m_lPlatformId = platform::Services().PlatformId();
}

std::string RegGetString(uint32_t root, const std::string& sub_key, const std::string& value_name) {
  if (root < platform::HKEY_CLASSES_ROOT || root > platform::HKEY_DYN_DATA) return {};
  platform::RegistryValue value;
  if (!platform::Services().ReadRegistry(root, sub_key, value_name, &value)) return {};
  const auto& data = value.data;
  if (data.empty()) return {};
  std::string text;
  if (value.type == platform::REG_DWORD) {
    uint64_t number = 0;
    for (size_t i = 0; i < 4 && i < data.size(); ++i) number |= uint64_t{data[i]} << (8 * i);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%03llu", static_cast<unsigned long long>(number));
    text = buffer;
  } else {
    text.assign(data.begin(), data.end());
  }
  // The data length counts a string's terminating zero; a DWORD's text keeps 3 characters.
  size_t keep = data.size() - 1;
  if (text.size() > keep) text.resize(keep);
  return text;
}

void ReadPasswordSetting() {
  std::string text =
      RegGetString(platform::HKEY_CURRENT_USER, "Control Panel\\Desktop", "ScreenSaveUsePassword");
  double number = mt::LeadingNumber(text);
  try {
    State().m_iUsePassword = mt::ToInt16(number);
  } catch (const mt::Error&) {
    // Beyond the 16-bit range: still a nonzero setting, so the password stays on.
    State().m_iUsePassword = 1;
  }
}

bool PasswordMode() {
  const auto& s = State();
  return s.m_lPlatformId != platform::kPlatformNT && s.m_iUsePassword != 0;
}

void EnableSystemKeys(bool bEnable) {
  if (!PasswordMode()) return;
  platform::Services().SetScreenSaverRunning(!bEnable);
}

void SetTopmost(bool bTopmost) {
  if (!PasswordMode()) return;
  platform::Services().SetTopmost(SaverWindow(), bTopmost);
}

void HideTaskbar(bool bHide) {
  platform::Services().ShowTaskbar(!bHide);
}

void StopSound() {
  if (State().m_bSoundOn) platform::Services().StopSound();
}

void WaitUntilTick(int32_t lTarget) {
  auto& services = platform::Services();
  const auto target = static_cast<uint32_t>(lTarget);
  for (;;) {
    services.ProcessMessages();
    // The difference read as a signed number stays right across the 2^31 and 2^32 wraps
    // of the tick counter.
    if (static_cast<int32_t>(services.TickCount() - target) >= 0) return;
    // Sleep in the event wait until the deadline or the next message, not in a spin.
    services.WaitForMessages(target);
  }
}

void ExitSaver() {
  auto& s = State();
  auto& services = platform::Services();
  if (s.m_bHackMode) {
    // The daemon ends us: nothing to restore, count or start.
    StopSound();
    if (s.forms.frmSaver) s.forms.frmSaver->Unload();
    services.EndProcess(0);
    return;
  }
  if (PasswordMode()) {
    if (!services.VerifyPassword(SaverWindow())) {
      if (s.forms.frmSaver) s.forms.frmSaver->Show();
      return;
    }
    EnableSystemKeys(true);
    SetTopmost(false);
  }
  HideTaskbar(false);
  StopSound();
  if (s.forms.frmSaver) s.forms.frmSaver->Unload();
  LaunchCompanionIfDue();
  services.EndProcess(0);
}

void ShowErrorAndExit(const std::string& sMessage) {
  if (State().m_bHackMode) {
    // No window of our own inside a daemon's: the message goes to its log.
    std::fprintf(stderr, "%s: %s\n", mt::kProgramTitle, sMessage.c_str());
    ExitSaver();
    return;
  }
  SetTopmost(false);
  platform::Services().MessageBox(sMessage, mt::kProgramTitle, platform::MessageIcon::Warning);
  ExitSaver();
}

}  // namespace mScreenSaver
