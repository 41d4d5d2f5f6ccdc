// The scene's other pictures: the explosion, the autumn trees, the grass patches and the
// meadow tile.
#include <algorithm>
#include <cmath>
#include <vector>

#include "art.h"

namespace assetgen {

namespace {

constexpr double kPi = 3.14159265358979323846;

double Rim(const Pen& pen) {
  return std::max(0.9, 1.3 * pen.scale());
}

Paint Radial(Point c, double r, Rgb inner, Rgb outer) {
  return [=](double x, double y) {
    double t = std::hypot(x - c.x, y - c.y) / r;
    t = t > 1 ? 1 : t;
    return Mix(inner, outer, t);
  };
}

// A lumpy ball: a ring of circles round a core, for fireballs and smoke.
Sdf Cloud(Point c, double r, int lumps, double seed) {
  Sdf s = Circle(c, r * 0.78);
  for (int i = 0; i < lumps; ++i) {
    const double a = (i + 0.5 * std::sin(seed + i)) * 2 * kPi / lumps;
    const double rr = r * (0.34 + 0.1 * std::sin(seed * 3 + i * 1.7));
    s = Union(s, Circle({c.x + std::cos(a) * (r - rr), c.y + std::sin(a) * (r - rr)}, rr));
  }
  return s;
}

Sdf Star(Point c, double r_in, double r_out, int points, double turn) {
  std::vector<Point> pts;
  for (int i = 0; i < points * 2; ++i) {
    const double a = turn + i * kPi / points;
    const double r = i % 2 == 0 ? r_out : r_in;
    pts.push_back({c.x + std::cos(a) * r, c.y + std::sin(a) * r});
  }
  return Polygon(pts);
}

void Leaf(Pen& pen, Point at, double angle, double size, Rgb colour) {
  const double a = angle * kPi / 180;
  const Point tip{at.x + std::cos(a) * size, at.y + std::sin(a) * size};
  const Point mid{(at.x + tip.x) / 2, (at.y + tip.y) / 2};
  const Sdf blade = Intersect(
      Circle({mid.x - std::sin(a) * size * 0.45, mid.y + std::cos(a) * size * 0.45}, size * 0.7),
      Circle({mid.x + std::sin(a) * size * 0.45, mid.y - std::cos(a) * size * 0.45}, size * 0.7));
  pen.Part(blade, BoxAround(mid, size), colour, RgbOf(80, 40, 22), Rim(pen) * 0.8);
  pen.Fill(Capsule(at, {mid.x + (tip.x - mid.x) * 0.6, mid.y + (tip.y - mid.y) * 0.6}, 0.35, 0.25),
           BoxAround(mid, size), Scale(colour, 0.6));
}

}  // namespace

void DrawExplosion(Pen& pen, int stage) {
  const Point c{50, 50};
  const double r = Rim(pen);
  const Rgb ink = RgbOf(96, 36, 20);
  const Rgb white = RgbOf(255, 252, 236), yellow = RgbOf(255, 226, 90),
            orange = RgbOf(246, 140, 40), red = RgbOf(206, 58, 30);
  const Rgb smoke = RgbOf(120, 114, 110), smoke_light = RgbOf(176, 172, 168);
  switch (stage) {
    case 1:  // the spark
      pen.Part(Star(c, 6, 17, 8, 0.2), BoxAround(c, 20), Radial(c, 17, white, orange), ink, r);
      pen.Fill(Circle(c, 4.5), BoxAround(c, 6), white);
      break;
    case 2:  // the fireball grows
      pen.Part(Star(c, 16, 32, 10, 0.0), BoxAround(c, 34), Radial(c, 32, yellow, red), ink, r);
      pen.Part(Cloud(c, 19, 7, 1.0), BoxAround(c, 22), Radial(c, 19, white, orange), ink, r * 0.8);
      break;
    case 3:  // the flash
      pen.Part(Star(c, 26, 47, 12, 0.13), BoxAround(c, 49), Radial(c, 47, white, orange), ink, r);
      pen.Part(Cloud(c, 30, 9, 2.0), BoxAround(c, 33), Radial(c, 30, white, yellow),
               RgbOf(230, 150, 60), r);
      pen.Fill(Circle(c, 14), BoxAround(c, 15), white);
      break;
    case 4:  // burning out, smoke at the rim
      pen.Part(Cloud(c, 44, 10, 3.0), BoxAround(c, 46), Radial(c, 44, orange, RgbOf(90, 70, 62)),
               RgbOf(60, 50, 46), r);
      pen.Part(Cloud(c, 28, 8, 4.0), BoxAround(c, 31), Radial(c, 28, yellow, red), ink, r);
      pen.Fill(Cloud({48, 48}, 12, 6, 5.0), BoxAround(c, 14), RgbOf(255, 240, 170));
      break;
    case 5:  // smoke with embers
      pen.Part(Cloud(c, 42, 10, 6.0), BoxAround(c, 44), Radial({44, 42}, 50, smoke_light, smoke),
               RgbOf(66, 62, 60), r);
      pen.Part(Cloud({44, 44}, 20, 7, 7.0), BoxAround({44, 44}, 22),
               Radial({40, 40}, 22, RgbOf(206, 202, 198), smoke_light), RgbOf(96, 92, 90), r * 0.8);
      for (const Point e : {Point{62, 60}, Point{36, 64}, Point{58, 34}, Point{70, 46}}) {
        pen.Part(Circle(e, 2.4), BoxAround(e, 4), RgbOf(255, 160, 50), ink, r * 0.7);
      }
      break;
    default: {  // thin wisps drifting apart
      const Point puffs[] = {{34, 36}, {60, 30}, {50, 58}, {72, 60}, {26, 62}};
      const double radii[] = {11, 9, 12, 7, 7};
      for (int i = 0; i < 5; ++i) {
        pen.Part(Cloud(puffs[i], radii[i], 6, 8.0 + i), BoxAround(puffs[i], radii[i] + 2),
                 Radial({puffs[i].x - 3, puffs[i].y - 3}, radii[i] + 3, RgbOf(226, 224, 222),
                        RgbOf(186, 184, 182)),
                 RgbOf(128, 126, 124), r * 0.8);
      }
      break;
    }
  }
}

void DrawTree(Pen& pen, bool small) {
  Rng rng(small ? 0x5EED0002u : 0x5EED0001u);
  const double w = small ? kSmallTreeW : kTreeW, h = small ? kSmallTreeH : kTreeH;
  const double k = small ? 0.62 : 1.0;  // size of the small tree's parts against the large
  const double r = Rim(pen);
  const Rgb bark = RgbOf(96, 62, 40), bark_dark = RgbOf(64, 40, 26),
            bark_light = RgbOf(136, 94, 62);
  const Rgb ink = RgbOf(54, 30, 20);
  const double base_y = h - 8 * k - 3;
  const double cx = w / 2;

  // Ground patch at the foot, with a few roots.
  pen.Part(Ellipse({cx, base_y}, 44 * k, 6 * k),
           Box{cx - 50 * k, base_y - 8 * k, cx + 50 * k, base_y + 8 * k}, RgbOf(112, 96, 52),
           RgbOf(70, 58, 30), r);

  // Branches grow from the trunk top; their tips carry the leaf clusters.
  struct Limb {
    Point a, b;
    double ra, rb;
  };
  std::vector<Limb> limbs;
  std::vector<Point> tips;
  const Point trunk_top{cx + 2 * k, h * 0.52};
  std::function<void(Point, double, double, double, int)> grow =
      [&](Point p, double ang, double len, double rad, int depth) {
        const Point e{p.x + std::cos(ang) * len, p.y + std::sin(ang) * len};
        limbs.push_back({p, e, rad, rad * 0.7});
        if (depth == 0) {
          tips.push_back(e);
          return;
        }
        const int kids = depth >= 2 ? 3 : 2;
        for (int i = 0; i < kids; ++i) {
          const double spread = (i - (kids - 1) / 2.0) * 0.55 + rng.Range(-0.15, 0.15);
          grow(e, ang + spread, len * rng.Range(0.62, 0.78), rad * 0.66, depth - 1);
        }
      };
  grow(trunk_top, -kPi / 2 + rng.Range(-0.1, 0.1), 44 * k, 8.5 * k, 3);

  // Trunk: a tapered shape with a root flare.
  const std::vector<Point> trunk{
      {cx - 20 * k, base_y + 2 * k},     {cx - 10 * k, base_y - 12 * k},
      {cx - 8 * k, trunk_top.y + 6 * k}, {cx - 4 * k, trunk_top.y - 4 * k},
      {cx + 8 * k, trunk_top.y - 4 * k}, {cx + 11 * k, trunk_top.y + 8 * k},
      {cx + 12 * k, base_y - 12 * k},    {cx + 22 * k, base_y + 2 * k}};
  pen.Part(
      Polygon(trunk), BoxOf(trunk, 2),
      [=](double x, double) {
        const double t = (x - (cx - 14 * k)) / (28 * k);
        return Mix(bark_light, bark_dark, t < 0 ? 0 : (t > 1 ? 1 : t));
      },
      ink, r);
  for (const Limb& l : limbs) {
    pen.Part(Capsule(l.a, l.b, l.ra, l.rb), BoxOf({l.a, l.b}, l.ra + 2), bark, ink, r);
  }
  // Bark lines.
  for (int i = 0; i < 4; ++i) {
    const double x = cx - 6 * k + i * 4 * k;
    const auto line = Bezier({x, base_y - 6 * k}, {x + 2 * k, base_y - 30 * k},
                             {x - 2 * k, base_y - 60 * k}, {x + 1 * k, trunk_top.y + 14 * k}, 10);
    pen.Fill(Stroke(line, 0.6 * k + 0.2, 0.4 * k + 0.2), BoxOf(line, 2), bark_dark, 0.8);
  }

  // The crown: a silhouette of overlapping blobs round the branch tips, in shade, then
  // hundreds of small leaf clumps over it, lit from the upper left, each with its shadow.
  const std::vector<Rgb> warm = small ? std::vector<Rgb>{RgbOf(236, 184, 52), RgbOf(226, 150, 40),
                                                         RgbOf(244, 206, 84), RgbOf(214, 120, 36)}
                                      : std::vector<Rgb>{RgbOf(214, 86, 34), RgbOf(232, 130, 40),
                                                         RgbOf(190, 54, 32), RgbOf(240, 176, 56)};
  struct Blob {
    Point c;
    double r;
  };
  std::vector<Blob> blobs;
  const Point crown{cx, h * 0.34};
  const double crown_rx = w * 0.44, crown_ry = h * 0.3;
  for (int i = 0; i < 90; ++i) {
    const double a = rng.Range(0, 2 * kPi), d = std::sqrt(rng.Unit());
    blobs.push_back({{crown.x + std::cos(a) * d * (crown_rx - 16 * k),
                      crown.y + std::sin(a) * d * (crown_ry - 16 * k)},
                     rng.Range(12, 18) * k});
  }
  for (const Point& t : tips) blobs.push_back({t, rng.Range(12, 16) * k});
  // Keep the whole crown inside the picture, rim included.
  for (Blob& b : blobs) {
    b.c.x = std::clamp(b.c.x, b.r + 3, w - b.r - 3);
    b.c.y = std::max(b.c.y, b.r + 3);
  }
  Sdf crown_shape = Circle(blobs[0].c, blobs[0].r);
  for (const Blob& b : blobs) crown_shape = Union(crown_shape, Circle(b.c, b.r));
  const Box crown_box{0, 0, w, h * 0.75};
  const Rgb deep = small ? RgbOf(150, 84, 24) : RgbOf(128, 36, 20);
  pen.Fill(Grow(crown_shape, r / pen.scale()), crown_box, RgbOf(84, 30, 18));
  pen.Fill(crown_shape, crown_box, [=](double, double y) {
    const double t = std::clamp((y - (crown.y - crown_ry)) / (2 * crown_ry), 0.0, 1.0);
    return Mix(Mix(warm[0], deep, 0.45), deep, t);
  });
  // The main limbs show through gaps in the foliage.
  for (const Limb& l : limbs) {
    if (l.ra > 3.5 * k)
      pen.Part(Capsule(l.a, l.b, l.ra, l.rb), BoxOf({l.a, l.b}, l.ra + 2), bark, ink, r);
  }
  const int clumps = small ? 150 : 290;
  for (int i = 0, placed = 0; placed < clumps && i < clumps * 20; ++i) {
    const Point p{rng.Range(0, w), rng.Range(0, h * 0.75)};
    const double cr = rng.Range(4.5, 8.5) * k;
    if (crown_shape(p.x, p.y) > -cr * 0.6) continue;
    ++placed;
    const double lx = (p.x - crown.x) / crown_rx, ly = (p.y - crown.y) / crown_ry;
    const double light = std::clamp(0.5 - 0.45 * (lx * 0.6 + ly * 0.8), 0.0, 1.0);
    const Rgb base = warm[static_cast<size_t>(rng.Int(0, 3))];
    const Rgb lit = Mix(base, RgbOf(255, 240, 160), 0.35 * light),
              dark = Mix(base, deep, 0.55 * (1 - light));
    const Point sh{p.x + 1.2 * k, p.y + 1.8 * k};
    pen.Fill(Circle(sh, cr), BoxAround(sh, cr + 1), RgbOf(96, 30, 18), 0.45);
    pen.Fill(Circle(p, cr), BoxAround(p, cr + 1),
             Radial({p.x - cr * 0.4, p.y - cr * 0.5}, cr * 1.5, lit, dark));
  }
  // Scattered single leaves over the crown and a few falling ones.
  for (int i = 0; i < (small ? 20 : 34); ++i) {
    const double a = rng.Range(0, 2 * kPi), d = std::sqrt(rng.Unit()) * 0.9;
    const Point p{crown.x + std::cos(a) * d * crown_rx, crown.y + std::sin(a) * d * crown_ry};
    Leaf(pen, p, rng.Range(0, 360), rng.Range(5, 7) * k,
         Mix(warm[static_cast<size_t>(rng.Int(0, 3))], RgbOf(255, 220, 120), 0.2));
  }
  const Point falling[] = {
      {w * 0.12, h * 0.72}, {w * 0.86, h * 0.66}, {w * 0.78, h * 0.86}, {w * 0.2, h * 0.92}};
  for (const Point& p : falling)
    Leaf(pen, p, rng.Range(0, 360), 7 * k, warm[static_cast<size_t>(rng.Int(0, 3))]);
}

void DrawGrassPatch(Pen& pen, bool with_pumpkin) {
  Rng rng(with_pumpkin ? 0x6A55002u : 0x6A55001u);
  const double r = Rim(pen);
  const Rgb straw[] = {RgbOf(206, 176, 92), RgbOf(178, 150, 70), RgbOf(150, 132, 60),
                       RgbOf(222, 196, 120), RgbOf(136, 120, 56)};
  const Rgb ink = RgbOf(78, 64, 30);
  const double base = kGrassH - 11;
  // Soil under the tufts.
  pen.Part(Ellipse({kGrassW / 2.0, base + 1}, kGrassW / 2.0 - 6, 5.5),
           Box{0, base - 8, kGrassW, base + 8}, RgbOf(116, 92, 58), RgbOf(74, 56, 34), r);
  if (with_pumpkin) {
    // A pumpkin among the grass, drawn before the front blades.
    const Point p{104, base - 10};
    pen.Part(Ellipse(p, 17, 12.5), BoxAround(p, 19), RgbOf(232, 128, 34), RgbOf(110, 50, 18), r);
    for (int i = -1; i <= 1; ++i) {
      pen.Part(
          Ellipse({p.x + i * 7.5, p.y}, 6, 12, 0), BoxAround(p, 19),
          [=](double x, double) {
            return Mix(RgbOf(246, 152, 50), RgbOf(210, 104, 26), std::abs(x - p.x) / 18);
          },
          RgbOf(150, 66, 20), r * 0.7);
    }
    pen.Part(Capsule({p.x, p.y - 11}, {p.x + 3, p.y - 17}, 2.2, 1.6), BoxAround(p, 20),
             RgbOf(120, 96, 44), ink, r);
  }
  for (int tuft = 0; tuft < 11; ++tuft) {
    const double bx = 14 + tuft * (kGrassW - 28) / 10.0 + rng.Range(-4, 4);
    if (with_pumpkin && bx > 90 && bx < 118) continue;
    const int blades = rng.Int(5, 8);
    for (int i = 0; i < blades; ++i) {
      const double len = rng.Range(14, 30) * (1 - 0.35 * std::abs(tuft - 5) / 5.0);
      const Point a{bx + rng.Range(-3, 3), base + rng.Range(-1, 2)};
      // Lean, but keep the tip inside the picture.
      const double lean = std::clamp(rng.Range(-0.7, 0.7), (5 - a.x) / (len * 0.8),
                                     (kGrassW - 5 - a.x) / (len * 0.8));
      const Point tip{a.x + lean * len * 0.8, a.y - len};
      const auto blade =
          Bezier(a, {a.x, a.y - len * 0.5}, {a.x + lean * len * 0.4, a.y - len * 0.8}, tip, 8);
      pen.Part(Stroke(blade, 1.7, 0.45), BoxOf(blade, 3), straw[rng.Int(0, 4)], ink, r * 0.7);
    }
  }
  const Rgb leaves[] = {RgbOf(214, 86, 34), RgbOf(236, 170, 50), RgbOf(180, 60, 30)};
  for (int i = 0; i < (with_pumpkin ? 3 : 5); ++i) {
    Leaf(pen, {rng.Range(16, kGrassW - 16), base + rng.Range(-3, 3)},
         rng.Range(-30, 30) + (i % 2 ? 180 : 0), 7, leaves[i % 3]);
  }
}

Canvas BackgroundTile() {
  // A calm meadow that repeats without seams: periodic value noise for the soft patches,
  // and every small mark drawn with its wrapped copies.
  const int n = kTile;
  Canvas tile(n, n);
  Rng rng(0xBAC6u);
  const int periods[] = {4, 8, 16, 32};
  const double weights[] = {0.5, 0.28, 0.14, 0.08};
  std::vector<std::vector<double>> lattices;
  for (int p : periods) {
    std::vector<double> v(static_cast<size_t>(p * p));
    for (double& x : v) x = rng.Unit();
    lattices.push_back(v);
  }
  auto smooth = [](double t) { return t * t * (3 - 2 * t); };
  const Rgb low = RgbOf(122, 146, 80), high = RgbOf(148, 168, 96);
  for (int y = 0; y < n; ++y) {
    for (int x = 0; x < n; ++x) {
      double v = 0;
      for (size_t o = 0; o < 4; ++o) {
        const int p = periods[o];
        const double fx = static_cast<double>(x) * p / n, fy = static_cast<double>(y) * p / n;
        const int x0 = static_cast<int>(fx), y0 = static_cast<int>(fy);
        const double tx = smooth(fx - x0), ty = smooth(fy - y0);
        auto L = [&](int i, int j) {
          return lattices[o][static_cast<size_t>(((j % p) * p) + (i % p))];
        };
        const double top = L(x0, y0) + (L(x0 + 1, y0) - L(x0, y0)) * tx;
        const double bottom = L(x0, y0 + 1) + (L(x0 + 1, y0 + 1) - L(x0, y0 + 1)) * tx;
        v += weights[o] * (top + (bottom - top) * ty);
      }
      const Rgb c = Mix(low, high, v);
      tile.at(x, y) = Pixel{c.r, c.g, c.b, 1};
    }
  }
  Pen pen(tile, 1.0, Point{0, 0});
  auto wrapped = [&](Point p, double reach, const std::function<void(Pen&)>& draw) {
    for (int oy = -1; oy <= 1; ++oy) {
      for (int ox = -1; ox <= 1; ++ox) {
        const double x = p.x + ox * n, y = p.y + oy * n;
        if (x + reach < 0 || y + reach < 0 || x - reach > n || y - reach > n) continue;
        Pen shifted(tile, 1.0, Point{x - p.x, y - p.y});
        draw(shifted);
      }
    }
  };
  // Short grass strokes, a shade lighter or darker than the ground.
  for (int i = 0; i < 260; ++i) {
    const Point p{rng.Range(0, n), rng.Range(0, n)};
    const double len = rng.Range(3, 6), lean = rng.Range(-1.5, 1.5);
    const Rgb c = rng.Unit() < 0.5 ? RgbOf(108, 132, 70) : RgbOf(164, 180, 108);
    wrapped(p, 8, [&](Pen& pp) {
      pp.Fill(Capsule(p, {p.x + lean, p.y - len}, 0.6, 0.3), BoxAround(p, 8), c, 0.8);
    });
  }
  // A few faded fallen leaves and pale flowers.
  const Rgb leafy[] = {RgbOf(196, 150, 70), RgbOf(186, 120, 64)};
  for (int i = 0; i < 7; ++i) {
    const Point p{rng.Range(0, n), rng.Range(0, n)};
    const double a = rng.Range(0, 360);
    const Rgb c = leafy[i % 2];
    wrapped(p, 10, [&](Pen& pp) {
      const double ar = a * kPi / 180;
      pp.Fill(Ellipse(p, 4, 2, a), BoxAround(p, 6), c, 0.7);
      pp.Fill(Capsule(p, {p.x + std::cos(ar) * 5, p.y + std::sin(ar) * 5}, 0.3, 0.3),
              BoxAround(p, 7), c, 0.6);
    });
  }
  for (int i = 0; i < 9; ++i) {
    const Point p{rng.Range(0, n), rng.Range(0, n)};
    wrapped(p, 4,
            [&](Pen& pp) { pp.Fill(Circle(p, 1.3), BoxAround(p, 3), RgbOf(236, 230, 200), 0.85); });
  }
  return tile;
}

}  // namespace assetgen
