// A small RGBA canvas that paints shapes given as inside-tests, antialiased by supersampling.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace icons {

struct Rgba {
  std::uint8_t r, g, b, a = 255;
};

// Whether a point (in the drawing's own units) lies inside a shape.
using Shape = std::function<bool(double x, double y)>;

class Canvas {
 public:
  // The drawing spans units x units of its own coordinates whatever the pixel size.
  Canvas(int width, int height, double unitsWide, Rgba background);

  void Fill(const Shape& shape, Rgba colour);

  int width() const { return width_; }
  int height() const { return height_; }
  // RGBA, rows top to bottom, straight alpha.
  const std::vector<std::uint8_t>& rgba() const { return pixels_; }
  std::vector<std::uint8_t> Rgb() const;

 private:
  void Blend(int x, int y, Rgba colour, double coverage);

  int width_;
  int height_;
  double scale_;  // units per pixel
  std::vector<std::uint8_t> pixels_;
};

// Shapes, in drawing units.
Shape Disc(double cx, double cy, double r);
Shape Ring(double cx, double cy, double r, double width);
Shape EllipseDisc(double cx, double cy, double rx, double ry);
Shape Box(double x0, double y0, double x1, double y1);
Shape RoundBox(double x0, double y0, double x1, double y1, double radius);
Shape Segment(double x0, double y0, double x1, double y1, double width);
// Angles in degrees, measured clockwise from +x since y points down.
Shape Arc(double cx, double cy, double r, double width, double fromDeg, double toDeg);
Shape Triangle(double x0, double y0, double x1, double y1, double x2, double y2);
Shape Union(Shape a, Shape b);
Shape Minus(Shape a, Shape b);

}  // namespace icons
