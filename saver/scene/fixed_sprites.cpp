#include "saver/scene/fixed_sprites.h"

#include <algorithm>

namespace mt::scene {

void FixedSprites::Set(std::vector<cSprite*> sprites) {
  entries_.clear();
  for (cSprite* sprite : sprites) entries_.push_back(Entry{sprite, false, {}});
}

void FixedSprites::BeginFrame() {
  const bool laid_out_anew = std::any_of(entries_.begin(), entries_.end(), [](const Entry& e) {
    return !e.drawn || e.x != e.sprite->X() || e.y != e.sprite->Y() || e.cell != e.sprite->Cell();
  });
  for (Entry& e : entries_) {
    e.whole = laid_out_anew;
    e.parts.clear();
  }
}

const FixedSprites::Entry* FixedSprites::Find(const cSprite& sprite) const {
  for (const Entry& e : entries_) {
    if (e.sprite == &sprite) return &e;
  }
  return nullptr;
}

bool FixedSprites::Whole(const cSprite& sprite) const {
  const Entry* e = Find(sprite);
  return e == nullptr || e->whole;
}

const std::vector<FixedSprites::Part>& FixedSprites::DueParts(const cSprite& sprite) const {
  static const std::vector<Part> kNone;
  const Entry* e = Find(sprite);
  return e != nullptr ? e->parts : kNone;
}

void FixedSprites::EndFrame() {
  for (Entry& e : entries_) {
    if (!e.whole) continue;
    e.drawn = true;
    e.x = e.sprite->X();
    e.y = e.sprite->Y();
    e.cell = e.sprite->Cell();
  }
}

}  // namespace mt::scene
