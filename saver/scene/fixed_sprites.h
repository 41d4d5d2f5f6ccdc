#pragma once
// The fixed sprites of the scene (grass patches, logo, trees) stand still and keep their
// cell, so wherever nothing moving comes, their pixels on the stage and on the screen are
// already what restoring, saving, drawing and copying them again would give. A frame does
// that work only where it can change something:
//  - over the whole of every one, when any of them is not drawn where and as it stands (the
//    first frame);
//  - else only in the parts of a fixed sprite that meet a rectangle in which a moving sprite
//    (turkey, explosion) restores, or is drawn, during this frame; the restored place is
//    where it was saved, in the last frame or, for an explosion that starts again, earlier.
// Why parts suffice: every moving sprite is restored and drawn whole, so inside those
// rectangles the stage is laid back to the tiled background and every sprite that reaches
// there is drawn again in drawing order; outside them nothing has moved. A part needs no
// copy to the screen of its own: it lies inside a moving sprite's rectangle, which is
// copied. Parts of one sprite may overlap; laying the tile and drawing a cell twice give
// the same pixels as once.
#include <cstdint>
#include <vector>

#include "common/rect.h"
#include "saver/graphics/cSprite.h"

namespace mt::scene {

class FixedSprites {
 public:
  using Part = mt::Rect;

  // The fixed sprites in drawing order.
  void Set(std::vector<cSprite*> sprites);
  // Starts a frame: nothing due, or every fixed sprite whole when one is not drawn as it
  // stands.
  void BeginFrame();
  // A moving sprite works in this rectangle. Each fixed sprite not already due whole that
  // meets it gets the common part as due, passed to `part_due(sprite, part)`.
  template <class F>
  void Touch(int32_t x, int32_t y, int32_t w, int32_t h, F part_due) {
    for (Entry& e : entries_) {
      if (e.whole) continue;
      const cSprite& s = *e.sprite;
      const auto part = mt::Intersect({x, y, w, h}, {s.X(), s.Y(), s.Width(), s.Height()});
      if (!part) continue;
      e.parts.push_back(*part);
      part_due(*e.sprite, *part);
    }
  }
  // True for a sprite this frame redoes whole: a fixed sprite due whole, and any sprite that
  // is not a fixed one.
  bool Whole(const cSprite& sprite) const;
  // The parts of a fixed sprite due so far this frame (none when it is due whole or is no
  // fixed sprite).
  const std::vector<Part>& DueParts(const cSprite& sprite) const;
  // Ends a frame: a sprite due whole now stands drawn where it is.
  void EndFrame();

 private:
  struct Entry {
    cSprite* sprite;
    bool whole = false;
    std::vector<Part> parts;
    bool drawn = false;
    int32_t x = 0, y = 0, cell = 0;  // as last drawn whole
  };
  const Entry* Find(const cSprite& sprite) const;

  std::vector<Entry> entries_;
};

}  // namespace mt::scene
