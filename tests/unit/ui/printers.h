// Readable failure messages for the canvas and geometry value types.
#pragma once

#include <ostream>

#include "ui/colour.h"
#include "ui/rect.h"

namespace host {

inline std::ostream& operator<<(std::ostream& os, const Rect& r) {
  return os << "(" << r.x << ", " << r.y << ", " << r.width << " x " << r.height << ")";
}
inline std::ostream& operator<<(std::ostream& os, const Point& p) {
  return os << "(" << p.x << ", " << p.y << ")";
}
inline std::ostream& operator<<(std::ostream& os, const Size& s) {
  return os << s.width << " x " << s.height;
}
inline std::ostream& operator<<(std::ostream& os, const Rgb& c) {
  return os << "rgb(" << int(c.r) << ", " << int(c.g) << ", " << int(c.b) << ")";
}

}  // namespace host
