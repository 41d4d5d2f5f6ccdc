// The modal message box: caption, text, an optional warning sign, one OK button. Enter,
// Space on the button, a click or Escape dismisses it. It is mapped as an ordinary
// top-level window, so without a window manager it lands above every window mapped
// before it, the full-screen window of a run included.
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Return_Button.H>
#include <FL/fl_draw.H>

#include <algorithm>

#include "core/message_pump.h"
#include "fltk_support.h"
#include "platform/system.h"
#include "platform/window.h"

namespace platform {
namespace {

// The warning sign: a yellow triangle with an exclamation mark.
class WarningSign : public Fl_Widget {
 public:
  WarningSign(int x, int y, int size) : Fl_Widget(x, y, size, size) { clear_visible_focus(); }

 protected:
  void draw() override {
    int l = x(), t = y(), s = w();
    fl_color(fl_rgb_color(255, 204, 0));
    fl_polygon(l + s / 2, t + 1, l + s - 1, t + s - 2, l, t + s - 2);
    fl_color(FL_BLACK);
    fl_loop(l + s / 2, t + 1, l + s - 1, t + s - 2, l, t + s - 2);
    fl_rectf(l + s / 2 - 2, t + s / 3, 4, s / 3);
    fl_rectf(l + s / 2 - 2, t + s - 8, 4, 4);
  }
  int handle(int) override { return 0; }
};

}  // namespace

void ShowMessageBox(const std::string& text, const std::string& caption, bool warning_icon) {
  fltk::EnsureSetup();
  const mt::layout::Font font;  // the dialog font
  const Fl_Font face = fltk::FontFor(font);
  const Fl_Fontsize size = fltk::FontSizeFor(font);
  const int margin = 14, icon = warning_icon ? 32 : 0, gap = warning_icon ? 12 : 0;
  const int button_w = 75, button_h = 23, widest_text = 420;

  // Long texts wrap at a comfortable width, as the platform's own boxes do.
  fl_font(face, size);
  int text_w = 0, text_h = 0;
  char saved = fl_draw_shortcut;
  fl_draw_shortcut = 0;
  fl_measure(text.c_str(), text_w, text_h, 0);
  if (text_w > widest_text) {
    text_w = widest_text;
    text_h = 0;
    fl_measure(text.c_str(), text_w, text_h, 0);
  }
  fl_draw_shortcut = saved;
  text_h = std::max(text_h, icon);

  int width = std::max(margin + icon + gap + text_w + margin, button_w + 2 * margin);
  width = std::max(width, 160);
  int height = margin + text_h + margin + button_h + margin;

  Fl_Group::current(nullptr);
  Fl_Double_Window window(width, height);
  window.copy_label(caption.c_str());
  if (warning_icon) new WarningSign(margin, margin, icon);
  // FLTK indents a left-aligned label by three pixels on each side.
  auto* message = new Fl_Box(margin + icon + gap - 3, margin, text_w + 6, text_h);
  message->box(FL_NO_BOX);
  message->labeltype(fltk::PlainLabel());
  message->labelfont(face);
  message->labelsize(size);
  message->align(FL_ALIGN_INSIDE | FL_ALIGN_LEFT | FL_ALIGN_WRAP);
  message->copy_label(text.c_str());
  auto* ok = new Fl_Return_Button((width - button_w) / 2, height - margin - button_h, button_w,
                                  button_h, "OK");
  ok->labelfont(face);
  ok->labelsize(size);
  ok->callback([](Fl_Widget* w, void*) { w->window()->hide(); });
  window.end();
  window.size_range(width, height, width, height);
  window.callback([](Fl_Widget* w, void*) { w->hide(); });  // Escape, the close box
  window.position((Fl::w() - width) / 2, (Fl::h() - height) / 2);
  window.set_modal();
  window.show();
  ok->take_focus();

  fltk::WindowShown();
  // Other windows of the program go on being served while the box waits, as they would
  // under the platform's own message box.
  while (window.shown()) {
    detail::PumpMessages();
    if (!window.shown()) break;
    detail::WaitForMessagesUntil(TickCountMs() + 100);
  }
  fltk::WindowHidden();
}

}  // namespace platform
