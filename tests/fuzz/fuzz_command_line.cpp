// Any argument text given to the screen saver: exactly one mode starts, and nothing but
// the seam's end of process leaves the dispatcher; or the program ends at once, before
// any window (hack mode without a window to draw in; a full-screen run while another
// instance, such as a second fuzzing process, holds the machine's claim).
#include <cstddef>
#include <cstdint>
#include <string>

#include "fake_forms.h"
#include "fake_services.h"
#include "saver/host/mScreenSaver.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static mt::test::FakeServices services;
  mt::test::RecordingForms windows;
  mScreenSaver::ResetModuleState();
  services.calls.clear();
  bool ended = false;
  try {
    mMain::Main(windows.forms(), std::string(reinterpret_cast<const char*>(data), size));
  } catch (const mt::test::ProcessEnded&) {
    ended = true;
  }
  int modes = 0;
  for (const auto& entry : windows.log) {
    if (entry == "frmSaver.Load" || entry == "frmSettings.Load" || entry == "frmPreview.Load") {
      ++modes;
    }
  }
  for (const auto& call : services.calls) {
    if (call.rfind("ChangePassword", 0) == 0) ++modes;
  }
  if (modes == 0 && ended && windows.log.empty() &&
      services.calls.back().rfind("EndProcess", 0) == 0) {
    modes = 1;
  }
  if (modes != 1) __builtin_trap();
  return 0;
}
