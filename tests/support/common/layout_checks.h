#pragma once
// Checks shared by the tests of every stored layout: a fingerprint that changes with any
// number or text of the layout, and the rules every dialog keeps (controls inside the
// window, no two overlapping, a tab order without gaps or repeats). That the pictures and
// icons named exist, at their sizes and depths, the asset tests check.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "common/layout.h"

namespace mt::test {

// Every field of the layout as text, with the given texts replaced by placeholders (the
// site address is a build setting, not part of the design).
inline std::string DescribeLayout(const mt::layout::FormLayout& f,
                                  const std::vector<std::pair<std::string, std::string>>& subst) {
  using mt::layout::Colour;
  using mt::layout::Font;
  std::ostringstream out;
  const auto colour = [&](const Colour& c) {
    out << int(c.r) << ',' << int(c.g) << ',' << int(c.b) << ',' << int(c.system) << ';';
  };
  const auto maybe = [&](const std::optional<Colour>& c) {
    if (c)
      colour(*c);
    else
      out << "-;";
  };
  const auto font = [&](const Font& x) {
    out << x.face << ',' << x.points << ',' << x.bold << ';';
  };
  out << f.name << ';' << f.caption << ';' << f.client_width << ',' << f.client_height << ';'
      << int(f.border) << f.control_box << f.min_button << f.max_button << f.maximised << ';';
  colour(f.back);
  maybe(f.fore);
  font(f.font);
  out << int(f.start) << ';' << f.icon << ';' << f.cursor << '\n';
  for (const auto& c : f.controls) {
    out << int(c.kind) << ';' << c.name << ';' << c.text << ';' << c.container << ';' << c.left
        << ',' << c.top << ',' << c.width << ',' << c.height << ',' << c.x2 << ',' << c.y2 << ';';
    font(c.font);
    maybe(c.fore);
    maybe(c.back);
    out << int(c.align) << ';' << c.tab_index << ';' << c.min << ',' << c.max << ',' << c.value
        << ',' << c.small_change << ',' << c.large_change << ';' << c.max_length << ','
        << c.multiline << ';' << c.picture << ';' << c.enabled << ',' << c.interval << ';'
        << c.group << '\n';
  }
  std::string text = out.str();
  for (const auto& [from, to] : subst) {
    for (size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
      text.replace(at, from.size(), to);
  }
  return text;
}

// FNV-1a of the description, in hex. A test pins it so that no number or text of a layout
// changes unnoticed; whoever changes a layout on purpose updates the pinned value.
inline std::string LayoutFingerprint(
    const mt::layout::FormLayout& f,
    const std::vector<std::pair<std::string, std::string>>& subst = {}) {
  uint64_t h = 14695981039346656037ull;
  for (unsigned char ch : DescribeLayout(f, subst)) h = (h ^ ch) * 1099511628211ull;
  std::ostringstream hex;
  hex << std::hex << h;
  return hex.str();
}

// The rules of every dialog layout. Controls that take input never overlap each other,
// nor do labels; a label's box may run under a field beside it (its text is shorter, which
// the window builder checks with the real fonts), and pictures may touch their captions.
inline void ExpectSoundLayout(const mt::layout::FormLayout& f) {
  using mt::layout::Control;
  using mt::layout::ControlKind;
  SCOPED_TRACE(f.name);
  std::vector<const Control*> boxes;
  std::vector<int32_t> tab_indices;
  for (const Control& c : f.controls) {
    SCOPED_TRACE(c.name);
    if (c.kind == ControlKind::Timer) continue;
    if (c.container.empty()) {
      EXPECT_GE(std::min({c.left, c.top, c.x2, c.y2}), 0);
      EXPECT_LE(std::max(c.left + c.width, c.x2), f.client_width);
      EXPECT_LE(std::max(c.top + c.height, c.y2), f.client_height);
    }
    if (c.tab_index >= 0) tab_indices.push_back(c.tab_index);
    const bool boxed = c.kind != ControlKind::Line && c.kind != ControlKind::Frame &&
                       c.kind != ControlKind::PictureBox && c.kind != ControlKind::Image;
    if (boxed) boxes.push_back(&c);
  }
  for (size_t i = 0; i < boxes.size(); ++i) {
    for (size_t j = i + 1; j < boxes.size(); ++j) {
      const Control& a = *boxes[i];
      const Control& b = *boxes[j];
      const bool a_label = a.kind == ControlKind::Label, b_label = b.kind == ControlKind::Label;
      if (a.container != b.container || a_label != b_label) continue;
      const bool apart = a.left + a.width <= b.left || b.left + b.width <= a.left ||
                         a.top + a.height <= b.top || b.top + b.height <= a.top;
      EXPECT_TRUE(apart) << a.name << " overlaps " << b.name;
    }
  }
  std::sort(tab_indices.begin(), tab_indices.end());
  for (size_t i = 0; i < tab_indices.size(); ++i) {
    EXPECT_EQ(tab_indices[i], static_cast<int32_t>(i)) << "the tab order has a gap or a repeat";
  }
}

}  // namespace mt::test
