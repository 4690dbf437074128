// Colours of the canvas: 8 bits a channel.
#pragma once

#include <cstdint>

namespace host {

struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// One channel given in 0..1: trunc(c * 256) clamped to 0..255, so the plug-in's k/256 values land on k;
// NaN is 0.
std::uint8_t ChannelFromUnit(double c);
Rgb RgbFromUnit(double r, double g, double b);

}  // namespace host
