// The settings dialog's stored layout built by the dialog builder alone, without the
// dialog's handlers, for the builder's e2e test. On unload it prints the controls' values,
// one line per unload.
#include <cstdio>

#include "platform/window.h"
#include "saver/windows/layouts/layouts.h"

int main() {
  auto window = platform::CreateDialogWindow(mt::windows::frmSettingsLayout(), "");
  window->OnClick("CmdClose", [&] { window->Close(); });
  window->OnUnload([&] {
    const char* weapon = window->Value("OptionShotgun") ? "shotgun"
                         : window->Value("OptionFlame") ? "flame"
                         : window->Value("OptionRifle") ? "rifle"
                                                        : "none";
    std::printf("unload sound=%d weapon=%s selected=%d speed=%d\n", window->Value("CheckSound"),
                weapon,
                window->Value("OptionShotgun") + window->Value("OptionFlame") +
                    window->Value("OptionRifle"),
                window->Value("HScrollSpeed"));
    std::fflush(stdout);
  });
  window->Show();
  platform::RunUntilNoWindowOpen();
  std::printf("loop ended\n");
  return 0;
}
