// Pictures for the windows (the settings dialog, the preview, the referral form), their
// icons, and the sight cursors.
#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "art.h"

namespace assetgen {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kSuper = 4;  // small pictures are drawn this many times larger, then averaged

Sdf RoundedRect(Box b, double radius) {
  return [=](double x, double y) {
    const double cx = (b.x0 + b.x1) / 2, cy = (b.y0 + b.y1) / 2;
    const double hx = (b.x1 - b.x0) / 2 - radius, hy = (b.y1 - b.y0) / 2 - radius;
    const double qx = std::abs(x - cx) - hx, qy = std::abs(y - cy) - hy;
    const double ox = std::max(qx, 0.0), oy = std::max(qy, 0.0);
    return std::hypot(ox, oy) + std::min(std::max(qx, qy), 0.0) - radius;
  };
}

Paint Vertical(Rgb top, Rgb bottom, double y0, double y1) {
  return [=](double, double y) {
    double t = (y - y0) / (y1 - y0);
    t = t < 0 ? 0 : (t > 1 ? 1 : t);
    return Mix(top, bottom, t);
  };
}

// Keeps only what lies inside `mask` (coverage multiplied), for rounded picture corners.
void Clip(Canvas& c, const Sdf& mask) {
  for (int y = 0; y < c.height(); ++y) {
    for (int x = 0; x < c.width(); ++x) {
      double k = 0.5 - mask(x + 0.5, y + 0.5);
      k = k < 0 ? 0 : (k > 1 ? 1 : k);
      Pixel& p = c.at(x, y);
      p = Pixel{p.r * k, p.g * k, p.b * k, p.a * k};
    }
  }
}

void Border(Canvas& c, const Sdf& shape, Rgb colour, double width) {
  c.Fill(Subtract(shape, Grow(shape, -width)), Everywhere(), colour);
}

void TurkeyAt(Canvas& c, Point top_left, double size, TurkeyPose pose, bool left) {
  const int n = static_cast<int>(std::ceil(size)) + 2;
  Canvas cell(n, n);
  Pen pen(cell, size / kCellDesign, Point{1, 1});
  DrawTurkey(pen, pose);
  c.Draw(left ? cell.MirroredX() : cell, static_cast<int>(std::lround(top_left.x)),
         static_cast<int>(std::lround(top_left.y)));
}

}  // namespace

Canvas SceneView(int width, int height, double zoom, Point grass,
                 const std::vector<SceneTurkey>& turkeys) {
  const int W = width * kSuper, H = height * kSuper;
  const double z = zoom * kSuper;
  Canvas c(W, H);
  // Meadow: the real tile, scaled.
  const Canvas tile = BackgroundTile();
  const int t = std::max(1, static_cast<int>(std::lround(kTile * z)));
  const Canvas scaled = tile.Resized(t, t);
  for (int y = 0; y < H; y += t)
    for (int x = 0; x < W; x += t) c.Draw(scaled, x, y);
  {
    Pen patch(c, z, Point{W * grass.x, H * grass.y});
    DrawGrassPatch(patch, true);
  }
  const double cell = kCell * z;
  for (const SceneTurkey& tk : turkeys) {
    TurkeyAt(c, {tk.at.x * W - cell / 2, tk.at.y * H - cell / 2}, cell, tk.pose, tk.left);
  }
  {
    Pen tree(c, z, Point{W * 0.02, H - kTreeH * z - 2});
    DrawTree(tree, false);
  }
  return c.Downsampled(kSuper);
}

Canvas PreviewPicture() {
  // The whole picture is the scene; a thin frame keeps its edge tidy in any host.
  Canvas c = SceneView(151, 119, 0.3, {0.44, 0.08},
                       {{{0.66, 0.2}, TurkeyPose::kStride, false},
                        {{0.86, 0.44}, TurkeyPose::kStep, true},
                        {{0.6, 0.52}, TurkeyPose::kRuffled, true},
                        {{0.84, 0.08}, TurkeyPose::kRoasted, true}});
  const Canvas logo = Logo();
  const int lw = static_cast<int>(logo.width() * 0.26), lh = static_cast<int>(logo.height() * 0.26);
  c.Draw(logo.Resized(lw, lh), 151 - lw - 3, 119 - lh - 3);
  Border(c, RoundedRect(Box{0, 0, 151, 119}, 0.01), RgbOf(70, 52, 36), 1);
  return c;
}

Canvas SettingsPicture() {
  Canvas c = SceneView(181, 88, 0.24, {0.38, 0.06},
                       {{{0.5, 0.4}, TurkeyPose::kStep, false},
                        {{0.72, 0.25}, TurkeyPose::kStride, true},
                        {{0.92, 0.3}, TurkeyPose::kStep, true}});
  const Canvas logo = Logo();
  const int lw = static_cast<int>(logo.width() * 0.33), lh = static_cast<int>(logo.height() * 0.33);
  c.Draw(logo.Resized(lw, lh), 181 - lw - 5, 88 - lh - 4);
  const Sdf panel = RoundedRect(Box{0.5, 0.5, 180.5, 87.5}, 9);
  Clip(c, panel);
  Border(c, panel, RgbOf(110, 70, 40), 1.2);
  return c;
}

Canvas WeaponShotgun() {
  Canvas big(27 * kSuper, 15 * kSuper);
  Pen pen(big, kSuper, Point{0, 0});
  const Rgb ink = RgbOf(40, 32, 28), wood = RgbOf(150, 86, 40), steel = RgbOf(92, 98, 108);
  // Stock, grip, action and two barrels, pointing right.
  pen.Part(
      Polygon(
          {{0.6, 8.5}, {8.5, 6.2}, {10.5, 6.2}, {10.5, 9.2}, {8, 9.8}, {1.2, 13.6}, {0.6, 13.2}}),
      Box{0, 5, 12, 14.5}, Vertical(RgbOf(186, 116, 58), wood, 6, 13), ink, 0.22);
  pen.Part(Polygon({{10, 5.6}, {14.5, 5.6}, {14.5, 8.6}, {10, 8.8}}), Box{9, 5, 15, 9.5},
           RgbOf(120, 124, 132), ink, 0.22);
  pen.Part(Capsule({14, 5.9}, {26.2, 5.9}, 0.75, 0.75), Box{13, 4.5, 27, 7.5}, steel, ink, 0.2);
  pen.Part(Capsule({14, 7.5}, {26.2, 7.5}, 0.75, 0.75), Box{13, 6, 27, 9}, Scale(steel, 0.8), ink,
           0.2);
  pen.Part(Polygon({{15, 8.6}, {21, 8.6}, {21, 9.8}, {15, 9.8}}), Box{14, 8, 22, 10.5}, wood, ink,
           0.2);
  pen.Fill(Subtract(Circle({11.6, 9.6}, 1.5), Circle({11.6, 9.6}, 1.0)), Box{9.5, 8, 14, 11.5},
           ink);
  return big.Downsampled(kSuper);
}

Canvas WeaponFlame() {
  Canvas big(32 * kSuper, 35 * kSuper);
  Pen pen(big, kSuper, Point{0, 0});
  const Rgb ink = RgbOf(40, 30, 26);
  // Twin fuel tanks, a hose to the wand, and a burst of flame from its nozzle.
  const Rgb olive = RgbOf(132, 138, 92), olive_dark = RgbOf(78, 84, 52);
  for (const double x : {6.0, 12.5}) {
    pen.Part(
        Capsule({x, 15}, {x, 30.5}, 3.4, 3.4), Box{x - 5, 10, x + 5, 35},
        [=](double px, double) {
          return Mix(Mix(olive, RgbOf(220, 224, 190), 0.3), olive_dark,
                     std::clamp((px - x + 2.5) / 5, 0.0, 1.0));
        },
        ink, 0.25);
    pen.Part(Capsule({x, 11.2}, {x, 10.2}, 1.3, 1.3), Box{x - 3, 8, x + 3, 13},
             RgbOf(150, 154, 160), ink, 0.25);
  }
  pen.Part(Polygon({{2.2, 19}, {16.3, 19}, {16.3, 21}, {2.2, 21}}), Box{1, 18, 18, 22},
           RgbOf(90, 66, 40), ink, 0.2);
  const auto hose = Bezier({12.5, 33.5}, {19, 35}, {20, 28}, {17.5, 23}, 12);
  pen.Part(Stroke(hose, 0.9, 0.9), BoxOf(hose, 2), RgbOf(60, 60, 60), ink, 0.2);
  pen.Part(Capsule({15.5, 21}, {22.5, 12.5}, 1.3, 1.0), Box{13, 10, 24, 23}, RgbOf(150, 156, 166),
           ink, 0.25);
  pen.Part(Polygon({{16.2, 19.5}, {18.2, 18.2}, {19.5, 22.5}, {17.6, 23.3}}), Box{15, 17, 21, 24},
           RgbOf(70, 70, 74), ink, 0.2);
  const std::vector<Point> flame{{21, 11.5},  {23, 7.5},   {24.5, 9}, {26, 3},
                                 {27.5, 7.2}, {30.5, 1.5}, {30.8, 8}, {31.6, 10.5},
                                 {29, 14.5},  {25, 15},    {22, 13.5}};
  pen.Part(Polygon(flame), BoxOf(flame, 1),
           Vertical(RgbOf(255, 236, 120), RgbOf(240, 96, 30), 2, 15), RgbOf(190, 60, 20), 0.25);
  pen.Fill(Ellipse({25.5, 12}, 2.8, 1.6, -30), Box{22, 9, 29, 15}, RgbOf(255, 250, 210));
  return big.Downsampled(kSuper);
}

Canvas WeaponRifle() {
  Canvas big(28 * kSuper, 32 * kSuper);
  Pen pen(big, kSuper, Point{0, 0});
  const Rgb ink = RgbOf(40, 32, 28), wood = RgbOf(150, 86, 40), steel = RgbOf(84, 90, 100);
  // A rifle standing on its butt, leaning right, scope on top.
  const double a = -58 * kPi / 180;
  auto along = [a](double s, double side) {
    return Point{3 + s * std::cos(a) - side * std::sin(a),
                 30 + s * std::sin(a) + side * std::cos(a)};
  };
  pen.Part(Polygon({along(0, -2.4), along(13, -1.2), along(15, -1.2), along(15, 1.3),
                    along(11.5, 1.3), along(9.5, 3.4), along(0, 2.2)}),
           Box{0, 10, 20, 32}, Vertical(RgbOf(190, 118, 60), wood, 14, 31), ink, 0.22);
  pen.Part(Capsule(along(14, -0.2), along(35, -0.2), 0.8, 0.65), Box{6, 0, 28, 22}, steel, ink,
           0.2);
  pen.Part(Polygon({along(15, 1.1), along(24, 1.1), along(24, 2.0), along(15, 2.0)}),
           Box{6, 0, 28, 22}, wood, ink, 0.2);
  pen.Part(Capsule(along(14, -2.8), along(22, -2.8), 1.3, 1.3), Box{6, 0, 28, 22},
           RgbOf(50, 54, 62), ink, 0.2);
  pen.Part(Capsule(along(21.5, -2.8), along(23.5, -2.8), 1.8, 1.8), Box{6, 0, 28, 22},
           RgbOf(60, 64, 72), ink, 0.2);
  pen.Fill(Circle(along(23.6, -2.8), 0.9), Box{6, 0, 28, 22}, RgbOf(140, 200, 240));
  pen.Fill(Subtract(Circle(along(13.5, 2.0), 1.4), Circle(along(13.5, 2.0), 0.9)),
           Box{0, 8, 28, 30}, ink);
  return big.Downsampled(kSuper);
}

Canvas ReferralPicture() {
  const int w = 120, h = 126;
  Canvas big(w * kSuper, h * kSuper);
  Pen pen(big, kSuper, Point{0, 0});
  const Sdf panel = RoundedRect(Box{0.5, 0.5, w - 0.5, h - 0.5}, 10);
  pen.Fill(panel, Box{0, 0, double(w), double(h)},
           Vertical(RgbOf(252, 236, 200), RgbOf(244, 196, 120), 0, h));
  // Rays behind the bird.
  for (int i = 0; i < 12; ++i) {
    const double a0 = i * kPi / 6, a1 = a0 + kPi / 14;
    const Point c{60, 62};
    pen.Fill(Intersect(panel, Polygon({c,
                                       {c.x + std::cos(a0) * 120, c.y + std::sin(a0) * 120},
                                       {c.x + std::cos(a1) * 120, c.y + std::sin(a1) * 120}})),
             Box{0, 0, double(w), double(h)}, RgbOf(255, 248, 224), 0.55);
  }
  pen.Fill(Intersect(panel, Ellipse({60, 118}, 70, 14)), Box{0, 100, double(w), double(h)},
           RgbOf(150, 168, 96));
  // The turkey, and the letter it brings.
  Pen bird(big, 0.94 * kSuper, Point{-1 * kSuper, 26 * kSuper});
  DrawTurkey(bird, TurkeyPose::kStep);
  const Rgb ink = colours::kInk;
  const double r = 0.35;
  // The letter, held by its corner at the beak's tip.
  const Sdf envelope = Polygon({{89, 50}, {113, 45}, {116, 63}, {92, 68}});
  pen.Part(envelope, Box{86, 43, 118, 70}, RgbOf(255, 255, 252), ink, r * kSuper);
  pen.Fill(Stroke({{89.5, 50.5}, {104, 59}, {112.5, 45.5}}, 0.5, 0.5), Box{86, 43, 118, 70}, ink);
  const Point seal{103.5, 58};
  pen.Fill(
      Union(Union(Circle({seal.x - 1.8, seal.y - 1}, 2.1), Circle({seal.x + 1.8, seal.y - 1}, 2.1)),
            Polygon({{seal.x - 3.7, seal.y}, {seal.x + 3.7, seal.y}, {seal.x, seal.y + 4}})),
      Box{96, 51, 111, 64}, RgbOf(214, 40, 48));
  // Motion marks: the letter is on its way.
  for (int i = 0; i < 3; ++i) {
    const double y = 24 + i * 6;
    pen.Fill(Capsule({92 + i * 3.0, y}, {104 + i * 3.0, y - 2}, 0.7, 0.7), Box{88, 14, 114, 40},
             RgbOf(180, 110, 50));
  }
  Clip(big, [panel](double x, double y) { return panel(x / kSuper, y / kSuper) * kSuper; });
  Canvas c = big.Downsampled(kSuper);
  Border(c, RoundedRect(Box{0.5, 0.5, w - 0.5, h - 0.5}, 10), RgbOf(120, 76, 40), 1.2);
  return c;
}

namespace {

// Icons are designed on 32 units; `size` pixels draws the same design larger.
Canvas IconBase(Rgb top, Rgb bottom, const std::function<void(Pen&)>& draw, int size = 32) {
  const double k = size / 32.0, scale = kSuper * k;
  Canvas big(size * kSuper, size * kSuper);
  Pen pen(big, scale, Point{0, 0});
  const Sdf tile = RoundedRect(Box{0.5, 0.5, 31.5, 31.5}, 5);
  pen.Fill(tile, Box{0, 0, 32, 32}, Vertical(top, bottom, 0, 32));
  draw(pen);
  Clip(big, [tile, scale](double x, double y) { return tile(x / scale, y / scale) * scale; });
  Canvas c = big.Downsampled(kSuper);
  Border(c, RoundedRect(Box{0.5 * k, 0.5 * k, size - 0.5 * k, size - 0.5 * k}, 5 * k),
         RgbOf(70, 40, 24), k);
  return c;
}

}  // namespace

Canvas SettingsIcon(int size) {
  // The whole turkey, fan spread, on an autumn-orange tile.
  return IconBase(
      RgbOf(255, 220, 130), RgbOf(236, 140, 50),
      [](Pen& pen) {
        Pen bird(pen.canvas(), 0.31 * pen.scale(), Point{0.6 * pen.scale(), 0.4 * pen.scale()});
        DrawTurkey(bird, TurkeyPose::kStep);
      },
      size);
}

Canvas PreviewIcon() {
  // A little screen showing the meadow and a turkey.
  return IconBase(RgbOf(200, 220, 240), RgbOf(120, 150, 200), [](Pen& pen) {
    const Rgb ink = RgbOf(30, 30, 40);
    pen.Part(RoundedRect(Box{3.5, 5, 28.5, 23}, 1.5), Box{2, 4, 30, 24}, RgbOf(60, 64, 76), ink,
             0.6 * kSuper);
    pen.Fill(RoundedRect(Box{6, 7.5, 26, 20.5}, 0.5), Box{5, 6, 27, 22},
             Vertical(RgbOf(150, 174, 100), RgbOf(110, 136, 70), 7, 21));
    pen.Part(Polygon({{13, 23}, {19, 23}, {21, 27.5}, {11, 27.5}}), Box{10, 22, 22, 28},
             RgbOf(90, 94, 106), ink, 0.5 * kSuper);
    Pen bird(pen.canvas(), 0.13 * kSuper, Point{9.5 * kSuper, 6.8 * kSuper});
    DrawTurkey(bird, TurkeyPose::kStep);
  });
}

Canvas ReferralIcon() {
  // A letter with a heart seal.
  return IconBase(RgbOf(255, 226, 150), RgbOf(236, 150, 60), [](Pen& pen) {
    const Rgb ink = RgbOf(60, 34, 20);
    pen.Part(Polygon({{4, 9}, {28, 9}, {28, 25}, {4, 25}}), Box{3, 8, 29, 26}, RgbOf(255, 255, 252),
             ink, 0.7 * kSuper);
    pen.Fill(Stroke({{4.5, 9.5}, {16, 18.5}, {27.5, 9.5}}, 0.7, 0.7), Box{3, 8, 29, 26}, ink);
    const Point s{16, 18};
    pen.Fill(Union(Union(Circle({s.x - 2.2, s.y - 1}, 2.6), Circle({s.x + 2.2, s.y - 1}, 2.6)),
                   Polygon({{s.x - 4.6, s.y}, {s.x + 4.6, s.y}, {s.x, s.y + 5}})),
             Box{10, 12, 22, 25}, RgbOf(214, 36, 44));
  });
}

Canvas Cursor(Sight sight) {
  // Drawn pixel by pixel: a sight needs crisp one-pixel lines, not blended ones. Centre of
  // pixel (16, 16) is the hot spot.
  Canvas c(32, 32);
  std::vector<int> core(32 * 32, 0);  // 0 empty, else an index into `ink`
  std::vector<Rgb> ink{Rgb{}, RgbOf(0, 0, 0)};
  auto add = [&ink](Rgb colour) {
    ink.push_back(colour);
    return static_cast<int>(ink.size()) - 1;
  };
  auto plot = [&core](int x, int y, int i) {
    if (x >= 0 && y >= 0 && x < 32 && y < 32) core[static_cast<size_t>(y * 32 + x)] = i;
  };
  auto each = [](const std::function<void(int, int, double, double)>& f) {
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) f(x, y, x - 16, y - 16);
  };
  Rgb halo = RgbOf(0, 0, 0);
  switch (sight) {
    case Sight::kShotgun: {
      // A wide red ring with a spread of pellets: the shotgun's scatter.
      const int red = add(RgbOf(230, 30, 30)), bright = add(RgbOf(255, 120, 100));
      each([&](int x, int y, double dx, double dy) {
        const double d = std::hypot(dx, dy);
        if (d >= 9.5 && d < 11.5) plot(x, y, red);
      });
      const int pellets[][2] = {{-4, -3}, {3, -5}, {5, 2}, {-2, 5}, {-6, 1}, {1, -1}};
      for (const auto& p : pellets) plot(16 + p[0], 16 + p[1], bright);
      for (int i = -1; i <= 1; ++i) {
        plot(16 + i, 16, red);
        plot(16, 16 + i, red);
      }
      break;
    }
    case Sight::kFlame: {
      // An orange diamond with yellow flame tongues at its corners.
      const int orange = add(RgbOf(255, 140, 20)), yellow = add(RgbOf(255, 230, 60));
      each([&](int x, int y, double dx, double dy) {
        const double d = std::abs(dx) + std::abs(dy);
        if (d >= 9 && d < 11) plot(x, y, orange);
      });
      for (int k = 12; k <= 14; ++k) {
        plot(16 + k, 16, yellow);
        plot(16 - k, 16, yellow);
        plot(16, 16 + k, yellow);
        plot(16, 16 - k, yellow);
      }
      plot(16, 16, yellow);
      plot(15, 16, orange);
      plot(17, 16, orange);
      plot(16, 15, orange);
      plot(16, 17, orange);
      break;
    }
    case Sight::kRifle: {
      // Fine black cross hairs across a thin ring, a red dot at the centre, and a white
      // halo so it shows on dark ground too.
      const int black = 1, red = add(RgbOf(255, 0, 0));
      halo = RgbOf(255, 255, 255);
      each([&](int x, int y, double dx, double dy) {
        const double d = std::hypot(dx, dy);
        if (d >= 11.5 && d < 12.5) plot(x, y, black);
        if ((x == 16 || y == 16) && d >= 3 && d <= 14) plot(x, y, black);
      });
      plot(16, 16, red);
      break;
    }
    case Sight::kDesign: {
      // A plain white cross, shown only until the weapon's sight replaces it.
      const int white = add(RgbOf(255, 255, 255));
      for (int k = -6; k <= 6; ++k) {
        plot(16 + k, 16, white);
        plot(16, 16 + k, white);
      }
      break;
    }
  }
  // One pixel of halo round every drawn pixel keeps the sight readable on any ground.
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const int i = core[static_cast<size_t>(y * 32 + x)];
      if (i != 0) {
        const Rgb col = ink[static_cast<size_t>(i)];
        c.at(x, y) = Pixel{col.r, col.g, col.b, 1};
        continue;
      }
      bool near = false;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
          const int nx = x + dx, ny = y + dy;
          if (nx >= 0 && ny >= 0 && nx < 32 && ny < 32 &&
              core[static_cast<size_t>(ny * 32 + nx)] != 0)
            near = true;
        }
      if (near) c.at(x, y) = Pixel{halo.r, halo.g, halo.b, 1};
    }
  }
  return c;
}

}  // namespace assetgen
