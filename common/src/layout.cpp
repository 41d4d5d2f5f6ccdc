#include "common/layout.h"

#include <algorithm>
#include <climits>

namespace mt::layout {

Control FormLayout::WithFormDefaults(const Control& c) const {
  Control built = c;
  if (c.font == Font{} && !(font == Font{})) built.font = font;
  if (!c.fore && fore) built.fore = fore;
  return built;
}

std::vector<const Control*> FormLayout::Containers(const std::string& container) const {
  std::vector<const Control*> chain;
  for (std::string name = container; !name.empty() && chain.size() <= 16;) {
    const Control* frame = Find(name);
    if (!frame) break;
    chain.push_back(frame);
    name = frame->container;
  }
  return chain;
}

int32_t FormLayout::TabOrderKey(const Control& c) const {
  if (c.kind != ControlKind::Frame) return c.tab_index < 0 ? INT_MIN : c.tab_index;
  int32_t key = INT_MAX;
  for (const auto& child : controls) {
    if (child.container == c.name) key = std::min(key, TabOrderKey(child));
  }
  return key == INT_MAX ? INT_MIN : key;
}

}  // namespace mt::layout
