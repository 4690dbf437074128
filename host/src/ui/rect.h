// Points, sizes and rectangles in pixels of a window or of one of its items.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>

namespace host {

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
  int width = 0;
  int height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

// Half-open: the pixels x .. x + width - 1 and y .. y + height - 1.
struct Rect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;

  friend bool operator==(const Rect&, const Rect&) = default;

  int Right() const { return x + width; }
  int Bottom() const { return y + height; }
  bool Empty() const { return width <= 0 || height <= 0; }
  bool Contains(Point p) const { return p.x >= x && p.y >= y && p.x < Right() && p.y < Bottom(); }
  Point Origin() const { return {x, y}; }
  Size Extent() const { return {width, height}; }
};

// Keeps coordinates far from the int limits, so that offsets and sums of them cannot overflow.
inline int ClampCoordinate(std::int64_t v) {
  constexpr std::int64_t kFar = 1 << 28;
  return static_cast<int>(std::clamp<std::int64_t>(v, -kFar, kFar));
}

// The rectangle between two corners that both belong to it, in either order.
inline Rect RectFromCorners(int x1, int y1, int x2, int y2) {
  const std::int64_t left = std::min(x1, x2), right = std::max(x1, x2);
  const std::int64_t top = std::min(y1, y2), bottom = std::max(y1, y2);
  const int l = ClampCoordinate(left), t = ClampCoordinate(top);
  return {l, t, ClampCoordinate(right + 1) - l, ClampCoordinate(bottom + 1) - t};
}

// Empty (at the origin of a) when they do not overlap.
inline Rect Intersect(const Rect& a, const Rect& b) {
  const int left = std::max(a.x, b.x), top = std::max(a.y, b.y);
  const int right = std::min(a.Right(), b.Right()), bottom = std::min(a.Bottom(), b.Bottom());
  if (right <= left || bottom <= top) return {a.x, a.y, 0, 0};
  return {left, top, right - left, bottom - top};
}

inline Rect Offset(const Rect& r, Point by) {
  return {ClampCoordinate(std::int64_t(r.x) + by.x), ClampCoordinate(std::int64_t(r.y) + by.y), r.width,
          r.height};
}

// Shrunk by the given amounts on each side; never below zero size.
inline Rect Inset(const Rect& r, int left, int top, int right, int bottom) {
  return {r.x + left, r.y + top, std::max(0, r.width - left - right), std::max(0, r.height - top - bottom)};
}

}  // namespace host
