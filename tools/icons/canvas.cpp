#include "canvas.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace icons {
namespace {
constexpr int kSamples = 4;  // per axis
}

Canvas::Canvas(int width, int height, double unitsWide, Rgba background)
    : width_(width), height_(height), scale_(unitsWide / width), pixels_(std::size_t(width) * height * 4) {
  for (std::size_t i = 0; i < pixels_.size(); i += 4) {
    pixels_[i] = background.r;
    pixels_[i + 1] = background.g;
    pixels_[i + 2] = background.b;
    pixels_[i + 3] = background.a;
  }
}

void Canvas::Fill(const Shape& shape, Rgba colour) {
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) {
      int hits = 0;
      for (int sy = 0; sy < kSamples; ++sy)
        for (int sx = 0; sx < kSamples; ++sx)
          hits += shape((x + (sx + 0.5) / kSamples) * scale_, (y + (sy + 0.5) / kSamples) * scale_);
      if (hits) Blend(x, y, colour, double(hits) / (kSamples * kSamples));
    }
}

// Source-over with straight alpha.
void Canvas::Blend(int x, int y, Rgba colour, double coverage) {
  std::uint8_t* p = &pixels_[(std::size_t(y) * width_ + x) * 4];
  const double sa = colour.a / 255.0 * coverage;
  const double da = p[3] / 255.0;
  const double oa = sa + da * (1 - sa);
  if (oa <= 0) return;
  const std::uint8_t src[3] = {colour.r, colour.g, colour.b};
  for (int i = 0; i < 3; ++i) p[i] = std::uint8_t(std::lround((src[i] * sa + p[i] * da * (1 - sa)) / oa));
  p[3] = std::uint8_t(std::lround(oa * 255));
}

std::vector<std::uint8_t> Canvas::Rgb() const {
  std::vector<std::uint8_t> out;
  out.reserve(std::size_t(width_) * height_ * 3);
  for (std::size_t i = 0; i < pixels_.size(); i += 4) out.insert(out.end(), &pixels_[i], &pixels_[i] + 3);
  return out;
}

Shape Disc(double cx, double cy, double r) {
  return [=](double x, double y) { return std::hypot(x - cx, y - cy) <= r; };
}

Shape Ring(double cx, double cy, double r, double width) {
  return [=](double x, double y) { return std::abs(std::hypot(x - cx, y - cy) - r) <= width / 2; };
}

Shape EllipseDisc(double cx, double cy, double rx, double ry) {
  return [=](double x, double y) {
    const double dx = (x - cx) / rx, dy = (y - cy) / ry;
    return dx * dx + dy * dy <= 1;
  };
}

Shape Box(double x0, double y0, double x1, double y1) {
  return [=](double x, double y) { return x >= x0 && x <= x1 && y >= y0 && y <= y1; };
}

Shape RoundBox(double x0, double y0, double x1, double y1, double radius) {
  return [=](double x, double y) {
    const double cx = std::clamp(x, x0 + radius, x1 - radius);
    const double cy = std::clamp(y, y0 + radius, y1 - radius);
    return std::hypot(x - cx, y - cy) <= radius;
  };
}

Shape Segment(double x0, double y0, double x1, double y1, double width) {
  return [=](double x, double y) {
    const double dx = x1 - x0, dy = y1 - y0;
    const double length2 = dx * dx + dy * dy;
    const double t = length2 > 0 ? std::clamp(((x - x0) * dx + (y - y0) * dy) / length2, 0.0, 1.0) : 0.0;
    return std::hypot(x - (x0 + t * dx), y - (y0 + t * dy)) <= width / 2;
  };
}

Shape Arc(double cx, double cy, double r, double width, double fromDeg, double toDeg) {
  return [=](double x, double y) {
    if (std::abs(std::hypot(x - cx, y - cy) - r) > width / 2) return false;
    double a = std::atan2(y - cy, x - cx) * 180 / std::numbers::pi;
    while (a < fromDeg) a += 360;
    return a <= toDeg;
  };
}

Shape Triangle(double x0, double y0, double x1, double y1, double x2, double y2) {
  return [=](double x, double y) {
    const auto side = [&](double ax, double ay, double bx, double by) {
      return (bx - ax) * (y - ay) - (by - ay) * (x - ax);
    };
    const double d0 = side(x0, y0, x1, y1), d1 = side(x1, y1, x2, y2), d2 = side(x2, y2, x0, y0);
    return (d0 >= 0 && d1 >= 0 && d2 >= 0) || (d0 <= 0 && d1 <= 0 && d2 <= 0);
  };
}

Shape Union(Shape a, Shape b) {
  return [=](double x, double y) { return a(x, y) || b(x, y); };
}

Shape Minus(Shape a, Shape b) {
  return [=](double x, double y) { return a(x, y) && !b(x, y); };
}

}  // namespace icons
