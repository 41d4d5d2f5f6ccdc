// The product name as a logo, lettered with our own round-stroke font: each glyph is a few
// strokes in a box 10 units tall (baseline at 0, x-height 6.5, y up).
#include <cmath>
#include <map>
#include <vector>

#include "art.h"

namespace assetgen {

namespace {

constexpr double kPi = 3.14159265358979323846;

using Strokes = std::vector<std::vector<Point>>;

struct Glyph {
  double width;
  Strokes strokes;
};

// An elliptical arc, angles in degrees counter-clockwise from the right (y up).
std::vector<Point> Arc(Point c, double rx, double ry, double from, double to, int steps = 18) {
  std::vector<Point> pts;
  for (int i = 0; i <= steps; ++i) {
    const double a = (from + (to - from) * i / steps) * kPi / 180;
    pts.push_back({c.x + rx * std::cos(a), c.y + ry * std::sin(a)});
  }
  return pts;
}

std::vector<Point> Then(std::vector<Point> a, const std::vector<Point>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

const std::map<char, Glyph>& Font() {
  static const std::map<char, Glyph> font = {
      {'M', {9.4, {{{0, 0}, {0.3, 10}, {4.7, 3.2}, {9.1, 10}, {9.4, 0}}}}},
      {'G', {8.6, {Then(Arc({4.5, 5}, 4.4, 5, 42, 345), {{8.7, 4.4}, {5.2, 4.4}})}}},
      {'a', {5.8, {Arc({2.7, 3.2}, 2.7, 3.2, 0, 360, 24), {{5.6, 6.4}, {5.6, 0}}}}},
      {'b', {5.8, {{{0, 10.2}, {0, 0}}, Arc({3.0, 3.2}, 2.8, 3.2, 0, 360, 24)}}},
      {'d', {5.8, {Arc({2.7, 3.2}, 2.7, 3.2, 0, 360, 24), {{5.6, 10.2}, {5.6, 0}}}}},
      {'e', {5.8, {Then({{0.1, 3.3}, {5.6, 3.3}}, Arc({2.9, 3.2}, 2.85, 3.2, 0, 315, 22))}}},
      {'i', {1.0, {{{0.5, 0}, {0.5, 6.5}}, {{0.5, 9.2}}}}},
      {'l', {1.0, {{{0.5, 0}, {0.5, 10.2}}}}},
      {'n', {5.4, {{{0, 0}, {0, 6.5}}, Then(Arc({2.7, 3.9}, 2.7, 2.6, 180, 0, 12), {{5.4, 0}})}}},
      {'o', {6.0, {Arc({3.0, 3.2}, 3.0, 3.25, 0, 360, 24)}}},
      {'r', {4.0, {{{0, 0}, {0, 6.5}}, Bezier({0, 3.6}, {0.6, 6.2}, {2.4, 6.9}, {4.0, 6.2}, 10)}}},
      {'t',
       {4.0,
        {Then({{1.4, 9.4}, {1.4, 1.6}}, Bezier({1.4, 1.6}, {1.4, 0.2}, {2.6, -0.1}, {3.9, 0.5}, 8)),
         {{0, 6.5}, {3.7, 6.5}}}}},
      {'u',
       {5.4,
        {Then({{0, 6.5}, {0, 2.6}}, Arc({2.7, 2.6}, 2.7, 2.6, 180, 360, 12)),
         {{5.4, 6.5}, {5.4, 0}}}}},
      {'w', {8.2, {{{0, 6.5}, {2.0, 0}, {4.1, 5.2}, {6.2, 0}, {8.2, 6.5}}}}},
      {'-', {3.6, {{{0.3, 3.6}, {3.3, 3.6}}}}},
  };
  return font;
}

struct Placed {
  Strokes strokes;  // in pixels, y down
};

// Lays out one line; `size` is pixels per font unit, `wave` lifts letters alternately.
Placed Layout(const std::string& text, Point origin, double size, double wave) {
  Placed out;
  double x = origin.x;
  int i = 0;
  for (char ch : text) {
    const Glyph& g = Font().at(ch);
    const double lift = wave * std::sin(i * 1.3);
    for (const auto& stroke : g.strokes) {
      std::vector<Point> pts;
      for (const Point& p : stroke) pts.push_back({x + p.x * size, origin.y - (p.y + lift) * size});
      out.strokes.push_back(pts);
    }
    x += (g.width + 2.3) * size;
    ++i;
  }
  return out;
}

double LineWidth(const std::string& text, double size) {
  double w = 0;
  for (char ch : text) w += (Font().at(ch).width + 2.3) * size;
  return w - 2.3 * size;
}

void Letter(Canvas& c, const Placed& line, double thickness, Rgb top, Rgb bottom, double y0,
            double y1) {
  Sdf all;
  std::vector<Point> every;
  for (const auto& s : line.strokes) {
    const Sdf one = Stroke(s, thickness, thickness);
    all = all ? Union(all, one) : one;
    every.insert(every.end(), s.begin(), s.end());
  }
  const Box box = BoxOf(every, thickness + 6);
  const Rgb ink = RgbOf(62, 30, 18);
  c.Fill(Grow(all, 3.2), Box{box.x0 + 2, box.y0 + 3, box.x1 + 2, box.y1 + 3}, ink);  // shadow side
  c.Fill(Grow(all, 2.6), box, ink);
  c.Fill(all, box, [=](double, double y) {
    double t = (y - y0) / (y1 - y0);
    t = t < 0 ? 0 : (t > 1 ? 1 : t);
    return Mix(top, bottom, t);
  });
  // A thin shine along the upper side of each stroke.
  c.Fill(Intersect(Grow(all, -thickness * 0.45),
                   [all, thickness](double x, double y) { return -all(x, y - thickness * 0.6); }),
         box, RgbOf(255, 246, 200), 0.8);
}

}  // namespace

Canvas Logo() {
  const std::string first = "Marrowtide", second = "Gobble-run";
  const double big = 3.4, small = 3.1;
  const double w1 = LineWidth(first, big), w2 = LineWidth(second, small);
  const int width = static_cast<int>(std::ceil(std::max(w1, w2) + 28));
  const int height = 102;
  Canvas c(width, height);
  const Placed l1 = Layout(first, {(width - w1) / 2, 42}, big, 0.25);
  const Placed l2 = Layout(second, {(width - w2) / 2 + 10, 88}, small, 0.25);
  Letter(c, l1, 2.7, RgbOf(255, 214, 92), RgbOf(226, 104, 30), 6, 44);
  Letter(c, l2, 2.5, RgbOf(250, 190, 80), RgbOf(196, 70, 30), 54, 90);
  // A falling leaf by the hyphen, for the season.
  Pen pen(c, 1.0, Point{0, 0});
  const Point leaf{width - 18.0, 22};
  const Sdf blade =
      Intersect(Circle({leaf.x - 5, leaf.y + 3}, 10), Circle({leaf.x + 5, leaf.y - 3}, 10));
  pen.Part(blade, BoxAround(leaf, 12), RgbOf(214, 80, 32), RgbOf(70, 30, 18), 1.6);
  pen.Fill(Capsule({leaf.x - 7, leaf.y + 7}, {leaf.x + 4, leaf.y - 4}, 0.6, 0.4),
           BoxAround(leaf, 12), RgbOf(120, 40, 20));
  return c;
}

}  // namespace assetgen
