// A small dialog built from a layout with the controls the referral form does not use
// (check box, grouped option buttons, scroll bar, line), for the builder's e2e test. On
// unload it prints the controls' values, one line per unload.
#include <cstdio>

#include "common/layout.h"
#include "platform/window.h"

namespace {

using mt::layout::Colour;
using mt::layout::Control;
using mt::layout::ControlKind;

// Layout rectangles are given here in pixels and stored in layout units.
Control At(ControlKind kind, const char* name, int left, int top, int width, int height,
           const char* text = "", int tab_index = -1) {
  const int u = mt::layout::kUnitsPerPixelAt96Dpi;
  Control c;
  c.kind = kind;
  c.name = name;
  c.text = text;
  c.left = left * u;
  c.top = top * u;
  c.width = width * u;
  c.height = height * u;
  c.tab_index = tab_index;
  return c;
}

mt::layout::FormLayout ProbeLayout() {
  mt::layout::FormLayout f;
  f.name = "Probe";
  f.caption = "Dialog probe";
  f.client_width = 300 * 15;
  f.client_height = 200 * 15;
  f.back = Colour::Rgb(255, 255, 255);
  Control check = At(ControlKind::CheckBox, "CheckSound", 10, 10, 81, 13, "Sound", 1);
  check.font.bold = true;
  check.back = Colour::Rgb(255, 255, 255);
  f.controls.push_back(check);
  const char* names[] = {"OptionShotgun", "OptionFlame", "OptionRifle"};
  const char* texts[] = {"Shotgun", "Flame Thrower", "Rifle"};
  for (int i = 0; i < 3; ++i) {
    Control option =
        At(ControlKind::OptionButton, names[i], 10, 30 + 20 * i, 105, 17, texts[i], 5 - i);
    option.font.bold = true;
    option.group = "weapon";
    option.value = i == 0;
    f.controls.push_back(option);
  }
  Control bar = At(ControlKind::HScrollBar, "HScrollSpeed", 10, 100, 137, 10, "", 2);
  bar.min = 10;
  bar.max = 70;
  bar.value = 20;
  bar.small_change = 1;
  bar.large_change = 10;
  f.controls.push_back(bar);
  Control line = At(ControlKind::Line, "Line2", 10, 120, 0, 0);
  line.x2 = 200 * 15;
  line.y2 = 120 * 15;
  f.controls.push_back(line);
  Control note =
      At(ControlKind::Label, "Label1", 10, 130, 129, 25, "Download more free screen savers @");
  note.align = mt::layout::Align::Right;
  f.controls.push_back(note);
  f.controls.push_back(At(ControlKind::Label, "Label2", 150, 10, 140, 17, "Friends && family"));
  f.controls.push_back(At(ControlKind::PushButton, "CmdClose", 200, 150, 73, 25, "Close", 0));
  return f;
}

}  // namespace

int main() {
  auto window = platform::CreateDialogWindow(ProbeLayout(), "");
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
