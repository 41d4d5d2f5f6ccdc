// Start-up and mode dispatch.
#include <cstdlib>
#include <string>

#include "common/error.h"
#include "common/numeric.h"
#include "common/text.h"
#include "platform/services.h"
#include "platform/system.h"
#include "saver/host/mScreenSaver.h"

namespace mScreenSaver {

ModuleState& State() {
  static ModuleState state;
  return state;
}

void ResetModuleState() {
  State() = ModuleState{};
}

int32_t ReadHandleArgument(const std::string& raw, size_t drop) {
  std::string rest = raw.size() > drop ? raw.substr(drop) : std::string();
  try {
    return mt::ToInt32(mt::LeadingNumber(rest));
  } catch (const mt::Error&) {
    // A number beyond the 32-bit range names no window; treat it as none.
    return 0;
  }
}

bool SoundDevicePresent() {
  State().m_bSoundOn = false;
  // waveOutGetNumDevs, taken as a 16-bit signed count.
  auto count = static_cast<int16_t>(platform::Services().SoundDeviceCount());
  return count >= 1;
}

void RunSaver() {
  auto& s = State();
  s.m_bSoundDevice = SoundDevicePresent();
  s.forms.frmSaver->Load();
  s.forms.frmSaver->Show();
}

void DispatchCommandLine(const std::string& sCommand) {
  auto& s = State();
  const std::string sSwitch = sCommand.substr(0, 2);
  if (sSwitch == "/C") {
    s.forms.frmSettings->Load();
    s.forms.frmSettings->Show();
    return;
  }
  if (sSwitch == "/A") {
    s.m_lParentWnd = ReadHandleArgument(s.raw_command_line, 2);
    platform::Services().ChangePassword(static_cast<uint32_t>(s.m_lParentWnd));
    return;
  }
  if (sSwitch == "/P") {
    ShowPreview();
    return;
  }
  // The empty text, "/S" and anything else: the full-screen run, once per machine.
  if (platform::PreviousInstanceRunning()) platform::Services().EndProcess(0);
  RunSaver();
}

}  // namespace mScreenSaver

namespace mMain {

void Main(const mt::host::Forms& forms) {
  Main(forms, platform::RawCommandLine());
}

void Main(const mt::host::Forms& forms, const std::string& raw_command_line) {
  auto& s = mScreenSaver::State();
  s.forms = forms;
  mScreenSaver::ReadPlatform();
  mScreenSaver::ReadPasswordSetting();
  s.raw_command_line = raw_command_line;
#ifndef _WIN32
  // The XScreenSaver family's daemons start savers on X11 only.
  if (auto hack =
          mScreenSaver::HackTargetFrom(raw_command_line, std::getenv("XSCREENSAVER_WINDOW"))) {
    mScreenSaver::RunHack(*hack);
    return;
  }
#endif
  const std::string sCommand = mt::UpperAscii(mt::TrimSpaces(s.raw_command_line));
  mScreenSaver::DispatchCommandLine(sCommand);
}

}  // namespace mMain
