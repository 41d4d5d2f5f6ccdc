#pragma once
// Drawing in a picture's own design units: a Pen maps them onto a canvas with a scale and
// an origin, so one drawing routine serves a sprite, a window picture and an icon alike.
#include <cstdint>

#include "canvas.h"

namespace assetgen {

class Pen {
 public:
  Pen(Canvas& canvas, double scale, Point origin) : canvas_(canvas), s_(scale), o_(origin) {}
  Canvas& canvas() { return canvas_; }
  double scale() const { return s_; }

  Sdf Map(Sdf design) const {
    const double s = s_;
    const Point o = o_;
    return [design, s, o](double x, double y) { return design((x - o.x) / s, (y - o.y) / s) * s; };
  }
  Box MapBox(Box b) const {
    return Box{o_.x + b.x0 * s_, o_.y + b.y0 * s_, o_.x + b.x1 * s_, o_.y + b.y1 * s_};
  }
  Paint MapPaint(Paint design) const {
    const double s = s_;
    const Point o = o_;
    return [design, s, o](double x, double y) { return design((x - o.x) / s, (y - o.y) / s); };
  }

  void Fill(const Sdf& shape, const Box& box, Rgb colour, double opacity = 1.0) {
    canvas_.Fill(Map(shape), MapBox(box), colour, opacity);
  }
  void Fill(const Sdf& shape, const Box& box, const Paint& paint, double opacity = 1.0) {
    canvas_.Fill(Map(shape), MapBox(box), MapPaint(paint), opacity);
  }
  // A cartoon part: a dark rim of `rim_px` pixels (at any scale), then the fill.
  void Part(const Sdf& shape, const Box& box, const Paint& paint, Rgb rim, double rim_px = 1.0) {
    const Sdf px = Map(shape);
    const Box pb = MapBox(box);
    const Box grown{pb.x0 - rim_px, pb.y0 - rim_px, pb.x1 + rim_px, pb.y1 + rim_px};
    canvas_.Fill(Grow(px, rim_px), grown, rim);
    canvas_.Fill(px, pb, MapPaint(paint));
  }
  void Part(const Sdf& shape, const Box& box, Rgb colour, Rgb rim, double rim_px = 1.0) {
    Part(
        shape, box, [colour](double, double) { return colour; }, rim, rim_px);
  }

 private:
  Canvas& canvas_;
  double s_;
  Point o_;
};

// A small, fixed, portable generator (splitmix64): same seed, same pictures and sounds on
// every machine and compiler.
class Rng {
 public:
  explicit Rng(uint64_t seed) : state_(seed) {}
  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // Uniform in [0, 1).
  double Unit() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }
  double Range(double lo, double hi) { return lo + (hi - lo) * Unit(); }
  int Int(int lo, int hi_inclusive) {
    return lo + static_cast<int>(Next() % static_cast<uint64_t>(hi_inclusive - lo + 1));
  }

 private:
  uint64_t state_;
};

}  // namespace assetgen
