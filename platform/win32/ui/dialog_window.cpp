// Dialog windows from stored layouts, built from the standard controls of user32.
//
// Every control is a child of the form itself, placed at its layout rectangle converted by
// the screen's DPI; a frame's children are offset by the frame's position, so a group box
// needs no message forwarding. Children are created in tab order, which is the order the
// dialog manager's Tab key follows. Lines and the background are painted by the form.
#include <algorithm>
#include <cctype>
#include <climits>
#include <map>
#include <memory>
#include <vector>

#include "common/error.h"
#include "internal/dialog_base.h"
#include "ui/ui_support.h"

namespace platform {
namespace {

using mt::layout::Control;
using mt::layout::ControlKind;
using mt::layout::FormLayout;

constexpr wchar_t kClassName[] = L"MarrowtideDialog";
constexpr int kFirstControlId = 100;  // clear of IDOK and IDCANCEL

COLORREF ColourFor(const mt::layout::Colour& colour) {
  using mt::layout::SystemColour;
  switch (colour.system) {
    case SystemColour::Custom:
      return RGB(colour.r, colour.g, colour.b);
    case SystemColour::WindowBackground:
      return ::GetSysColor(COLOR_WINDOW);
    case SystemColour::WindowFrame:
      return ::GetSysColor(COLOR_WINDOWFRAME);
    case SystemColour::WindowText:
      return ::GetSysColor(COLOR_WINDOWTEXT);
    case SystemColour::ButtonFace:
      return ::GetSysColor(COLOR_BTNFACE);
    case SystemColour::ButtonText:
      return ::GetSysColor(COLOR_BTNTEXT);
  }
  return 0;
}

// A layout picture "name.bmp" is carried in the program as the resource NAME; a build
// without it falls back to the file in the asset folder.
std::wstring ResourceName(const std::string& file) {
  std::string stem = file.substr(0, file.find_last_of('.'));
  for (char& c : stem) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return win32::Utf8ToWide(stem);
}

HANDLE LoadPicture(const std::string& file, const std::string& asset_folder, UINT type) {
  HANDLE image = ::LoadImageW(win32::ProgramModule(), ResourceName(file).c_str(), type, 0, 0,
                              type == IMAGE_BITMAP ? LR_CREATEDIBSECTION : LR_DEFAULTSIZE);
  if (!image && type == IMAGE_BITMAP) {
    image = ::LoadImageA(nullptr, (asset_folder + file).c_str(), IMAGE_BITMAP, 0, 0,
                         LR_LOADFROMFILE | LR_CREATEDIBSECTION);
  }
  return image;
}

struct ControlEntry {
  Control design;
  HWND window = nullptr;  // none for a line
  int id = 0;
  int x = 0, y = 0, x2 = 0, y2 = 0;  // client pixels (a line's end points)
  HBITMAP picture = nullptr;
  std::function<void()> click;
};

class Win32Dialog final : public detail::DialogBase<ControlEntry> {
 public:
  Win32Dialog(const FormLayout& layout, const std::string& asset_folder)
      : DialogBase(layout), asset_folder_(asset_folder) {
    if (!asset_folder_.empty() && asset_folder_.back() != '\\' && asset_folder_.back() != '/') {
      asset_folder_ += '\\';
    }
    RegisterClassOnce();
    Build();
  }

  ~Win32Dialog() override {
    if (window_) {
      ::SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
      win32::WindowClosed(window_);
      ::DestroyWindow(window_);
    }
    for (auto& [name, entry] : controls_) {
      if (entry->picture) ::DeleteObject(entry->picture);
    }
    for (auto& [key, font] : fonts_) ::DeleteObject(font);
    for (auto& [colour, brush] : brushes_) ::DeleteObject(brush);
    if (icon_) ::DestroyIcon(icon_);
  }

  void Show() override {
    if (!moved_ && layout_.start == mt::layout::StartPosition::CentreScreen) {
      RECT r;
      ::GetWindowRect(window_, &r);
      const int w = r.right - r.left, h = r.bottom - r.top;
      ::SetWindowPos(window_, nullptr, (ScreenWidthPixels() - w) / 2,
                     (ScreenHeightPixels() - h) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    closing_ = false;
    ::ShowWindow(window_, SW_SHOW);
    ::SetForegroundWindow(window_);
    open_ = true;
    win32::WindowOpened(window_, true, [this](bool backwards) { Tab(backwards); });
    FocusFirst();
  }

  std::string Text(const std::string& name) override {
    ControlEntry& e = Entry(name);
    if (e.design.kind != ControlKind::TextBox) return e.design.text;
    // Read as UTF-16 whatever the code page; multi-line boxes keep their CR LF breaks.
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(e.window)) + 1, L'\0');
    text.resize(static_cast<size_t>(
        ::GetWindowTextW(e.window, text.data(), static_cast<int>(text.size()))));
    return win32::WideToUtf8(text);
  }

  void SetText(const std::string& name, const std::string& text) override {
    ControlEntry& e = Entry(name);
    if (e.design.kind != ControlKind::TextBox) e.design.text = text;
    if (e.window) ::SetWindowTextW(e.window, win32::Utf8ToWide(text).c_str());
  }

  double OuterWidth() override {
    RECT r;
    ::GetWindowRect(window_, &r);
    return (r.right - r.left) * UnitsPerPixelX();
  }
  double OuterHeight() override {
    RECT r;
    ::GetWindowRect(window_, &r);
    return (r.bottom - r.top) * UnitsPerPixelY();
  }
  void Move(double left, double top) override {
    moved_ = true;
    ::SetWindowPos(window_, nullptr, static_cast<int>(left / UnitsPerPixelX()),
                   static_cast<int>(top / UnitsPerPixelY()), 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  }

  uint32_t hWnd() override { return open_ ? win32::ToHandle32(window_) : 0; }

 private:
  static void RegisterClassOnce() {
    WNDCLASSEXW wc{};
    wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    // The same extra bytes as the dialog class, so the dialog manager may use them.
    wc.cbWndExtra = DLGWINDOWEXTRA;
    win32::RegisterOwnedWindowClass<Win32Dialog>(wc);
  }

  friend LRESULT CALLBACK win32::OwnedWindowProc<Win32Dialog>(HWND, UINT, WPARAM, LPARAM);

  bool Handle(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
    switch (msg) {
      case WM_COMMAND: {
        const int id = LOWORD(wp);
        // Escape, through the dialog manager, and the close box both close the form.
        if (id == IDCANCEL) {
          Close();
          return true;
        }
        ControlEntry* e = ById(id);
        if (e && HIWORD(wp) == BN_CLICKED) ClickFrom(*e);
        return e != nullptr;
      }
      case WM_CLOSE:
        Close();
        return true;
      case WM_ACTIVATE:
        // As the dialog class does: the control that had the focus gets it back when the
        // form is activated again (the default would give it to the form itself).
        if (LOWORD(wp) == WA_INACTIVE) {
          HWND focus = ::GetFocus();
          if (focus && ::IsChild(hwnd, focus)) last_focus_ = focus;
          return false;
        }
        if (last_focus_ && ::IsWindow(last_focus_)) {
          ::SetFocus(last_focus_);
          return true;
        }
        return false;
      case WM_HSCROLL:
        if (ControlEntry* e = ByWindow(reinterpret_cast<HWND>(lp))) {
          Scroll(*e, LOWORD(wp));
          return true;
        }
        return false;
      case WM_CTLCOLORSTATIC:
      case WM_CTLCOLORBTN:
      case WM_CTLCOLOREDIT:
      case WM_CTLCOLORSCROLLBAR: {
        ControlEntry* e = ByWindow(reinterpret_cast<HWND>(lp));
        if (!e) return false;
        *result = reinterpret_cast<LRESULT>(ControlColours(*e, reinterpret_cast<HDC>(wp), msg));
        return *result != 0;
      }
      case WM_DRAWITEM: {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
        ControlEntry* e = ById(static_cast<int>(item->CtlID));
        if (!e) return false;
        DrawPicture(*e, item);
        *result = TRUE;
        return true;
      }
      case WM_ERASEBKGND: {
        RECT r;
        ::GetClientRect(hwnd, &r);
        ::FillRect(reinterpret_cast<HDC>(wp), &r, Brush(ColourFor(layout_.back)));
        *result = TRUE;
        return true;
      }
      case WM_PAINT:
        PaintLines(hwnd);
        return true;
      default:
        return false;
    }
  }

  void Hide() override {
    ::ShowWindow(window_, SW_HIDE);
    win32::WindowClosed(window_);
  }

  void FocusNow(ControlEntry& e) override { ::SetFocus(e.window); }

  bool TakesFocus(const ControlEntry& e) const override { return e.window != nullptr; }

  ControlEntry* ById(int id) {
    for (auto& [name, entry] : controls_) {
      if (entry->id == id && entry->window) return entry.get();
    }
    return nullptr;
  }

  ControlEntry* ByWindow(HWND window) {
    if (!window) return nullptr;
    for (auto& [name, entry] : controls_) {
      if (entry->window == window) return entry.get();
    }
    return nullptr;
  }

  bool Checked(const ControlEntry& e) const override {
    return ::SendMessageW(e.window, BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
  void SetChecked(ControlEntry& e, bool checked) override {
    ::SendMessageW(e.window, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  int32_t ScrollPosition(const ControlEntry& e) const override {
    return ::GetScrollPos(e.window, SB_CTL);
  }
  void SetScrollPosition(ControlEntry& e, int32_t position) override {
    ::SetScrollPos(e.window, SB_CTL, position, TRUE);
  }

  // The bar's own arrows and keys move by the small change, a click beside the thumb by
  // the large change; every change of value is the control's click.
  void Scroll(ControlEntry& e, WORD request) {
    const Control& c = e.design;
    const int32_t before = ::GetScrollPos(e.window, SB_CTL);
    int32_t after = before;
    switch (request) {
      case SB_LINELEFT:
        after -= c.small_change;
        break;
      case SB_LINERIGHT:
        after += c.small_change;
        break;
      case SB_PAGELEFT:
        after -= c.large_change;
        break;
      case SB_PAGERIGHT:
        after += c.large_change;
        break;
      case SB_LEFT:
        after = std::min(c.min, c.max);
        break;
      case SB_RIGHT:
        after = std::max(c.min, c.max);
        break;
      case SB_THUMBTRACK:
      case SB_THUMBPOSITION: {
        SCROLLINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = SIF_TRACKPOS;
        ::GetScrollInfo(e.window, SB_CTL, &info);
        after = info.nTrackPos;
        break;
      }
      default:
        return;
    }
    after = InRange(c, after);
    if (after == before) return;
    ::SetScrollPos(e.window, SB_CTL, after, TRUE);
    ClickFrom(e);
  }

  HBRUSH Brush(COLORREF colour) {
    auto it = brushes_.find(colour);
    if (it != brushes_.end()) return it->second;
    HBRUSH brush = ::CreateSolidBrush(colour);
    brushes_[colour] = brush;
    return brush;
  }

  HBRUSH ControlColours(ControlEntry& e, HDC dc, UINT msg) {
    const Control& c = e.design;
    if (msg == WM_CTLCOLORBTN && c.kind == ControlKind::PushButton) return nullptr;
    COLORREF back = c.back                              ? ColourFor(*c.back)
                    : c.kind == ControlKind::TextBox    ? ::GetSysColor(COLOR_WINDOW)
                    : c.kind == ControlKind::HScrollBar ? ::GetSysColor(COLOR_SCROLLBAR)
                                                        : ColourFor(layout_.back);
    if (c.fore) ::SetTextColor(dc, ColourFor(*c.fore));
    ::SetBkColor(dc, back);
    return Brush(back);
  }

  // A picture at the control's top-left corner, pixel for pixel, cut at its edges.
  void DrawPicture(ControlEntry& e, DRAWITEMSTRUCT* item) {
    const COLORREF back = e.design.back ? ColourFor(*e.design.back) : ColourFor(layout_.back);
    ::FillRect(item->hDC, &item->rcItem, Brush(back));
    if (!e.picture) return;
    HDC source = ::CreateCompatibleDC(item->hDC);
    HGDIOBJ old = ::SelectObject(source, e.picture);
    BITMAP info{};
    ::GetObjectW(e.picture, sizeof(info), &info);
    ::BitBlt(item->hDC, 0, 0, std::min<LONG>(info.bmWidth, item->rcItem.right),
             std::min<LONG>(info.bmHeight, item->rcItem.bottom), source, 0, 0, SRCCOPY);
    ::SelectObject(source, old);
    ::DeleteDC(source);
  }

  // Lines are drawn by the form, as one-pixel pens from end to end, both ends included.
  void PaintLines(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(hwnd, &ps);
    for (auto& [name, e] : controls_) {
      if (e->design.kind != ControlKind::Line) continue;
      const COLORREF colour = e->design.fore ? ColourFor(*e->design.fore) : RGB(0, 0, 0);
      HPEN pen = ::CreatePen(PS_SOLID, 1, colour);
      HGDIOBJ old = ::SelectObject(dc, pen);
      ::MoveToEx(dc, e->x, e->y, nullptr);
      ::LineTo(dc, e->x2, e->y2);
      ::SetPixel(dc, e->x2, e->y2, colour);
      ::SelectObject(dc, old);
      ::DeleteObject(pen);
    }
    ::EndPaint(hwnd, &ps);
  }

  HFONT FontFor(const mt::layout::Font& font) {
    const std::string key = font.face + '|' + std::to_string(font.points) + (font.bold ? "b" : "");
    auto it = fonts_.find(key);
    if (it != fonts_.end()) return it->second;
    // Points to pixels by the screen's DPI: 8.25 points are 11 pixels at 96 DPI.
    const int height = -static_cast<int>(font.points * 1440.0 / UnitsPerPixelY() / 72.0 + 0.5);
    HFONT handle =
        ::CreateFontW(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                      DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                      DEFAULT_PITCH | FF_SWISS, win32::Utf8ToWide(font.face).c_str());
    fonts_[key] = handle;
    return handle;
  }

  // Tab and Shift+Tab: the next control in the layout's tab order that can take the focus,
  // round at the ends. A text box is entered with its text selected, as the platform does.
  void Tab(bool backwards) {
    std::vector<ControlEntry*> order;
    for (auto& [name, entry] : controls_) {
      if (entry->design.tab_index >= 0 && entry->window && ::IsWindowVisible(entry->window) &&
          ::IsWindowEnabled(entry->window)) {
        order.push_back(entry.get());
      }
    }
    if (order.empty()) return;
    std::sort(order.begin(), order.end(), [](const ControlEntry* a, const ControlEntry* b) {
      return a->design.tab_index < b->design.tab_index;
    });
    const HWND focus = ::GetFocus();
    auto at = std::find_if(order.begin(), order.end(),
                           [focus](const ControlEntry* e) { return e->window == focus; });
    size_t next = 0;
    if (at == order.end()) {
      next = backwards ? order.size() - 1 : 0;
    } else {
      const size_t i = static_cast<size_t>(at - order.begin());
      next = backwards ? (i + order.size() - 1) % order.size() : (i + 1) % order.size();
    }
    ControlEntry* target = order[next];
    if (target->design.kind == ControlKind::TextBox) {
      ::SendMessageW(target->window, EM_SETSEL, 0, -1);
    }
    ::SetFocus(target->window);
  }

  // Creation order: a frame before what it holds (so its box lies beneath), then by tab
  // index; controls outside the tab order never take focus and may come anywhere.
  int OrderKey(const Control& c) const {
    int key = layout_.TabOrderKey(c);
    return c.kind == ControlKind::Frame && key != INT_MIN ? key - 1 : key;
  }

  HWND MakeControl(ControlEntry& e, bool starts_group, int x, int y, int w, int h) {
    const Control& c = e.design;
    const wchar_t* cls = L"STATIC";
    DWORD style = WS_CHILD | WS_VISIBLE;
    DWORD ex_style = 0;
    std::wstring text = win32::Utf8ToWide(c.text);
    if (c.tab_index >= 0) style |= WS_TABSTOP;
    if (starts_group) style |= WS_GROUP;
    switch (c.kind) {
      case ControlKind::Label:
        style |= c.align == mt::layout::Align::Centre  ? SS_CENTER
                 : c.align == mt::layout::Align::Right ? SS_RIGHT
                                                       : SS_LEFT;
        break;
      case ControlKind::PushButton:
        cls = L"BUTTON";
        style |= BS_PUSHBUTTON;
        break;
      case ControlKind::CheckBox:
        cls = L"BUTTON";
        style |= BS_AUTOCHECKBOX;
        break;
      case ControlKind::OptionButton:
        // Exclusive within the layout's group, by SelectOption (the groups need not be
        // contiguous in the tab order).
        cls = L"BUTTON";
        style |= BS_RADIOBUTTON;
        break;
      case ControlKind::HScrollBar:
        cls = L"SCROLLBAR";
        style |= SBS_HORZ;
        text.clear();
        break;
      case ControlKind::TextBox:
        cls = L"EDIT";
        ex_style |= WS_EX_CLIENTEDGE;
        style |= c.multiline ? ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN : ES_AUTOHSCROLL;
        break;
      case ControlKind::PictureBox:
      case ControlKind::Image:
        style |= SS_OWNERDRAW;
        text.clear();
        break;
      case ControlKind::Frame:
        cls = L"BUTTON";
        style |= BS_GROUPBOX;
        style &= ~WS_TABSTOP;
        break;
      case ControlKind::Line:
      case ControlKind::Timer:
        return nullptr;
    }
    HWND window = ::CreateWindowExW(ex_style, cls, text.c_str(), style, x, y, w, h, window_,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(e.id)),
                                    win32::ProgramModule(), nullptr);
    if (!window) return nullptr;
    ::SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(c.font)), FALSE);
    switch (c.kind) {
      case ControlKind::CheckBox:
      case ControlKind::OptionButton:
        ::SendMessageW(window, BM_SETCHECK, c.value != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
        break;
      case ControlKind::HScrollBar:
        ::SetScrollRange(window, SB_CTL, std::min(c.min, c.max), std::max(c.min, c.max), FALSE);
        ::SetScrollPos(window, SB_CTL, InRange(c, c.value), FALSE);
        break;
      case ControlKind::TextBox:
        // Counted in UTF-16 units, which are the characters of every text we take.
        if (c.max_length > 0) ::SendMessageW(window, EM_LIMITTEXT, c.max_length, 0);
        break;
      case ControlKind::PictureBox:
      case ControlKind::Image:
        // A missing or unreadable picture leaves the box empty.
        if (!c.picture.empty()) {
          e.picture = static_cast<HBITMAP>(LoadPicture(c.picture, asset_folder_, IMAGE_BITMAP));
        }
        break;
      default:
        break;
    }
    return window;
  }

  void Build() {
    // Not WS_CLIPCHILDREN: a frame (group box) paints only its border and caption, so the
    // form must paint the background beneath it.
    DWORD style = WS_POPUP | WS_CAPTION;
    // Fixed borders and no minimize or maximize boxes; without the control box there is no
    // control menu and no close box either.
    if (layout_.control_box) style |= WS_SYSMENU;
    if (layout_.min_button) style |= WS_MINIMIZEBOX;
    if (layout_.max_button) style |= WS_MAXIMIZEBOX;
    DWORD ex_style =
        layout_.border == mt::layout::BorderStyle::FixedDialog ? WS_EX_DLGMODALFRAME : 0;
    if (layout_.border == mt::layout::BorderStyle::Sizable)
      style |= WS_THICKFRAME;
    else
      style |= WS_BORDER;
    RECT r{0, 0, win32::UnitsToPixelsX(layout_.client_width),
           win32::UnitsToPixelsY(layout_.client_height)};
    ::AdjustWindowRectEx(&r, style, FALSE, ex_style);
    window_ = ::CreateWindowExW(ex_style | WS_EX_CONTROLPARENT, kClassName,
                                win32::Utf8ToWide(layout_.caption).c_str(), style, CW_USEDEFAULT,
                                CW_USEDEFAULT, r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                                win32::ProgramModule(), this);
    if (!window_) mt::Fail(mt::ErrorKind::MissingObject, "cannot create " + layout_.name);
    if (!layout_.icon.empty()) {
      icon_ = static_cast<HICON>(LoadPicture(layout_.icon, asset_folder_, IMAGE_ICON));
      if (icon_) {
        ::SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
        ::SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
      }
    }

    std::vector<std::unique_ptr<ControlEntry>> entries;
    for (const Control& c : layout_.controls) {
      if (c.kind == ControlKind::Timer) continue;
      auto entry = std::make_unique<ControlEntry>();
      entry->design = layout_.WithFormDefaults(c);
      entries.push_back(std::move(entry));
    }
    std::stable_sort(entries.begin(), entries.end(), [this](const auto& a, const auto& b) {
      return OrderKey(a->design) < OrderKey(b->design);
    });
    // Option buttons of one layout group that follow each other form one dialog group, in
    // which the arrows move; every other control starts a group of its own.
    int next_id = kFirstControlId;
    const Control* previous = nullptr;
    for (auto& entry : entries) {
      const Control& c = entry->design;
      const bool continues_options = previous && c.kind == ControlKind::OptionButton &&
                                     previous->kind == ControlKind::OptionButton &&
                                     previous->group == c.group;
      if (c.kind != ControlKind::Line && c.kind != ControlKind::Timer) previous = &c;
      // Offset of the chain of frames holding the control from the client area.
      int dx = 0, dy = 0;
      for (const Control* frame : layout_.Containers(c.container)) {
        dx += win32::UnitsToPixelsX(frame->left);
        dy += win32::UnitsToPixelsY(frame->top);
      }
      entry->id = next_id++;
      entry->x = dx + win32::UnitsToPixelsX(c.left);
      entry->y = dy + win32::UnitsToPixelsY(c.top);
      entry->x2 = dx + win32::UnitsToPixelsX(c.x2);
      entry->y2 = dy + win32::UnitsToPixelsY(c.y2);
      entry->window = MakeControl(*entry, !continues_options, entry->x, entry->y,
                                  win32::UnitsToPixelsX(c.width), win32::UnitsToPixelsY(c.height));
      controls_[c.name] = std::move(entry);
    }
  }

  std::string asset_folder_;
  HWND window_ = nullptr;
  HICON icon_ = nullptr;
  HWND last_focus_ = nullptr;
  std::map<std::string, HFONT> fonts_;
  std::map<COLORREF, HBRUSH> brushes_;
};

}  // namespace

std::unique_ptr<DialogWindow> CreateDialogWindow(const mt::layout::FormLayout& layout,
                                                 const std::string& asset_folder) {
  return std::make_unique<Win32Dialog>(layout, asset_folder);
}

}  // namespace platform
