// The configuration dialog's stored layout. Positions are in layout units (15 to a pixel
// at 96 DPI); every platform's dialog builder reads this one description.
#include <string>

#include "common/site.h"
#include "saver/windows/layouts/layouts.h"
#include "saver/windows/layouts/site_name.h"

namespace mt::windows {
namespace {

using mt::layout::Align;
using mt::layout::BorderStyle;
using mt::layout::Colour;
using mt::layout::Control;
using mt::layout::ControlKind;
using mt::layout::Font;
using mt::layout::FormLayout;
using mt::layout::StartPosition;
using mt::layout::SystemColour;

const Colour kWhite = Colour::Rgb(255, 255, 255);
const Colour kBlack = Colour::Rgb(0, 0, 0);
const Colour kBlue = Colour::Rgb(0, 0, 255);
const Font kBold{"MS Sans Serif", 8.25, true};
const Font kRegular{"MS Sans Serif", 8.25, false};

Control Place(ControlKind kind, const std::string& name, int32_t left, int32_t top, int32_t width,
              int32_t height) {
  return Control::At(kind, name, left, top, width, height);
}

Control Picture(const std::string& name, const std::string& file, int32_t left, int32_t top,
                int32_t width, int32_t height) {
  Control c = Place(ControlKind::PictureBox, name, left, top, width, height);
  c.picture = file;
  c.back = kWhite;
  return c;
}

// Labels, the check box and the option buttons: bold on white.
Control BoldText(ControlKind kind, const std::string& name, const std::string& text, int32_t left,
                 int32_t top, int32_t width, int32_t height, Colour fore = kBlack) {
  Control c = Place(kind, name, left, top, width, height);
  c.text = text;
  c.font = kBold;
  c.fore = fore;
  c.back = kWhite;
  return c;
}

Control Option(const std::string& name, const std::string& text, int32_t top, int32_t tab) {
  Control c = BoldText(ControlKind::OptionButton, name, text, 3360, top, 1575, 255,
                       Colour::System(SystemColour::ButtonText));
  c.group = "weapon";
  c.tab_index = tab;
  return c;
}

Control Button(const std::string& name, const std::string& text, int32_t left, int32_t width,
               int32_t tab) {
  Control c = Place(ControlKind::PushButton, name, left, 2760, width, 375);
  c.text = text;
  c.font = kRegular;
  c.fore = Colour::System(SystemColour::ButtonText);
  c.back = Colour::System(SystemColour::ButtonFace);
  c.tab_index = tab;
  return c;
}

FormLayout Build() {
  FormLayout f;
  f.name = "frmSettings";
  f.caption = "Marrowtide Gobble-run ver 2.1";
  f.client_width = 5265;
  f.client_height = 3300;
  f.border = BorderStyle::FixedSingle;
  f.control_box = true;
  f.min_button = false;
  f.max_button = false;
  f.back = kWhite;
  f.font = kRegular;
  f.start = StartPosition::CentreScreen;
  f.icon = "settingsIcon.ico";

  // Tab order: Close first, then the web button, then the settings bottom-up.
  f.controls.push_back(Picture("Picture1", "settingsPicture.bmp", 0, 120, 2715, 1320));
  f.controls.push_back(
      BoldText(ControlKind::Label, "LabelWeapon", "Weapon", 3240, 120, 855, 255, kBlue));
  f.controls.push_back(Picture("PictureShot", "weaponShotgun.bmp", 2880, 360, 405, 225));
  f.controls.push_back(Option("OptionShotgun", "Shotgun", 400, 6));
  f.controls.push_back(Picture("PictureFlame", "weaponFlame.bmp", 2880, 720, 480, 525));
  f.controls.push_back(Option("OptionFlame", "Flame Thrower", 910, 5));
  f.controls.push_back(Picture("PictureRifle", "weaponRifle.bmp", 2880, 1320, 420, 480));
  f.controls.push_back(Option("OptionRifle", "Rifle", 1460, 4));

  Control speed = BoldText(ControlKind::Label, "Label6", "Speed", 840, 1800, 615, 255, kBlue);
  speed.align = Align::Centre;
  f.controls.push_back(speed);
  f.controls.push_back(BoldText(ControlKind::Label, "Label4", "Slow", 120, 1920, 615, 255));
  Control fast = BoldText(ControlKind::Label, "Label5", "Fast", 1695, 1920, 495, 255);
  fast.align = Align::Right;
  f.controls.push_back(fast);

  // Frames per second: Slow at the left end, Fast at the right. An arrow moves it by one,
  // a click beside the thumb by ten. The range and the start value are set here only: the
  // dialog's value rules read them from this bar.
  Control bar = Place(ControlKind::HScrollBar, "HScrollSpeed", 120, 2190, 2055, 150);
  bar.min = 10;
  bar.max = 70;
  bar.value = 20;
  bar.small_change = 1;
  bar.large_change = 10;
  bar.tab_index = 3;
  f.controls.push_back(bar);

  Control sound = BoldText(ControlKind::CheckBox, "CheckSound", "Sound", 3240, 2160, 1215, 195);
  sound.value = 0;
  sound.tab_index = 2;
  f.controls.push_back(sound);

  Control line = Place(ControlKind::Line, "Line2", 120, 2640, 0, 0);
  line.x2 = 5160;
  line.y2 = 2640;
  line.fore = Colour::System(SystemColour::WindowText);
  f.controls.push_back(line);

  Control download = BoldText(ControlKind::Label, "Label1", "Download more free screen savers @",
                              480, 2760, 1935, 375);
  download.align = Align::Right;
  f.controls.push_back(download);

  f.controls.push_back(Button("CmdWebsite", SiteName(mt::SiteUrl()) + " >>", 2640, 1335, 1));
  f.controls.push_back(Button("CmdClose", "Close", 4080, 1095, 0));
  return f;
}

}  // namespace

const FormLayout& frmSettingsLayout() {
  static const FormLayout layout = Build();
  return layout;
}

}  // namespace mt::windows
