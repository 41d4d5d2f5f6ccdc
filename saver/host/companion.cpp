// The run counter and the one-time start of the companion program.
#include <string>

#include "common/error.h"
#include "common/numeric.h"
#include "platform/services.h"
#include "saver/host/mScreenSaver.h"

namespace mScreenSaver {

bool CompanionDue() {
  auto& s = State();
  bool due = false;
  // Each failure is ignored and the next step runs.
  ReadSetting("applic", "appcurrent", s.m_sAppCurrent, SettingsFilePath());
  ReadSetting("applic", "appalert", s.m_sAppAlert, SettingsFilePath());
  ReadSetting("applic", "appdisplay", s.m_sAppDisplay, SettingsFilePath());
  if (s.m_sAppDisplay != "1") return false;

  bool below_threshold = false;
  try {
    int16_t count = mt::TextToInt16(s.m_sAppCurrent);
    int16_t threshold = mt::TextToInt16(s.m_sAppAlert);
    below_threshold = count < threshold;
  } catch (const mt::Error&) {
    // An unreadable count or threshold makes the companion due at once.
    below_threshold = false;
  }
  if (!below_threshold) {
    due = true;
  } else {
    s.m_sAppCurrent = mt::NumberText(mt::LeadingNumber(s.m_sAppCurrent) + 1);
    WriteSetting("applic", "appcurrent", s.m_sAppCurrent, SettingsFilePath());
  }
  return due;
}

bool IsOnline() { return platform::Services().IsOnline(); }

void LaunchCompanionIfDue() {
  if (!CompanionDue()) return;
  // Offline: nothing is written, so the next successful exit tries again.
  if (!IsOnline()) return;
  try {
    (void)platform::Services().StartProgram(CompanionPath());
  } catch (...) {
    // A failed start is silent; it still counts as the one try.
  }
  WriteSetting("applic", "appdisplay", "0", SettingsFilePath());
}

int32_t OpenDocument(const std::string& sTarget) { return platform::Services().OpenDocument(sTarget); }

}  // namespace mScreenSaver
