#include "fltk_support.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include <cmath>

#include "core/message_pump.h"

namespace platform::fltk {
namespace {

constexpr Fl_Font kRegular = FL_FREE_FONT;
constexpr Fl_Font kBold = FL_FREE_FONT + 1;
constexpr Fl_Labeltype kPlainLabel = FL_FREE_LABELTYPE;

void DrawPlainLabel(const Fl_Label* label, int x, int y, int w, int h, Fl_Align align) {
  fl_font(label->font, label->size);
  fl_color(static_cast<Fl_Color>(label->color));
  // Widgets that carry a shortcut label switch "&" processing on around the draw; our
  // captions are already in their shown form.
  char saved = fl_draw_shortcut;
  fl_draw_shortcut = 0;
  fl_draw(label->value, x, y, w, h, align, label->image, 0);
  fl_draw_shortcut = saved;
}

void MeasurePlainLabel(const Fl_Label* label, int& w, int& h) {
  fl_font(label->font, label->size);
  char saved = fl_draw_shortcut;
  fl_draw_shortcut = 0;
  fl_measure(label->value, w, h, 0);
  fl_draw_shortcut = saved;
  if (label->image) {
    if (label->image->w() > w) w = label->image->w();
    h += label->image->h();
  }
}

int open_windows = 0;
const int kFltkSourceOwner = 0;

}  // namespace

void EnsureSetup() {
  static bool done = false;
  if (done) return;
  done = true;
  // The leading character selects the style for Xft: ' ' regular, 'B' bold.
  Fl::set_font(kRegular, " Liberation Sans");
  Fl::set_font(kBold, "BLiberation Sans");
  Fl::set_labeltype(kPlainLabel, DrawPlainLabel, MeasurePlainLabel);
  // The classic dialog face colour, so buttons and frames shade like the windows the
  // layouts were drawn for.
  Fl::background(212, 208, 200);
  Fl::background2(255, 255, 255);
  Fl::foreground(0, 0, 0);
  Fl::visible_focus(1);
}

Fl_Font FontFor(const mt::layout::Font& font) {
  return font.bold ? kBold : kRegular;
}

Fl_Fontsize FontSizeFor(const mt::layout::Font& font) {
  return static_cast<Fl_Fontsize>(std::lround(font.points * 96.0 / 72.0));
}

Fl_Color ColourFor(const mt::layout::Colour& colour) {
  using mt::layout::SystemColour;
  switch (colour.system) {
    case SystemColour::Custom:
      return fl_rgb_color(colour.r, colour.g, colour.b);
    case SystemColour::WindowBackground:
      return fl_rgb_color(255, 255, 255);
    case SystemColour::WindowFrame:
    case SystemColour::WindowText:
    case SystemColour::ButtonText:
      return fl_rgb_color(0, 0, 0);
    case SystemColour::ButtonFace:
      return fl_rgb_color(212, 208, 200);
  }
  return FL_BLACK;
}

Fl_Labeltype PlainLabel() {
  return kPlainLabel;
}

std::string DisplayText(const std::string& caption) {
  std::string shown;
  shown.reserve(caption.size());
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&') {
      if (i + 1 < caption.size() && caption[i + 1] == '&') shown += '&';
      ++i;  // "&&" gives one "&"; "&x" gives "x"
      if (i < caption.size() && caption[i] != '&') shown += caption[i];
      continue;
    }
    shown += caption[i];
  }
  return shown;
}

int LayoutToPixels(int32_t units) {
  return units / mt::layout::kUnitsPerPixelAt96Dpi;
}

void WindowShown() {
  if (open_windows++ > 0) return;
  detail::MessageSource source;
  source.pump = [] { Fl::check(); };
  source.wait = [](int timeout_ms) { Fl::wait(timeout_ms / 1000.0); };
  detail::AddMessageSource(&kFltkSourceOwner, std::move(source));
}

void WindowHidden() {
  if (open_windows == 0) return;
  if (--open_windows > 0) return;
  // The unmapping reaches the server even if the loop stops asking FLTK now.
  Fl::flush();
  detail::RemoveMessageSource(&kFltkSourceOwner);
}

}  // namespace platform::fltk
