#include "ui/colour.h"

#include <cmath>

namespace host {

std::uint8_t ChannelFromUnit(double c) {
  if (!(c > 0.0)) return 0;  // also NaN
  const double scaled = std::trunc(c * 256.0);
  return scaled >= 255.0 ? 255 : static_cast<std::uint8_t>(scaled);
}

Rgb RgbFromUnit(double r, double g, double b) {
  return {ChannelFromUnit(r), ChannelFromUnit(g), ChannelFromUnit(b)};
}

}  // namespace host
