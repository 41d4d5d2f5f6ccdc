#pragma once
// A floating-point RGBA canvas and the few shapes our pictures are made of. Shapes are
// signed-distance functions in pixels (negative inside), so every edge gets one pixel of
// analytic anti-aliasing without supersampling.
#include <cstdint>
#include <functional>
#include <vector>

namespace assetgen {

struct Rgb {
  double r = 0, g = 0, b = 0;
};

inline Rgb RgbOf(int r, int g, int b) {
  return Rgb{r / 255.0, g / 255.0, b / 255.0};
}
Rgb Mix(Rgb a, Rgb b, double t);
Rgb Scale(Rgb c, double k);

// Premultiplied colour with coverage.
struct Pixel {
  double r = 0, g = 0, b = 0, a = 0;
};

struct Point {
  double x = 0, y = 0;
};

// Signed distance in pixels from (x, y) to the shape's edge; negative inside.
using Sdf = std::function<double(double, double)>;
// Colour at a pixel centre, for gradients and textures.
using Paint = std::function<Rgb(double, double)>;

struct Box {
  double x0, y0, x1, y1;
};

class Canvas {
 public:
  Canvas(int width, int height);
  int width() const { return width_; }
  int height() const { return height_; }
  Pixel& at(int x, int y) { return pixels_[static_cast<size_t>(y) * width_ + x]; }
  const Pixel& at(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }

  // Paints the shape over what is there. The box limits the work to where the shape can be.
  void Fill(const Sdf& shape, const Box& box, const Paint& paint, double opacity = 1.0);
  void Fill(const Sdf& shape, const Box& box, Rgb colour, double opacity = 1.0);
  void Clear(Rgb colour);
  // Puts another canvas over this one with its top-left corner at (x, y).
  void Draw(const Canvas& src, int x, int y);
  Canvas MirroredX() const;
  // Averages k x k blocks.
  Canvas Downsampled(int k) const;
  // Resamples to the given size with a box filter over the covered source area.
  Canvas Resized(int width, int height) const;

 private:
  int width_, height_;
  std::vector<Pixel> pixels_;
};

// Shapes.
Sdf Circle(Point c, double r);
Sdf Ellipse(Point c, double rx, double ry, double angle_deg = 0);
// A segment with round ends whose radius goes from ra at a to rb at b.
Sdf Capsule(Point a, Point b, double ra, double rb);
Sdf Polygon(std::vector<Point> points);
// A stroke along a polyline, radius interpolated from r0 to r1 along its length.
Sdf Stroke(std::vector<Point> points, double r0, double r1);
std::vector<Point> Bezier(Point p0, Point p1, Point p2, Point p3, int steps = 16);
Sdf Union(Sdf a, Sdf b);
Sdf Intersect(Sdf a, Sdf b);
Sdf Subtract(Sdf a, Sdf b);
Sdf Grow(Sdf a, double by);

Box BoxAround(Point c, double r);
Box BoxOf(const std::vector<Point>& points, double margin);
Box Everywhere();

}  // namespace assetgen
