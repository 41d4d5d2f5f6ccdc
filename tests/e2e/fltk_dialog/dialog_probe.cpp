// The settings dialog's stored layout built by the dialog builder alone, without the
// dialog's handlers, for the builder's e2e test. It sets the values stored settings would
// (sound on, speed 40, the rifle) and prints the controls' values once shown and at every
// unload, one line each.
#include <cstdio>

#include "platform/window.h"
#include "saver/windows/layouts/layouts.h"

int main() {
  auto window = platform::CreateDialogWindow(mt::windows::frmSettingsLayout(), "");
  const auto print = [&](const char* when) {
    const char* weapon = window->Value("OptionShotgun") ? "shotgun"
                         : window->Value("OptionFlame") ? "flame"
                         : window->Value("OptionRifle") ? "rifle"
                                                        : "none";
    std::printf("%s sound=%d weapon=%s selected=%d speed=%d\n", when, window->Value("CheckSound"),
                weapon,
                window->Value("OptionShotgun") + window->Value("OptionFlame") +
                    window->Value("OptionRifle"),
                window->Value("HScrollSpeed"));
    std::fflush(stdout);
  };
  window->SetValue("CheckSound", 1);
  window->SetValue("HScrollSpeed", 40);
  window->SetValue("OptionRifle", 1);
  window->OnClick("CmdClose", [&] { window->Close(); });
  window->OnUnload([&] { print("unload"); });
  window->Show();
  print("shown");
  platform::RunUntilNoWindowOpen();
  std::printf("loop ended\n");
  return 0;
}
