// The dialog's and the preview holder's layouts against the figures they were designed
// with, control by control, so that any changed number or text is caught.
#include "saver/windows/layouts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "common/site.h"
#include "saver/windows/site_name.h"

namespace {

using mt::layout::Align;
using mt::layout::BorderStyle;
using mt::layout::Colour;
using mt::layout::Control;
using mt::layout::ControlKind;
using mt::layout::FormLayout;
using mt::layout::StartPosition;
using mt::layout::SystemColour;
using mt::windows::frmPreviewLayout;
using mt::windows::frmSettingsLayout;

struct Expected {
  const char* name;
  ControlKind kind;
  std::string text;
  int32_t left, top, width, height;
};

const Colour kWhite = Colour::Rgb(255, 255, 255);
const Colour kBlue = Colour::Rgb(0, 0, 255);

std::vector<Expected> DialogControls() {
  return {
      {"Picture1", ControlKind::PictureBox, "", 0, 120, 2715, 1320},
      {"LabelWeapon", ControlKind::Label, "Weapon", 3240, 120, 855, 255},
      {"PictureShot", ControlKind::PictureBox, "", 2880, 360, 405, 225},
      {"OptionShotgun", ControlKind::OptionButton, "Shotgun", 3360, 400, 1575, 255},
      {"PictureFlame", ControlKind::PictureBox, "", 2880, 720, 480, 525},
      {"OptionFlame", ControlKind::OptionButton, "Flame Thrower", 3360, 910, 1575, 255},
      {"PictureRifle", ControlKind::PictureBox, "", 2880, 1320, 420, 480},
      {"OptionRifle", ControlKind::OptionButton, "Rifle", 3360, 1460, 1575, 255},
      {"Label6", ControlKind::Label, "Speed", 840, 1800, 615, 255},
      {"Label4", ControlKind::Label, "Slow", 120, 1920, 615, 255},
      {"Label5", ControlKind::Label, "Fast", 1695, 1920, 495, 255},
      {"HScrollSpeed", ControlKind::HScrollBar, "", 120, 2190, 2055, 150},
      {"CheckSound", ControlKind::CheckBox, "Sound", 3240, 2160, 1215, 195},
      {"Label1", ControlKind::Label, "Download more free screen savers @", 480, 2760, 1935, 375},
      {"CmdWebsite", ControlKind::PushButton, "marrowtide >>", 2640, 2760, 1335, 375},
      {"CmdClose", ControlKind::PushButton, "Close", 4080, 2760, 1095, 375},
  };
}

const Control& Get(const FormLayout& form, const std::string& name) {
  const Control* c = form.Find(name);
  if (c == nullptr) throw std::runtime_error("no control " + name);
  return *c;
}

TEST(SettingsLayout, WindowIsTheFixedWhiteDialog) {
  const FormLayout& f = frmSettingsLayout();
  EXPECT_EQ(f.name, "frmSettings");
  EXPECT_EQ(f.caption, "Marrowtide Gobble-run ver 2.1");
  // 351 x 220 pixels at 15 units to the pixel.
  EXPECT_EQ(f.client_width, 5265);
  EXPECT_EQ(f.client_height, 3300);
  EXPECT_EQ(f.client_width / mt::layout::kUnitsPerPixelAt96Dpi, 351);
  EXPECT_EQ(f.client_height / mt::layout::kUnitsPerPixelAt96Dpi, 220);
  EXPECT_EQ(f.border, BorderStyle::FixedSingle);
  EXPECT_FALSE(f.min_button);
  EXPECT_FALSE(f.max_button);
  EXPECT_EQ(f.back, kWhite);
  EXPECT_EQ(f.start, StartPosition::CentreScreen);
  EXPECT_EQ(f.icon, "settingsIcon.bmp");
}

TEST(SettingsLayout, EveryControlHasItsKindTextAndRectangle) {
  // The default site address is part of the build's settings; the button names it.
  ASSERT_EQ(mt::SiteUrl(), "https://marrowtide.example");
  const FormLayout& f = frmSettingsLayout();
  const auto expected = DialogControls();
  for (const Expected& e : expected) {
    SCOPED_TRACE(e.name);
    const Control& c = Get(f, e.name);
    EXPECT_EQ(c.kind, e.kind);
    EXPECT_EQ(c.text, e.text);
    EXPECT_EQ(c.left, e.left);
    EXPECT_EQ(c.top, e.top);
    EXPECT_EQ(c.width, e.width);
    EXPECT_EQ(c.height, e.height);
    EXPECT_TRUE(c.container.empty());
  }
  // Nothing else on the form but the separator line.
  EXPECT_EQ(f.controls.size(), expected.size() + 1);
}

TEST(SettingsLayout, ControlsStayInsideTheClientArea) {
  const FormLayout& f = frmSettingsLayout();
  for (const Control& c : f.controls) {
    SCOPED_TRACE(c.name);
    EXPECT_GE(c.left, 0);
    EXPECT_GE(c.top, 0);
    EXPECT_LE(c.left + c.width, f.client_width);
    EXPECT_LE(c.top + c.height, f.client_height);
  }
}

TEST(SettingsLayout, SeparatorLineRunsAcrossAtPixelRow176) {
  const Control& line = Get(frmSettingsLayout(), "Line2");
  EXPECT_EQ(line.kind, ControlKind::Line);
  EXPECT_EQ(line.left, 120);
  EXPECT_EQ(line.top, 2640);
  EXPECT_EQ(line.x2, 5160);
  EXPECT_EQ(line.y2, 2640);
  EXPECT_EQ(line.top / 15, 176);
}

TEST(SettingsLayout, FontsColoursAndAlignment) {
  const FormLayout& f = frmSettingsLayout();
  for (const char* name : {"LabelWeapon", "Label6", "Label4", "Label5", "Label1", "CheckSound",
                           "OptionShotgun", "OptionFlame", "OptionRifle"}) {
    SCOPED_TRACE(name);
    const Control& c = Get(f, name);
    EXPECT_EQ(c.font.face, "MS Sans Serif");
    EXPECT_DOUBLE_EQ(c.font.points, 8.25);
    EXPECT_TRUE(c.font.bold);
    EXPECT_EQ(c.back, kWhite);
  }
  for (const char* name : {"CmdWebsite", "CmdClose"}) {
    SCOPED_TRACE(name);
    const Control& c = Get(f, name);
    EXPECT_FALSE(c.font.bold);
    EXPECT_DOUBLE_EQ(c.font.points, 8.25);
    EXPECT_EQ(c.back, Colour::System(SystemColour::ButtonFace));
    EXPECT_EQ(c.fore, Colour::System(SystemColour::ButtonText));
  }
  // Blue: the two headings. Black: the other labels and the check box. The option buttons
  // follow the system's button text.
  EXPECT_EQ(Get(f, "LabelWeapon").fore, kBlue);
  EXPECT_EQ(Get(f, "Label6").fore, kBlue);
  for (const char* name : {"Label4", "Label5", "Label1", "CheckSound"}) {
    EXPECT_EQ(Get(f, name).fore, Colour::Rgb(0, 0, 0)) << name;
  }
  for (const char* name : {"OptionShotgun", "OptionFlame", "OptionRifle"}) {
    EXPECT_EQ(Get(f, name).fore, Colour::System(SystemColour::ButtonText)) << name;
  }
  EXPECT_EQ(Get(f, "Label6").align, Align::Centre);
  EXPECT_EQ(Get(f, "Label4").align, Align::Left);
  EXPECT_EQ(Get(f, "Label5").align, Align::Right);
  EXPECT_EQ(Get(f, "Label1").align, Align::Right);
  EXPECT_EQ(Get(f, "LabelWeapon").align, Align::Left);
}

TEST(SettingsLayout, SpeedBarRangeStepsAndStartValue) {
  const Control& bar = Get(frmSettingsLayout(), "HScrollSpeed");
  EXPECT_EQ(bar.min, 10);
  EXPECT_EQ(bar.max, 70);
  EXPECT_EQ(bar.value, 20);
  EXPECT_EQ(bar.small_change, 1);
  EXPECT_EQ(bar.large_change, 10);
  EXPECT_EQ(Get(frmSettingsLayout(), "CheckSound").value, 0);
}

TEST(SettingsLayout, TabOrderAndOptionGroup) {
  const FormLayout& f = frmSettingsLayout();
  std::vector<const Control*> in_order;
  for (const Control& c : f.controls) {
    if (c.tab_index >= 0) in_order.push_back(&c);
  }
  std::sort(in_order.begin(), in_order.end(),
            [](const Control* a, const Control* b) { return a->tab_index < b->tab_index; });
  std::vector<std::string> names;
  for (const Control* c : in_order) names.push_back(c->name);
  EXPECT_EQ(names, (std::vector<std::string>{"CmdClose", "CmdWebsite", "CheckSound", "HScrollSpeed",
                                             "OptionRifle", "OptionFlame", "OptionShotgun"}));
  std::set<int32_t> indices;
  for (const Control* c : in_order) indices.insert(c->tab_index);
  EXPECT_EQ(indices.size(), names.size()) << "tab indices must differ";

  const std::string group = Get(f, "OptionShotgun").group;
  EXPECT_FALSE(group.empty());
  EXPECT_EQ(Get(f, "OptionFlame").group, group);
  EXPECT_EQ(Get(f, "OptionRifle").group, group);
}

TEST(SettingsLayout, PicturesNameTheirFiles) {
  const FormLayout& f = frmSettingsLayout();
  EXPECT_EQ(Get(f, "Picture1").picture, "settingsPicture.bmp");
  EXPECT_EQ(Get(f, "PictureShot").picture, "weaponShotgun.bmp");
  EXPECT_EQ(Get(f, "PictureFlame").picture, "weaponFlame.bmp");
  EXPECT_EQ(Get(f, "PictureRifle").picture, "weaponRifle.bmp");
}

TEST(PreviewLayout, OneBorderlessPictureBoxOfThePreviewSize) {
  const FormLayout& f = frmPreviewLayout();
  EXPECT_EQ(f.name, "frmPreview");
  EXPECT_EQ(f.border, BorderStyle::NoBorder);
  EXPECT_FALSE(f.control_box);
  EXPECT_TRUE(f.maximised);
  EXPECT_EQ(f.client_width, 2265);
  EXPECT_EQ(f.client_height, 1785);
  EXPECT_EQ(f.icon, "previewIcon.bmp");
  ASSERT_EQ(f.controls.size(), 1u);
  const Control& p = f.controls.front();
  EXPECT_EQ(p.name, "Picture1");
  EXPECT_EQ(p.kind, ControlKind::PictureBox);
  EXPECT_EQ(p.left, 0);
  EXPECT_EQ(p.top, 0);
  EXPECT_EQ(p.width / 15, 151);
  EXPECT_EQ(p.height / 15, 119);
  EXPECT_EQ(p.picture, "preview.bmp");
  EXPECT_EQ(p.back, Colour::System(SystemColour::WindowBackground));
}

TEST(SiteName, IsTheHostWithoutWwwAndTopLevelDomain) {
  using mt::windows::SiteName;
  EXPECT_EQ(SiteName("https://marrowtide.example"), "marrowtide");
  EXPECT_EQ(SiteName("http://www.marrowtide.example/"), "marrowtide");
  EXPECT_EQ(SiteName("https://marrowtide.example:8080/shop?x=1"), "marrowtide");
  EXPECT_EQ(SiteName("https://shop.marrowtide.example"), "shop.marrowtide");
  EXPECT_EQ(SiteName("marrowtide.example"), "marrowtide");
  EXPECT_EQ(SiteName("https://localhost"), "localhost");
}

}  // namespace
