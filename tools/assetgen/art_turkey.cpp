// The turkey, side view facing right, in a 100 x 100 design box: fanned tail behind a round
// body, barred wing, bare blue-white head with red snood and wattle, yellow beak, orange legs.
#include <cmath>
#include <vector>

#include "art.h"

namespace assetgen {

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Look {
  // Colour transform for the singed bird: everything darkened toward soot.
  double soot = 0;
  Rgb Tint(Rgb c) const { return Mix(c, RgbOf(46, 38, 34), soot); }
};

double Rim(const Pen& pen) {
  return std::max(0.9, 1.3 * pen.scale());
}

Paint Vertical(Rgb top, Rgb bottom, double y0, double y1) {
  return [=](double, double y) {
    double t = (y - y0) / (y1 - y0);
    t = t < 0 ? 0 : (t > 1 ? 1 : t);
    return Mix(top, bottom, t);
  };
}

Point Dir(double deg) {
  return Point{std::cos(deg * kPi / 180), -std::sin(deg * kPi / 180)};
}

void Leg(Pen& pen, Point hip, Point knee, Point foot, double toe_angle, const Look& look) {
  const Rgb leg = look.Tint(RgbOf(226, 146, 70));
  const double r = Rim(pen);
  pen.Part(Stroke({hip, knee, foot}, 1.9, 1.6), BoxOf({hip, knee, foot}, 3), leg, colours::kInk, r);
  const Point fwd = Dir(toe_angle), back = Dir(toe_angle + 180);
  const Point toes[] = {{foot.x + fwd.x * 6.5, foot.y + fwd.y * 6.5},
                        {foot.x + Dir(toe_angle + 25).x * 5, foot.y + Dir(toe_angle + 25).y * 5},
                        {foot.x + back.x * 3.5, foot.y + back.y * 3.5}};
  for (const Point& t : toes) {
    pen.Part(Capsule(foot, t, 1.4, 1.0), BoxOf({foot, t}, 3), leg, colours::kInk, r);
  }
}

// The tail fan: feathers radiate from `centre`; each is a stack of shorter capsules, so the
// bands (pale tips, dark bar, rust, chestnut) follow the fan's rim.
void Fan(Pen& pen, Point centre, double radius, double from_deg, double to_deg, int count,
         const std::vector<int>& missing, double jitter, const Look& look, bool ember_tips) {
  const Rgb bands[] = {ember_tips ? RgbOf(236, 128, 40) : RgbOf(240, 222, 176), RgbOf(58, 38, 26),
                       RgbOf(178, 94, 42), RgbOf(124, 72, 38), RgbOf(86, 52, 30)};
  const double lengths[] = {1.0, 0.87, 0.79, 0.62, 0.42};
  const double step = (to_deg - from_deg) / (count - 1);
  const double half = radius * std::sin(step / 2 * kPi / 180) * 1.25;
  std::vector<int> order;
  // Outer feathers first, the middle one on top.
  for (int lo = 0, hi = count - 1; lo <= hi; ++lo, --hi) {
    order.push_back(lo);
    if (hi != lo) order.push_back(hi);
  }
  for (int i : order) {
    bool skip = false;
    for (int m : missing) skip = skip || m == i;
    if (skip) continue;
    const double wobble = jitter * std::sin(i * 2.7 + 1.3);
    const Point d = Dir(from_deg + step * i + wobble);
    for (int b = 0; b < 5; ++b) {
      const double len = radius * lengths[b] - half;
      const Point tip{centre.x + d.x * len, centre.y + d.y * len};
      const Sdf feather = Capsule(centre, tip, half * 0.55, half);
      const Box box = BoxOf({centre, tip}, half + 2);
      if (b == 0) {
        pen.Part(feather, box, look.Tint(bands[0]), colours::kInk, Rim(pen));
      } else {
        pen.Fill(feather, box, look.Tint(bands[b]));
      }
    }
  }
}

struct BodyPose {
  double dy = 0;    // the whole bird up (negative) or down
  double tilt = 0;  // degrees, the body's lean
  bool open_beak = false;
  int eye = 0;  // 0 normal, 1 startled, 2 dazed (crossed)
};

void Body(Pen& pen, const BodyPose& pose, const Look& look) {
  const double r = Rim(pen);
  const double dy = pose.dy;
  const Rgb head = look.Tint(RgbOf(196, 214, 232));
  const Rgb red = look.Tint(RgbOf(214, 44, 40));
  // Neck and head in one piece, under the body's breast feathers.
  const Sdf neck_head =
      Union(Capsule({70, 56 + dy}, {79, 33 + dy}, 7.5, 5.0), Circle({81, 28 + dy}, 8.5));
  pen.Part(neck_head, Box{60, 16 + dy, 92, 66 + dy},
           Vertical(head, Mix(head, red, 0.35), 20 + dy, 55 + dy), colours::kInk, r);
  // Body and breast.
  const Sdf body =
      Union(Ellipse({54, 61 + dy}, 26, 20, -12 + pose.tilt), Ellipse({69, 59 + dy}, 11, 15, -10));
  pen.Part(body, Box{26, 38 + dy, 82, 84 + dy},
           Vertical(look.Tint(RgbOf(156, 102, 58)), look.Tint(RgbOf(78, 46, 28)), 42 + dy, 80 + dy),
           colours::kInk, r);
  // Bronze sheen on the breast.
  pen.Fill(Ellipse({68, 53 + dy}, 5, 7, -20), Box{60, 44 + dy, 76, 62 + dy},
           look.Tint(RgbOf(186, 128, 70)), 0.7);
  // Folded wing: rounded at the shoulder, tapering back, with layered flight feathers.
  const Sdf wing = Union(Ellipse({55, 59 + dy}, 12, 9.5, -8 + pose.tilt),
                         Capsule({52, 60 + dy}, {33, 67 + dy}, 8.5, 3.5));
  pen.Part(
      wing, Box{28, 48 + dy, 70, 74 + dy},
      Vertical(look.Tint(RgbOf(164, 114, 68)), look.Tint(RgbOf(118, 76, 42)), 50 + dy, 70 + dy),
      look.Tint(RgbOf(70, 44, 26)), r * 0.8);
  for (int i = 0; i < 3; ++i) {
    const double x = 36 + i * 7;
    const auto edge = Bezier({x + 8, 54 + dy + i}, {x + 4, 60 + dy + i}, {x + 1, 66 + dy},
                             {x - 4, 69 + dy - i}, 8);
    pen.Fill(Intersect(wing, Stroke(edge, 0.9, 0.6)), Box{x - 8, 50 + dy, x + 12, 74 + dy},
             look.Tint(RgbOf(86, 54, 30)));
  }
  pen.Fill(Intersect(Grow(wing, -2.2), Capsule({50, 55 + dy}, {36, 62 + dy}, 1.3, 0.8)),
           Box{30, 50 + dy, 60, 66 + dy}, look.Tint(RgbOf(226, 200, 150)), 0.85);
  // Beak, then the snood hanging over it and the wattle under it.
  if (pose.open_beak) {
    pen.Part(Polygon({{88, 24.5 + dy}, {97, 25 + dy}, {88, 29 + dy}}),
             Box{86, 22 + dy, 99, 31 + dy}, look.Tint(RgbOf(246, 188, 66)), colours::kInk, r);
    pen.Part(Polygon({{88, 30 + dy}, {95, 34 + dy}, {87.5, 33 + dy}}),
             Box{86, 28 + dy, 97, 36 + dy}, look.Tint(RgbOf(230, 160, 50)), colours::kInk, r);
  } else {
    pen.Part(Polygon({{88, 24.5 + dy}, {97.5, 29 + dy}, {88, 32.5 + dy}}),
             Box{86, 22 + dy, 99, 34 + dy}, look.Tint(RgbOf(246, 188, 66)), colours::kInk, r);
  }
  pen.Part(Stroke({{86, 20.5 + dy}, {89.5, 23 + dy}, {91.5, 28 + dy}, {91, 35 + dy}}, 1.7, 2.4),
           Box{82, 17 + dy, 96, 39 + dy}, red, colours::kInk, r);
  pen.Part(Union(Ellipse({81.5, 40 + dy}, 4.2, 6.5), Circle({78.5, 45 + dy}, 3.4)),
           Box{73, 32 + dy, 88, 50 + dy}, red, colours::kInk, r);
  // Eye.
  const Point eye{83, 25 + dy};
  if (pose.eye == 2) {
    const Rgb ink = colours::kInk;
    pen.Fill(Capsule({eye.x - 2.2, eye.y - 2.2}, {eye.x + 2.2, eye.y + 2.2}, 0.9, 0.9),
             BoxAround(eye, 4), ink);
    pen.Fill(Capsule({eye.x - 2.2, eye.y + 2.2}, {eye.x + 2.2, eye.y - 2.2}, 0.9, 0.9),
             BoxAround(eye, 4), ink);
  } else {
    const double white = pose.eye == 1 ? 3.6 : 2.8;
    const double pupil = pose.eye == 1 ? 1.1 : 1.7;
    pen.Part(Circle(eye, white), BoxAround(eye, white + 1), RgbOf(255, 255, 250), colours::kInk,
             r * 0.7);
    pen.Fill(Circle({eye.x + 0.9, eye.y + 0.3}, pupil), BoxAround(eye, 4), RgbOf(20, 14, 10));
    if (pose.eye == 0)
      pen.Fill(Circle({eye.x + 1.5, eye.y - 0.6}, 0.6), BoxAround(eye, 4), RgbOf(255, 255, 255));
  }
}

void LooseFeather(Pen& pen, Point at, double angle_deg, double len) {
  const Point d = Dir(angle_deg);
  const Point tip{at.x + d.x * len, at.y + d.y * len};
  pen.Part(Capsule(at, tip, 1.4, 3.0), BoxOf({at, tip}, 5), RgbOf(150, 90, 46), colours::kInk,
           Rim(pen));
  const Point mid{at.x + d.x * len * 0.8, at.y + d.y * len * 0.8};
  pen.Fill(Capsule(mid, tip, 2.0, 2.4), BoxOf({mid, tip}, 4), RgbOf(240, 222, 176));
  pen.Fill(Capsule(at, mid, 0.5, 0.5), BoxOf({at, mid}, 2), RgbOf(60, 40, 26));
}

void Puff(Pen& pen, Point c, double r, Rgb colour) {
  pen.Part(Circle(c, r), BoxAround(c, r + 2),
           Vertical(Mix(colour, RgbOf(255, 255, 255), 0.3), colour, c.y - r, c.y + r),
           RgbOf(70, 68, 66), Rim(pen));
}

void Roast(Pen& pen) {
  const double r = Rim(pen);
  const Look plain;
  // Little legs still carry it off.
  Leg(pen, {42, 84}, {40, 89}, {36, 95}, -8, plain);
  Leg(pen, {58, 84}, {61, 89}, {65, 95}, 8, plain);
  // Steam.
  for (int i = 0; i < 3; ++i) {
    const double x = 38 + i * 12;
    const auto wisp = Bezier({x, 42}, {x - 6, 34}, {x + 6, 28}, {x, i == 1 ? 14.0 : 18.0}, 12);
    pen.Part(Stroke(wisp, 1.6, 1.0), BoxOf(wisp, 3), RgbOf(246, 246, 244), RgbOf(150, 150, 150),
             r * 0.8);
  }
  // Platter.
  pen.Part(Ellipse({50, 84}, 44, 8.5), Box{4, 74, 96, 94},
           Vertical(RgbOf(250, 250, 246), RgbOf(196, 196, 190), 76, 92), colours::kInk, r);
  pen.Fill(Ellipse({50, 82.5}, 36, 5), Box{12, 76, 88, 89}, RgbOf(218, 216, 208));
  // Drumsticks behind the body, bones up.
  for (int side = -1; side <= 1; side += 2) {
    const Point meat{50 + side * 17.0, 63}, knob{50 + side * 31.0, 48}, end{50 + side * 36.5, 42};
    pen.Part(Capsule(meat, knob, 9, 5.5), BoxOf({meat, knob}, 11),
             Vertical(RgbOf(226, 150, 70), RgbOf(160, 84, 34), 44, 70), colours::kInk, r);
    pen.Part(Capsule(knob, end, 2.3, 2.3), BoxOf({knob, end}, 4), RgbOf(244, 236, 214),
             colours::kInk, r);
    pen.Part(Circle(end, 3.6), BoxAround(end, 5), RgbOf(255, 255, 255), colours::kInk, r);
    for (int k = 0; k < 6; ++k) {
      const Point f{end.x + std::cos(k * kPi / 3) * 3.2, end.y + std::sin(k * kPi / 3) * 3.2};
      pen.Fill(Circle(f, 0.7), BoxAround(f, 1.5), RgbOf(200, 200, 196));
    }
  }
  // The golden bird.
  const Sdf body = Union(Ellipse({50, 67}, 29, 16), Ellipse({50, 62}, 20, 13));
  pen.Part(body, Box{18, 46, 82, 86}, Vertical(RgbOf(240, 176, 88), RgbOf(150, 78, 30), 48, 84),
           colours::kInk, r);
  // Crisp skin: a few darker creases and a shine.
  for (int i = 0; i < 3; ++i) {
    const double x = 38 + i * 12;
    const auto crease = Bezier({x - 3, 58}, {x - 1, 65}, {x + 1, 70}, {x + 3, 76}, 8);
    pen.Fill(Stroke(crease, 0.9, 0.6), BoxOf(crease, 2), RgbOf(150, 80, 30), 0.8);
  }
  pen.Fill(Ellipse({42, 56}, 8, 3.2, -15), Box{32, 50, 52, 62}, RgbOf(255, 236, 190), 0.75);
  // Cranberries on the platter.
  const Point berries[] = {{16, 82}, {21, 85}, {13, 86}, {80, 81}, {85, 84}, {78, 86}};
  for (const Point& b : berries) {
    pen.Part(Circle(b, 2.6), BoxAround(b, 4), RgbOf(196, 30, 50), colours::kInk, r * 0.7);
    pen.Fill(Circle({b.x - 0.8, b.y - 0.8}, 0.7), BoxAround(b, 3), RgbOf(255, 170, 170));
  }
}

}  // namespace

void DrawTurkey(Pen& pen, TurkeyPose pose) {
  if (pose == TurkeyPose::kRoasted) {
    Roast(pen);
    return;
  }
  Look look;
  BodyPose body;
  const Point fan_centre{40, 50};
  switch (pose) {
    case TurkeyPose::kStep:
      Leg(pen, {50, 76}, {47, 86}, {41, 95}, -5, look);
      Leg(pen, {60, 76}, {64, 86}, {70, 95}, 0, look);
      Fan(pen, fan_centre, 38, 72, 200, 9, {}, 0, look, false);
      break;
    case TurkeyPose::kStride:
      body.dy = -1.5;
      Leg(pen, {51, 75}, {54, 85}, {54, 95}, 0, look);
      Leg(pen, {59, 75}, {66, 82}, {66, 90}, -45, look);
      Fan(pen, {fan_centre.x, fan_centre.y - 1.5}, 38, 74, 202, 9, {}, 0, look, false);
      break;
    case TurkeyPose::kRuffled:
      // Jumped in fright: legs splayed, feathers knocked out of the fan and flying.
      body.dy = -4;
      body.tilt = 6;
      body.open_beak = true;
      body.eye = 1;
      Leg(pen, {50, 72}, {44, 82}, {38, 90}, -20, look);
      Leg(pen, {60, 72}, {67, 82}, {72, 90}, 15, look);
      Fan(pen, {fan_centre.x, fan_centre.y - 4}, 36, 64, 212, 9, {1, 4, 6}, 9, look, false);
      LooseFeather(pen, {14, 20}, 120, 10);
      LooseFeather(pen, {24, 12}, 30, 9);
      LooseFeather(pen, {62, 12}, 160, 10);
      LooseFeather(pen, {12, 54}, 250, 9);
      LooseFeather(pen, {88, 58}, 300, 9);
      break;
    case TurkeyPose::kSinged:
      // Sooty and dazed, the fan burnt down to glowing stubs, smoke rising.
      look.soot = 0.55;
      body.eye = 2;
      body.dy = 1;
      Leg(pen, {50, 77}, {50, 86}, {46, 95}, -5, look);
      Leg(pen, {60, 77}, {61, 86}, {64, 95}, 5, look);
      Fan(pen, {fan_centre.x, fan_centre.y + 1}, 25, 80, 196, 7, {2}, 6, look, true);
      break;
    case TurkeyPose::kRoasted:
      break;
  }
  Body(pen, body, look);
  if (pose == TurkeyPose::kSinged) {
    Puff(pen, {26, 24}, 7, RgbOf(150, 148, 146));
    Puff(pen, {36, 15}, 8.5, RgbOf(170, 168, 166));
    Puff(pen, {20, 10}, 6, RgbOf(190, 188, 186));
    Puff(pen, {48, 8}, 5.5, RgbOf(196, 194, 192));
    const Point embers[] = {{14, 40}, {30, 34}, {8, 50}, {44, 28}};
    for (const Point& e : embers) {
      pen.Part(Circle(e, 1.6), BoxAround(e, 3), RgbOf(255, 170, 50), RgbOf(120, 40, 20),
               Rim(pen) * 0.7);
    }
  }
}

}  // namespace assetgen
