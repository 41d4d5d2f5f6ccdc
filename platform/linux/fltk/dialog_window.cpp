// Dialog windows from stored layouts, built with FLTK 1.3.
//
// Every control becomes one FLTK widget at its layout rectangle (layout units divided by
// 15, as the layouts were drawn at 96 DPI). FLTK positions are window-relative, so a
// frame's children are offset by the frame's own position. Keyboard navigation follows
// the order of a group's children, so each group receives its children sorted by tab
// index (a frame sorts by the lowest tab index inside it).
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Multiline_Input.H>
#include <FL/Fl_RGB_Image.H>
#include <FL/Fl_Round_Button.H>
#include <FL/Fl_Scrollbar.H>
#include <FL/fl_draw.H>
#include <FL/x.H>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "common/error.h"
#include "fltk/picture_file.h"
#include "fltk/window_manager.h"
#include "fltk_support.h"
#include "internal/dialog_base.h"
#include "platform/window.h"
#include "sdl/cursor_file.h"

namespace platform {
namespace {

using mt::layout::Control;
using mt::layout::ControlKind;
using mt::layout::FormLayout;

// A frame: an etched border whose top edge runs through the middle of the caption line,
// with the caption (if any) interrupting it at the left.
class FrameGroup : public Fl_Group {
 public:
  FrameGroup(int x, int y, int w, int h) : Fl_Group(x, y, w, h) {}

 protected:
  void draw() override {
    if (damage() & ~FL_DAMAGE_CHILD) {
      fl_push_clip(x(), y(), w(), h());
      fl_color(color());
      fl_rectf(x(), y(), w(), h());
      int offset = labelsize() / 2;
      fl_draw_box(FL_ENGRAVED_FRAME, x(), y() + offset, w(), h() - offset, color());
      if (label() && *label()) {
        fl_font(labelfont(), labelsize());
        int text_w = static_cast<int>(fl_width(label())) + 4;
        fl_color(color());
        fl_rectf(x() + 6, y(), text_w, labelsize() + 2);
        fl_color(labelcolor());
        char saved = fl_draw_shortcut;
        fl_draw_shortcut = 0;
        fl_draw(label(), x() + 8, y(), text_w, labelsize() + 2, FL_ALIGN_LEFT | FL_ALIGN_INSIDE,
                nullptr, 0);
        fl_draw_shortcut = saved;
      }
      fl_pop_clip();
      draw_children();
    } else {
      update_children();
    }
  }
  void update_children() {
    for (int i = 0; i < children(); ++i) update_child(*child(i));
  }
};

// A one-pixel line from one corner of its box to the other.
class LineWidget : public Fl_Widget {
 public:
  LineWidget(int x1, int y1, int x2, int y2)
      : Fl_Widget(std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1) + 1, std::abs(y2 - y1) + 1),
        x1_(x1),
        y1_(y1),
        x2_(x2),
        y2_(y2) {
    box(FL_NO_BOX);
    clear_visible_focus();
  }

 protected:
  void draw() override {
    fl_color(labelcolor());
    fl_line_style(FL_SOLID, 1);
    fl_line(x1_, y1_, x2_, y2_);
    fl_line_style(0);
  }
  int handle(int) override { return 0; }

 private:
  int x1_, y1_, x2_, y2_;
};

// A label draws its text from the very edge of its box, as the layouts expect; FLTK's own
// boxes indent left- and right-aligned labels by three pixels.
class LabelBox : public Fl_Box {
 public:
  LabelBox(int x, int y, int w, int h) : Fl_Box(x, y, w, h) {}

 protected:
  void draw() override {
    draw_box();
    draw_label(x(), y(), w(), h());
  }
};

// A scroll bar that takes part in the tab order like the platform's own: it accepts the
// focus, shows it, and moves with the arrow keys only while it has it (FLTK's bar would
// also take unclaimed arrow keys from anywhere in the window).
class FocusScrollbar : public Fl_Scrollbar {
 public:
  FocusScrollbar(int x, int y, int w, int h) : Fl_Scrollbar(x, y, w, h) {}

 protected:
  int handle(int event) override {
    switch (event) {
      case FL_FOCUS:
      case FL_UNFOCUS:
        if (!Fl::visible_focus()) return 0;
        redraw();
        return 1;
      case FL_SHORTCUT:
        return 0;
      default:
        return Fl_Scrollbar::handle(event);
    }
  }
  void draw() override {
    Fl_Scrollbar::draw();
    if (Fl::focus() == this) draw_focus(FL_FLAT_BOX, x(), y(), w(), h());
  }
};

// A picture box: its picture at its own top-left corner, pixel for pixel, cut at its edges.
// (An image label would be inset by FLTK's label margin of three pixels.)
class PictureWidget : public Fl_Box {
 public:
  PictureWidget(int x, int y, int w, int h) : Fl_Box(x, y, w, h) { labeltype(FL_NO_LABEL); }
  void picture(Fl_Image* image) { picture_ = image; }

 protected:
  void draw() override {
    draw_box();
    if (picture_ == nullptr) return;
    fl_push_clip(x(), y(), w(), h());
    picture_->draw(x(), y());
    fl_pop_clip();
  }

 private:
  Fl_Image* picture_ = nullptr;
};

class FltkDialog;

struct ControlEntry {
  Control design;
  Fl_Widget* widget = nullptr;
  std::function<void()> click;
  FltkDialog* owner = nullptr;
  std::unique_ptr<Fl_Image> picture;
};

void IgnoreCallback(Fl_Widget*, void*) {}

std::string CrLfToLf(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i];
  }
  return out;
}

std::string LfToCrLf(const std::string& text) {
  std::string out;
  out.reserve(text.size() + 8);
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

class FltkDialog final : public detail::DialogBase<ControlEntry> {
 public:
  FltkDialog(const FormLayout& layout, const std::string& asset_folder)
      : DialogBase(layout), asset_folder_(asset_folder) {
    fltk::EnsureSetup();
    if (!asset_folder_.empty() && asset_folder_.back() != '/') asset_folder_ += '/';
    Build();
  }

  ~FltkDialog() override {
    if (open_) {
      window_->hide();
      open_ = false;
      fltk::WindowHidden();
    }
    for (auto& [name, entry] : controls_) entry->widget->callback(IgnoreCallback);
    window_->callback(IgnoreCallback);
    // Deferred: this may run inside one of the window's own callbacks.
    Fl::delete_widget(window_);
  }

  void Show() override {
    if (!fitted_) FitCaptions();
    if (!moved_ && layout_.start == mt::layout::StartPosition::CentreScreen) {
      // Centred by the outer size: the frame a window manager adds is part of the window.
      const fltk::FrameExtents frame = Frame();
      PlaceOuter((Fl::w() - OuterPixelsW(frame)) / 2, (Fl::h() - OuterPixelsH(frame)) / 2, frame);
    }
    closing_ = false;
    bool was_open = open_;
    // FLTK creates and maps the X window in one go, with title-bar functions of its own,
    // and some window managers read them only when they take the window on. Holding the
    // server keeps the window manager from reading them before ours replace them. Hiding
    // destroys the X window, so each new X window gets them anew.
    const bool new_x_window = !window_->shown();
    fl_open_display();
    if (new_x_window) XGrabServer(fl_display);
    window_->show();
    if (new_x_window) {
      fltk::SetWindowFunctions(fl_display, fl_xid(window_), layout_.control_box);
      XUngrabServer(fl_display);
      XFlush(fl_display);
    }
    open_ = true;
    if (!was_open) fltk::WindowShown();
    FocusFirst();
  }

  std::string Text(const std::string& name) override {
    ControlEntry& e = Entry(name);
    switch (e.design.kind) {
      case ControlKind::TextBox: {
        std::string value = static_cast<Fl_Input_*>(e.widget)->value();
        return e.design.multiline ? LfToCrLf(value) : value;
      }
      default:
        return e.design.text;
    }
  }

  void SetText(const std::string& name, const std::string& text) override {
    ControlEntry& e = Entry(name);
    switch (e.design.kind) {
      case ControlKind::TextBox:
        static_cast<Fl_Input_*>(e.widget)->value(e.design.multiline ? CrLfToLf(text).c_str()
                                                                    : text.c_str());
        break;
      case ControlKind::Label:
      case ControlKind::PushButton:
      case ControlKind::CheckBox:
      case ControlKind::OptionButton:
      case ControlKind::Frame:
        e.design.text = text;
        e.widget->copy_label(fltk::DisplayText(text).c_str());
        e.widget->redraw_label();
        e.widget->redraw();
        break;
      default:
        e.design.text = text;
        break;
    }
  }

  // The outer size includes the window manager's frame, known before the window shows.
  double OuterWidth() override {
    const fltk::FrameExtents frame = Frame();
    return (window_->w() + frame.left + frame.right) * UnitsPerPixelX();
  }
  double OuterHeight() override {
    const fltk::FrameExtents frame = Frame();
    return (window_->h() + frame.top + frame.bottom) * UnitsPerPixelY();
  }
  // The position is the outer window's, as the outer size is; FLTK places the client area.
  void Move(double left, double top) override {
    moved_ = true;
    const fltk::FrameExtents frame = Frame();
    PlaceOuter(static_cast<int>(left / UnitsPerPixelX()), static_cast<int>(top / UnitsPerPixelY()),
               frame);
  }

  uint32_t hWnd() override { return window_->shown() ? static_cast<uint32_t>(fl_xid(window_)) : 0; }

  void CloseRequested() { Close(); }

 private:
  // The frame of the shown window once the window manager has set it, else its estimate.
  fltk::FrameExtents Frame() {
    fl_open_display();
    fltk::FrameExtents shown;
    if (window_->shown() && fltk::ShownFrameExtents(fl_display, fl_xid(window_), shown)) {
      return shown;
    }
    if (!frame_estimate_) {
      // A window manager that does not answer leaves the client size as the outer size.
      fltk::FrameExtents estimate;
      fltk::EstimateFrameExtents(fl_display, layout_.control_box, estimate);
      frame_estimate_ = estimate;
    }
    return *frame_estimate_;
  }
  int OuterPixelsW(const fltk::FrameExtents& f) const { return window_->w() + f.left + f.right; }
  int OuterPixelsH(const fltk::FrameExtents& f) const { return window_->h() + f.top + f.bottom; }

  // Puts the outer window's top-left corner at (left, top); FLTK places the client area.
  void PlaceOuter(int left, int top, const fltk::FrameExtents& frame) {
    window_->position(left + frame.left, top + frame.top);
  }

  // The window icon: the layout's .ico file, in its own colours. Unreadable: no icon.
  void LoadIcon() {
    if (layout_.icon.empty()) return;
    try {
      const detail::CursorImage image = detail::ReadIconFile(asset_folder_ + layout_.icon);
      icon_pixels_.clear();
      icon_pixels_.reserve(image.argb.size() * 4);
      for (uint32_t argb : image.argb) {
        icon_pixels_.push_back(static_cast<uchar>(argb >> 16));
        icon_pixels_.push_back(static_cast<uchar>(argb >> 8));
        icon_pixels_.push_back(static_cast<uchar>(argb));
        icon_pixels_.push_back(static_cast<uchar>(argb >> 24));
      }
      icon_ = std::make_unique<Fl_RGB_Image>(icon_pixels_.data(), image.width, image.height, 4);
      window_->icon(icon_.get());
    } catch (const mt::Error&) {
      icon_.reset();
    }
  }

  void Hide() override {
    window_->hide();
    fltk::WindowHidden();
  }

  void FocusNow(ControlEntry& e) override {
    if (!e.widget->take_focus()) Fl::focus(e.widget);
  }

  bool TakesFocus(const ControlEntry& e) const override { return e.widget->visible_focus(); }

  bool Checked(const ControlEntry& e) const override {
    return static_cast<Fl_Button*>(e.widget)->value() != 0;
  }
  void SetChecked(ControlEntry& e, bool checked) override {
    static_cast<Fl_Button*>(e.widget)->value(checked ? 1 : 0);
  }
  int32_t ScrollPosition(const ControlEntry& e) const override {
    return static_cast<int32_t>(static_cast<Fl_Scrollbar*>(e.widget)->value());
  }
  void SetScrollPosition(ControlEntry& e, int32_t position) override {
    static_cast<Fl_Scrollbar*>(e.widget)->value(position);
  }

  // How a caption fits its control at a font size: wrapped labels within their box, the
  // others on one line beside their check mark or inside their button face.
  bool CaptionFits(const ControlEntry& e, int size) const {
    const Fl_Widget* w = e.widget;
    std::string text = fltk::DisplayText(e.design.text);
    if (text.empty()) return true;
    fl_font(w->labelfont(), size);
    int text_w = 0, text_h = 0;
    switch (e.design.kind) {
      case ControlKind::Label:
        text_w = w->w();
        fl_measure(text.c_str(), text_w, text_h, 0);
        // The last line's descent may be cut, as the platform's labels cut it.
        return text_w <= w->w() && text_h <= w->h() + fl_descent();
      case ControlKind::CheckBox:
      case ControlKind::OptionButton:
        fl_measure(text.c_str(), text_w, text_h, 0);
        // The mark is as wide as the font is tall, with its margins.
        return text_w + size + 8 <= w->w() && text_h <= w->h() + 2;
      case ControlKind::PushButton:
        fl_measure(text.c_str(), text_w, text_h, 0);
        return text_w + 8 <= w->w() && text_h <= w->h();
      default:
        return true;
    }
  }

  // Liberation Sans is close to the layouts' font but not the same: a caption that would
  // be clipped is drawn up to two pixels smaller. MT_DIALOG_FIT_REPORT names any that
  // still does not fit (the e2e tests set it).
  void FitCaptions() {
    fitted_ = true;
    fl_open_display();
    bool report = std::getenv("MT_DIALOG_FIT_REPORT") != nullptr;
    for (auto& [name, entry] : controls_) {
      ControlKind kind = entry->design.kind;
      if (kind != ControlKind::Label && kind != ControlKind::CheckBox &&
          kind != ControlKind::OptionButton && kind != ControlKind::PushButton) {
        continue;
      }
      Fl_Widget* w = entry->widget;
      int size = w->labelsize();
      const int smallest = size - 2;
      while (size > smallest && !CaptionFits(*entry, size)) --size;
      w->labelsize(size);
      if (report && !CaptionFits(*entry, size)) {
        std::fprintf(stderr, "caption does not fit: %s.%s\n", layout_.name.c_str(), name.c_str());
      } else if (report && size != fltk::FontSizeFor(entry->design.font)) {
        std::fprintf(stderr, "caption made smaller to fit: %s.%s (%d px)\n", layout_.name.c_str(),
                     name.c_str(), size);
      }
    }
  }

  void Style(Fl_Widget* w, const Control& c) {
    w->labeltype(fltk::PlainLabel());
    w->labelfont(fltk::FontFor(c.font));
    w->labelsize(fltk::FontSizeFor(c.font));
    if (c.fore) w->labelcolor(fltk::ColourFor(*c.fore));
  }

  Fl_Align HorizontalAlign(const Control& c) const {
    switch (c.align) {
      case mt::layout::Align::Centre:
        return 0;
      case mt::layout::Align::Right:
        return FL_ALIGN_RIGHT;
      case mt::layout::Align::Left:
        break;
    }
    return FL_ALIGN_LEFT;
  }

  Fl_Widget* MakeWidget(ControlEntry& e, int x, int y, int w, int h) {
    const Control& c = e.design;
    Fl_Group::current(nullptr);
    Fl_Color back = c.back ? fltk::ColourFor(*c.back) : window_->color();
    switch (c.kind) {
      case ControlKind::Label: {
        auto* box = new LabelBox(x, y, w, h);
        Style(box, c);
        box->box(c.back ? FL_FLAT_BOX : FL_NO_BOX);
        box->color(back);
        box->align(FL_ALIGN_INSIDE | FL_ALIGN_TOP | FL_ALIGN_WRAP | FL_ALIGN_CLIP |
                   HorizontalAlign(c));
        box->copy_label(fltk::DisplayText(c.text).c_str());
        return box;
      }
      case ControlKind::PushButton: {
        auto* button = new Fl_Button(x, y, w, h);
        Style(button, c);
        if (c.back) button->color(back);
        button->copy_label(fltk::DisplayText(c.text).c_str());
        return button;
      }
      case ControlKind::CheckBox:
      case ControlKind::OptionButton: {
        Fl_Button* button = c.kind == ControlKind::CheckBox
                                ? static_cast<Fl_Button*>(new Fl_Check_Button(x, y, w, h))
                                : static_cast<Fl_Button*>(new Fl_Round_Button(x, y, w, h));
        Style(button, c);
        button->type(FL_TOGGLE_BUTTON);
        button->box(c.back ? FL_FLAT_BOX : FL_NO_BOX);
        button->color(back);
        button->selection_color(FL_BLACK);
        button->align(FL_ALIGN_INSIDE | FL_ALIGN_LEFT | FL_ALIGN_CLIP);
        button->copy_label(fltk::DisplayText(c.text).c_str());
        button->value(c.value != 0);
        return button;
      }
      case ControlKind::HScrollBar: {
        auto* bar = new FocusScrollbar(x, y, w, h);
        bar->type(FL_HORIZONTAL);
        bar->bounds(c.min, c.max);
        bar->step(1);
        bar->linesize(c.small_change);
        // FLTK pages by range * size / (1 - size); this size makes that the large change
        // (the extra half keeps the truncation from landing one short).
        double range = std::abs(c.max - c.min);
        double page = std::max(1, c.large_change) + 0.5;
        bar->slider_size(range > 0 ? page / (range + page) : 1.0);
        int32_t lo = std::min(c.min, c.max), hi = std::max(c.min, c.max);
        bar->value(std::clamp(c.value, lo, hi));
        bar->when(FL_WHEN_CHANGED);
        return bar;
      }
      case ControlKind::TextBox: {
        Fl_Input* input =
            c.multiline ? new Fl_Multiline_Input(x, y, w, h) : new Fl_Input(x, y, w, h);
        input->textfont(fltk::FontFor(c.font));
        input->textsize(fltk::FontSizeFor(c.font));
        input->color(c.back ? back : FL_WHITE);
        if (c.fore) input->textcolor(fltk::ColourFor(*c.fore));
        input->labeltype(FL_NO_LABEL);
        // Counted in characters: FLTK never inserts part of a UTF-8 character.
        if (c.max_length > 0) input->maximum_size(c.max_length);
        if (c.multiline) input->wrap(1);
        input->tab_nav(1);
        input->value(c.multiline ? CrLfToLf(c.text).c_str() : c.text.c_str());
        input->when(FL_WHEN_NEVER);
        return input;
      }
      case ControlKind::PictureBox:
      case ControlKind::Image: {
        auto* box = new PictureWidget(x, y, w, h);
        box->box(c.back ? FL_FLAT_BOX : FL_NO_BOX);
        box->color(back);
        if (!c.picture.empty()) {
          // A missing or unreadable picture leaves the box empty.
          if (auto image = fltk::LoadPicture(asset_folder_ + c.picture)) {
            box->picture(image.get());
            e.picture = std::move(image);
          }
        }
        return box;
      }
      case ControlKind::Frame: {
        auto* frame = new FrameGroup(x, y, w, h);
        frame->end();
        Style(frame, c);
        frame->box(FL_NO_BOX);
        frame->color(back);
        frame->copy_label(fltk::DisplayText(c.text).c_str());
        frame->align(FL_ALIGN_INSIDE | FL_ALIGN_TOP_LEFT);
        return frame;
      }
      case ControlKind::Line: {
        int dx = x - fltk::LayoutToPixels(c.left), dy = y - fltk::LayoutToPixels(c.top);
        auto* line =
            new LineWidget(x, y, fltk::LayoutToPixels(c.x2) + dx, fltk::LayoutToPixels(c.y2) + dy);
        line->labelcolor(c.fore ? fltk::ColourFor(*c.fore) : FL_BLACK);
        return line;
      }
      case ControlKind::Timer:
        break;
    }
    return nullptr;
  }

  void Build() {
    Fl_Group::current(nullptr);
    window_ = new Fl_Double_Window(fltk::LayoutToPixels(layout_.client_width),
                                   fltk::LayoutToPixels(layout_.client_height));
    window_->end();
    window_->copy_label(layout_.caption.c_str());
    window_->color(fltk::ColourFor(layout_.back));
    window_->labelfont(fltk::FontFor(layout_.font));
    window_->labelsize(fltk::FontSizeFor(layout_.font));
    // Fixed size: the layouts are not resizable.
    window_->size_range(window_->w(), window_->h(), window_->w(), window_->h());
    window_->callback(
        [](Fl_Widget*, void* self) { static_cast<FltkDialog*>(self)->CloseRequested(); }, this);
    LoadIcon();

    std::vector<ControlEntry*> created;
    for (const Control& c : layout_.controls) {
      if (c.kind == ControlKind::Timer) continue;
      auto entry = std::make_unique<ControlEntry>();
      entry->design = layout_.WithFormDefaults(c);
      entry->owner = this;
      // Offset of the chain of frames holding the control from the client area.
      int dx = 0, dy = 0;
      for (const Control* frame : layout_.Containers(c.container)) {
        dx += fltk::LayoutToPixels(frame->left);
        dy += fltk::LayoutToPixels(frame->top);
      }
      Fl_Widget* w =
          MakeWidget(*entry, dx + fltk::LayoutToPixels(c.left), dy + fltk::LayoutToPixels(c.top),
                     fltk::LayoutToPixels(c.width), fltk::LayoutToPixels(c.height));
      if (!w) continue;
      entry->widget = w;
      w->callback(
          [](Fl_Widget*, void* data) {
            auto* e = static_cast<ControlEntry*>(data);
            e->owner->ClickFrom(*e);
          },
          entry.get());
      created.push_back(entry.get());
      controls_[c.name] = std::move(entry);
    }

    // Each container receives its children in tab order; controls outside the tab order
    // go first (they never take focus).
    std::stable_sort(created.begin(), created.end(),
                     [this](const ControlEntry* a, const ControlEntry* b) {
                       return layout_.TabOrderKey(a->design) < layout_.TabOrderKey(b->design);
                     });
    for (ControlEntry* e : created) {
      Fl_Group* parent = window_;
      if (!e->design.container.empty()) {
        auto it = controls_.find(e->design.container);
        if (it != controls_.end() && it->second->design.kind == ControlKind::Frame) {
          parent = static_cast<Fl_Group*>(it->second->widget);
        }
      }
      parent->add(e->widget);
    }
    Fl_Group::current(nullptr);
  }

  std::string asset_folder_;
  Fl_Double_Window* window_ = nullptr;
  std::vector<uchar> icon_pixels_;
  std::unique_ptr<Fl_RGB_Image> icon_;
  std::optional<fltk::FrameExtents> frame_estimate_;
  bool fitted_ = false;
};

}  // namespace

std::unique_ptr<DialogWindow> CreateDialogWindow(const mt::layout::FormLayout& layout,
                                                 const std::string& asset_folder) {
  return std::make_unique<FltkDialog>(layout, asset_folder);
}

}  // namespace platform
