// The preview holder's stored layout: a borderless form that is loaded but never shown;
// its one picture box keeps the preview picture on a drawing surface of its own.
#include "saver/windows/layouts/layouts.h"

namespace mt::windows {
namespace {

using mt::layout::BorderStyle;
using mt::layout::Colour;
using mt::layout::Control;
using mt::layout::ControlKind;
using mt::layout::FormLayout;
using mt::layout::SystemColour;

FormLayout Build() {
  FormLayout f;
  f.name = "frmPreview";
  f.caption = "";
  f.client_width = 2265;
  f.client_height = 1785;
  f.border = BorderStyle::NoBorder;
  f.control_box = false;
  f.min_button = false;
  f.max_button = false;
  f.maximised = true;
  f.back = Colour::System(SystemColour::WindowBackground);
  f.icon = "previewIcon.ico";

  Control picture;
  picture.kind = ControlKind::PictureBox;
  picture.name = "Picture1";
  picture.left = 0;
  picture.top = 0;
  picture.width = 2265;
  picture.height = 1785;
  picture.back = Colour::System(SystemColour::WindowBackground);
  picture.picture = "preview.bmp";
  f.controls.push_back(picture);
  return f;
}

}  // namespace

const FormLayout& frmPreviewLayout() {
  static const FormLayout layout = Build();
  return layout;
}

}  // namespace mt::windows
