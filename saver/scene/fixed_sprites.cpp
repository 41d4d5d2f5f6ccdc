#include "saver/scene/fixed_sprites.h"

#include <algorithm>

namespace mt::scene {
namespace {

bool Overlap(int64_t ax, int64_t ay, int64_t aw, int64_t ah, const cSprite& b) {
  return ax < int64_t{b.X()} + b.Width() && b.X() < ax + aw && ay < int64_t{b.Y()} + b.Height() &&
         b.Y() < ay + ah;
}

}  // namespace

void FixedSprites::Set(std::vector<cSprite*> sprites) {
  entries_.clear();
  for (cSprite* sprite : sprites) entries_.push_back({sprite});
}

void FixedSprites::BeginFrame() {
  newly_due_.clear();
  const bool laid_out_anew = std::any_of(entries_.begin(), entries_.end(), [](const Entry& e) {
    return !e.drawn || e.x != e.sprite->X() || e.y != e.sprite->Y() || e.cell != e.sprite->Cell();
  });
  for (Entry& e : entries_) {
    e.due = laid_out_anew;
    if (e.due) newly_due_.push_back(e.sprite);
  }
}

void FixedSprites::MarkDue(int32_t x, int32_t y, int32_t w, int32_t h) {
  const size_t first_new = newly_due_.size();
  for (Entry& e : entries_) {
    if (!e.due && Overlap(x, y, w, h, *e.sprite)) {
      e.due = true;
      newly_due_.push_back(e.sprite);
    }
  }
  // Whatever overlaps a sprite that just became due is due with it, and so on.
  for (size_t i = first_new; i < newly_due_.size(); ++i) {
    const cSprite& due = *newly_due_[i];
    for (Entry& e : entries_) {
      if (!e.due && Overlap(due.X(), due.Y(), due.Width(), due.Height(), *e.sprite)) {
        e.due = true;
        newly_due_.push_back(e.sprite);
      }
    }
  }
  // Handed on in drawing order.
  std::sort(newly_due_.begin() + static_cast<std::ptrdiff_t>(first_new), newly_due_.end(),
            [this](const cSprite* a, const cSprite* b) { return Order(a) < Order(b); });
}

size_t FixedSprites::Order(const cSprite* sprite) const {
  for (size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].sprite == sprite) return i;
  }
  return entries_.size();
}

bool FixedSprites::LeftAlone(const cSprite& sprite) const {
  for (const Entry& e : entries_) {
    if (e.sprite == &sprite) return !e.due;
  }
  return false;
}

void FixedSprites::EndFrame() {
  for (Entry& e : entries_) {
    if (!e.due) continue;
    e.drawn = true;
    e.x = e.sprite->X();
    e.y = e.sprite->Y();
    e.cell = e.sprite->Cell();
  }
}

}  // namespace mt::scene
