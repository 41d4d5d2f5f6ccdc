#pragma once
// What every platform's dialog keeps alike: its controls by name with their click handlers,
// the unload handler, the open state, and a focus asked for before the window shows. A
// platform's dialog derives from DialogBase over its own control entry, which holds at
// least the control's `design` and its `click` handler.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "common/error.h"
#include "common/layout.h"
#include "platform/window.h"

namespace platform::detail {

template <class ControlEntry>
class DialogBase : public DialogWindow {
 public:
  explicit DialogBase(const mt::layout::FormLayout& layout) : layout_(layout) {}

  void Close() override {
    if (!open_ || closing_) return;
    closing_ = true;
    // The unload handler may end the process; the window goes only after it returns.
    if (unload_) unload_();
    Hide();
    open_ = false;
  }
  bool IsOpen() override { return open_; }

  void SetFocus(const std::string& name) override {
    ControlEntry& e = Entry(name);  // an unknown name fails here, shown or not
    if (open_) {
      FocusNow(e);
    } else {
      pending_focus_ = name;
    }
  }
  void OnClick(const std::string& name, std::function<void()> handler) override {
    Entry(name).click = std::move(handler);
  }
  void OnUnload(std::function<void()> handler) override { unload_ = std::move(handler); }

  int32_t Value(const std::string& name) override {
    ControlEntry& e = Entry(name);
    switch (e.design.kind) {
      case mt::layout::ControlKind::CheckBox:
      case mt::layout::ControlKind::OptionButton:
        return Checked(e) ? 1 : 0;
      case mt::layout::ControlKind::HScrollBar:
        return ScrollPosition(e);
      default:
        return 0;
    }
  }
  void SetValue(const std::string& name, int32_t value) override {
    ControlEntry& e = Entry(name);
    switch (e.design.kind) {
      case mt::layout::ControlKind::CheckBox:
        SetChecked(e, value != 0);
        break;
      case mt::layout::ControlKind::OptionButton:
        if (value != 0) {
          SelectOption(e);
        } else {
          SetChecked(e, false);
        }
        break;
      case mt::layout::ControlKind::HScrollBar:
        SetScrollPosition(e, InRange(e.design, value));
        break;
      default:
        break;
    }
  }

  // A click on a control, or its keyboard equivalent: an option button is selected among
  // its group, then the control's handler runs.
  void ClickFrom(ControlEntry& e) {
    if (e.design.kind == mt::layout::ControlKind::OptionButton) SelectOption(e);
    if (e.click) {
      auto handler = e.click;  // the handler may replace itself
      handler();
    }
  }

 protected:
  // Hides the window once the unload handler has run.
  virtual void Hide() = 0;
  virtual void FocusNow(ControlEntry& e) = 0;
  virtual bool TakesFocus(const ControlEntry& e) const = 0;
  // Check boxes and option buttons.
  virtual bool Checked(const ControlEntry& e) const = 0;
  virtual void SetChecked(ControlEntry& e, bool checked) = 0;
  // Scroll bars.
  virtual int32_t ScrollPosition(const ControlEntry& e) const = 0;
  virtual void SetScrollPosition(ControlEntry& e, int32_t position) = 0;

  // A scroll bar's value within its range, whichever way round its ends lie.
  static int32_t InRange(const mt::layout::Control& c, int32_t value) {
    return std::clamp(value, std::min(c.min, c.max), std::max(c.min, c.max));
  }

  // Checks the chosen option button and clears the others of its group.
  void SelectOption(ControlEntry& chosen) {
    for (auto& [name, entry] : controls_) {
      if (entry->design.kind == mt::layout::ControlKind::OptionButton &&
          entry->design.group == chosen.design.group) {
        SetChecked(*entry, entry.get() == &chosen);
      }
    }
  }

  ControlEntry& Entry(const std::string& name) {
    auto it = controls_.find(name);
    if (it == controls_.end()) mt::Fail(mt::ErrorKind::MissingObject, "no control " + name);
    return *it->second;
  }

  // Once shown: the focus asked for before, else the first control in tab order.
  void FocusFirst() {
    if (!pending_focus_.empty()) {
      FocusNow(Entry(pending_focus_));
    } else {
      ControlEntry* first = nullptr;
      for (auto& [name, entry] : controls_) {
        if (entry->design.tab_index < 0 || !TakesFocus(*entry)) continue;
        if (!first || entry->design.tab_index < first->design.tab_index) first = entry.get();
      }
      if (first) FocusNow(*first);
    }
    pending_focus_.clear();
  }

  mt::layout::FormLayout layout_;
  std::map<std::string, std::unique_ptr<ControlEntry>> controls_;
  std::function<void()> unload_;
  std::string pending_focus_;
  bool open_ = false;
  bool closing_ = false;
  bool moved_ = false;
};

}  // namespace platform::detail
