#include "canvas.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace assetgen {

namespace {
constexpr double kPi = 3.14159265358979323846;

double Clamp01(double v) {
  return v < 0 ? 0 : (v > 1 ? 1 : v);
}

double SegmentParam(Point p, Point a, Point b) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double len2 = dx * dx + dy * dy;
  if (len2 <= 0) return 0;
  return Clamp01(((p.x - a.x) * dx + (p.y - a.y) * dy) / len2);
}
}  // namespace

Rgb Mix(Rgb a, Rgb b, double t) {
  return Rgb{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb Scale(Rgb c, double k) {
  return Rgb{c.r * k, c.g * k, c.b * k};
}

Canvas::Canvas(int width, int height)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height) {}

void Canvas::Fill(const Sdf& shape, const Box& box, const Paint& paint, double opacity) {
  const int x0 = std::max(0, static_cast<int>(std::floor(box.x0)) - 1);
  const int y0 = std::max(0, static_cast<int>(std::floor(box.y0)) - 1);
  const int x1 = std::min(width_ - 1, static_cast<int>(std::ceil(box.x1)) + 1);
  const int y1 = std::min(height_ - 1, static_cast<int>(std::ceil(box.y1)) + 1);
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) {
      const double cx = x + 0.5, cy = y + 0.5;
      const double cover = Clamp01(0.5 - shape(cx, cy)) * opacity;
      if (cover <= 0) continue;
      const Rgb c = paint(cx, cy);
      Pixel& p = at(x, y);
      p.r = c.r * cover + p.r * (1 - cover);
      p.g = c.g * cover + p.g * (1 - cover);
      p.b = c.b * cover + p.b * (1 - cover);
      p.a = cover + p.a * (1 - cover);
    }
  }
}

void Canvas::Fill(const Sdf& shape, const Box& box, Rgb colour, double opacity) {
  Fill(
      shape, box, [colour](double, double) { return colour; }, opacity);
}

void Canvas::Clear(Rgb colour) {
  for (Pixel& p : pixels_) p = Pixel{colour.r, colour.g, colour.b, 1};
}

void Canvas::Draw(const Canvas& src, int ox, int oy) {
  for (int y = 0; y < src.height(); ++y) {
    for (int x = 0; x < src.width(); ++x) {
      const int tx = x + ox, ty = y + oy;
      if (tx < 0 || ty < 0 || tx >= width_ || ty >= height_) continue;
      const Pixel& s = src.at(x, y);
      Pixel& d = at(tx, ty);
      d.r = s.r + d.r * (1 - s.a);
      d.g = s.g + d.g * (1 - s.a);
      d.b = s.b + d.b * (1 - s.a);
      d.a = s.a + d.a * (1 - s.a);
    }
  }
}

Canvas Canvas::MirroredX() const {
  Canvas out(width_, height_);
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) out.at(width_ - 1 - x, y) = at(x, y);
  return out;
}

Canvas Canvas::Downsampled(int k) const {
  return Resized(width_ / k, height_ / k);
}

Canvas Canvas::Resized(int w, int h) const {
  Canvas out(w, h);
  const double sx = static_cast<double>(width_) / w, sy = static_cast<double>(height_) / h;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const double fx0 = x * sx, fx1 = (x + 1) * sx, fy0 = y * sy, fy1 = (y + 1) * sy;
      Pixel sum;
      double weight = 0;
      for (int yy = static_cast<int>(fy0); yy < std::min(height_, static_cast<int>(std::ceil(fy1)));
           ++yy) {
        const double wy = std::min<double>(yy + 1, fy1) - std::max<double>(yy, fy0);
        for (int xx = static_cast<int>(fx0);
             xx < std::min(width_, static_cast<int>(std::ceil(fx1))); ++xx) {
          const double wx = std::min<double>(xx + 1, fx1) - std::max<double>(xx, fx0);
          const double wgt = wx * wy;
          if (wgt <= 0) continue;
          const Pixel& p = at(xx, yy);
          sum.r += p.r * wgt;
          sum.g += p.g * wgt;
          sum.b += p.b * wgt;
          sum.a += p.a * wgt;
          weight += wgt;
        }
      }
      if (weight > 0) {
        out.at(x, y) = Pixel{sum.r / weight, sum.g / weight, sum.b / weight, sum.a / weight};
      }
    }
  }
  return out;
}

Sdf Circle(Point c, double r) {
  return [c, r](double x, double y) { return std::hypot(x - c.x, y - c.y) - r; };
}

Sdf Ellipse(Point c, double rx, double ry, double angle_deg) {
  const double a = angle_deg * kPi / 180.0;
  const double ca = std::cos(a), sa = std::sin(a);
  return [=](double x, double y) {
    const double dx = x - c.x, dy = y - c.y;
    const double lx = dx * ca + dy * sa, ly = -dx * sa + dy * ca;
    // A close approximation of the true distance, exact on the axes.
    const double k0 = std::hypot(lx / rx, ly / ry);
    const double k1 = std::hypot(lx / (rx * rx), ly / (ry * ry));
    if (k1 <= 1e-12) return -std::min(rx, ry);
    return k0 * (k0 - 1.0) / k1;
  };
}

Sdf Capsule(Point a, Point b, double ra, double rb) {
  return [=](double x, double y) {
    const Point p{x, y};
    const double t = SegmentParam(p, a, b);
    const double px = a.x + (b.x - a.x) * t, py = a.y + (b.y - a.y) * t;
    return std::hypot(x - px, y - py) - (ra + (rb - ra) * t);
  };
}

Sdf Polygon(std::vector<Point> pts) {
  return [pts](double x, double y) {
    double d = std::numeric_limits<double>::max();
    bool inside = false;
    const size_t n = pts.size();
    for (size_t i = 0, j = n - 1; i < n; j = i++) {
      const Point a = pts[j], b = pts[i];
      const double t = SegmentParam(Point{x, y}, a, b);
      d = std::min(d, std::hypot(x - (a.x + (b.x - a.x) * t), y - (a.y + (b.y - a.y) * t)));
      if (((b.y > y) != (a.y > y)) && (x < (a.x - b.x) * (y - b.y) / (a.y - b.y) + b.x)) {
        inside = !inside;
      }
    }
    return inside ? -d : d;
  };
}

Sdf Stroke(std::vector<Point> pts, double r0, double r1) {
  std::vector<double> at_len(pts.size(), 0.0);
  for (size_t i = 1; i < pts.size(); ++i) {
    at_len[i] = at_len[i - 1] + std::hypot(pts[i].x - pts[i - 1].x, pts[i].y - pts[i - 1].y);
  }
  const double total = at_len.empty() || at_len.back() <= 0 ? 1.0 : at_len.back();
  return [=](double x, double y) {
    double best = std::numeric_limits<double>::max();
    if (pts.size() == 1) return std::hypot(x - pts[0].x, y - pts[0].y) - r0;
    for (size_t i = 1; i < pts.size(); ++i) {
      const Point a = pts[i - 1], b = pts[i];
      const double t = SegmentParam(Point{x, y}, a, b);
      const double along = (at_len[i - 1] + (at_len[i] - at_len[i - 1]) * t) / total;
      const double r = r0 + (r1 - r0) * along;
      best =
          std::min(best, std::hypot(x - (a.x + (b.x - a.x) * t), y - (a.y + (b.y - a.y) * t)) - r);
    }
    return best;
  };
}

std::vector<Point> Bezier(Point p0, Point p1, Point p2, Point p3, int steps) {
  std::vector<Point> out;
  for (int i = 0; i <= steps; ++i) {
    const double t = static_cast<double>(i) / steps, u = 1 - t;
    const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
    out.push_back(Point{a * p0.x + b * p1.x + c * p2.x + d * p3.x,
                        a * p0.y + b * p1.y + c * p2.y + d * p3.y});
  }
  return out;
}

Sdf Union(Sdf a, Sdf b) {
  return [a, b](double x, double y) { return std::min(a(x, y), b(x, y)); };
}
Sdf Intersect(Sdf a, Sdf b) {
  return [a, b](double x, double y) { return std::max(a(x, y), b(x, y)); };
}
Sdf Subtract(Sdf a, Sdf b) {
  return [a, b](double x, double y) { return std::max(a(x, y), -b(x, y)); };
}
Sdf Grow(Sdf a, double by) {
  return [a, by](double x, double y) { return a(x, y) - by; };
}

Box BoxAround(Point c, double r) {
  return Box{c.x - r, c.y - r, c.x + r, c.y + r};
}

Box BoxOf(const std::vector<Point>& pts, double margin) {
  Box b{1e9, 1e9, -1e9, -1e9};
  for (const Point& p : pts) {
    b.x0 = std::min(b.x0, p.x);
    b.y0 = std::min(b.y0, p.y);
    b.x1 = std::max(b.x1, p.x);
    b.y1 = std::max(b.y1, p.y);
  }
  return Box{b.x0 - margin, b.y0 - margin, b.x1 + margin, b.y1 + margin};
}

Box Everywhere() {
  return Box{-1e6, -1e6, 1e6, 1e6};
}

}  // namespace assetgen
