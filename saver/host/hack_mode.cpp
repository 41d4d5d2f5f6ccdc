// Hack mode: how the XScreenSaver family of daemons runs a screen saver. The daemon starts
// us with -root or -window-id <id> (XScreenSaver 6 turns a trailing -root into --root), or
// names its window in XSCREENSAVER_WINDOW, and ends us with SIGTERM. We animate the scene
// in that window and touch nothing else: no input, no settings written, no run counted,
// no companion, no window of our own.
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "common/product.h"
#include "platform/services.h"
#include "saver/host/mScreenSaver.h"

namespace mScreenSaver {
namespace {

// A window id as daemons write it: decimal, or hexadecimal after "0x". Zero and anything
// beyond 32 bits name no window.
bool ReadWindowId(const std::string& text, uint32_t& window) {
  const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  const std::string digits = hex ? text.substr(2) : text;
  if (digits.empty() || digits.size() > 10) return false;
  uint64_t value = 0;
  for (char c : digits) {
    int digit = -1;
    if (c >= '0' && c <= '9') digit = c - '0';
    if (hex && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    if (hex && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    if (digit < 0) return false;
    value = value * (hex ? 16 : 10) + static_cast<uint64_t>(digit);
  }
  if (value == 0 || value > 0xFFFFFFFFu) return false;
  window = static_cast<uint32_t>(value);
  return true;
}

}  // namespace

std::optional<HackTarget> HackTargetFrom(const std::string& raw_command_line,
                                         const char* environment_window) {
  std::optional<HackTarget> target;
  std::istringstream words(raw_command_line);
  std::string word;
  while (words >> word) {
    if (word == "-root" || word == "--root") {
      if (!target) target = HackTarget{};
    } else if (word == "-window-id" || word == "--window-id") {
      target = HackTarget{};
      std::string id;
      target->valid = static_cast<bool>(words >> id) && ReadWindowId(id, target->window);
    }
  }
  // The daemon's own window wins over whatever the words say.
  if (environment_window != nullptr && *environment_window != '\0') {
    target = HackTarget{};
    target->valid = ReadWindowId(environment_window, target->window);
  }
  return target;
}

void RunHack(const HackTarget& target) {
  auto& s = State();
  s.m_bHackMode = true;
  s.m_lHackWindow = target.window;
  if (!target.valid) {
    std::fprintf(stderr, "%s: no window to draw in: give -root or -window-id <id>\n",
                 mt::kProgramTitle);
    platform::Services().EndProcess(1);
    return;
  }
  s.m_bSoundDevice = SoundDevicePresent();
  s.forms.frmSaver->Load();
  s.forms.frmSaver->Show();
}

}  // namespace mScreenSaver
