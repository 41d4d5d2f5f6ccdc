// The full-screen window's stored layout.
#include "saver/windows/layouts/layouts.h"

namespace mt::windows {

const mt::layout::FormLayout& frmSaverLayout() {
  static const mt::layout::FormLayout layout = [] {
    using namespace mt::layout;
    FormLayout f;
    f.name = "frmSaver";
    f.caption = "Form1";  // never visible: no title bar
    f.border = BorderStyle::NoBorder;
    f.control_box = false;
    f.min_button = false;
    f.max_button = false;
    f.maximised = true;
    f.back = Colour::System(SystemColour::WindowFrame);
    f.fore = Colour::Rgb(0, 0, 255);
    f.start = StartPosition::CentreScreen;
    // 32 x 32, 16 colours, hot spot at its centre; replaced by the weapon's sight at load.
    f.cursor = "saverDesign.cur";

    Control timer;
    timer.kind = ControlKind::Timer;
    timer.name = "mediaTimer";
    timer.enabled = false;
    timer.interval = 5000;
    f.controls.push_back(timer);
    return f;
  }();
  return layout;
}

}  // namespace mt::windows
