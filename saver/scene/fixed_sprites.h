#pragma once
// The fixed sprites of the scene (grass patches, logo, trees) stand still and keep their
// cell, so while nothing moving comes near one, its pixels on the stage and on the screen
// are already what restoring, saving, drawing and copying it again would give. A frame
// does that work only for the fixed sprites that are due:
//  - every one, when any of them is not drawn where and as it stands (the first frame);
//  - one whose rectangle meets a rectangle that a moving sprite (turkey, explosion)
//    restores, saves or is drawn in during this frame; the restored place is where it was
//    saved, in the last frame or, for an explosion that starts again, earlier;
//  - one that overlaps a due one, so that overlapping sprites are still drawn in order.
// A fixed sprite left alone needs nothing kept for it: restoring it, when it is due again,
// lays the tiled background over its place.
#include <cstdint>
#include <vector>

#include "saver/graphics/cSprite.h"

namespace mt::scene {

class FixedSprites {
 public:
  // The fixed sprites in drawing order.
  void Set(std::vector<cSprite*> sprites);
  // Starts a frame: none due, or all of them when one is not drawn as it stands.
  void BeginFrame();
  // A moving sprite works in this rectangle. Fixed sprites that become due by it are
  // passed, in drawing order, to `became_due`.
  template <class F>
  void Touch(int32_t x, int32_t y, int32_t w, int32_t h, F became_due) {
    const size_t first_new = newly_due_.size();
    MarkDue(x, y, w, h);
    for (size_t i = first_new; i < newly_due_.size(); ++i) became_due(*newly_due_[i]);
  }
  void Touch(const cSprite& moving) {
    Touch(moving.X(), moving.Y(), moving.Width(), moving.Height(), [](cSprite&) {});
  }
  // True for a fixed sprite that this frame leaves alone; false for one that is due and
  // for any other sprite.
  bool LeftAlone(const cSprite& sprite) const;
  // Ends a frame: the due sprites now stand drawn where they are.
  void EndFrame();

 private:
  struct Entry {
    cSprite* sprite;
    bool due = false;
    bool drawn = false;
    int32_t x = 0, y = 0, cell = 0;  // as last drawn
  };
  void MarkDue(int32_t x, int32_t y, int32_t w, int32_t h);
  size_t Order(const cSprite* sprite) const;

  std::vector<Entry> entries_;
  std::vector<cSprite*> newly_due_;  // this frame's due sprites, in the order they became so
};

}  // namespace mt::scene
