// The host's image object behind the plug-ins' Bitmap handle.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace scn {

struct Bitmap {
  int width = 0;
  int height = 0;
  int channels = 3;                  // 3: RGB, 4: RGBA (straight alpha)
  std::vector<std::uint8_t> pixels;  // rows top to bottom, `channels` bytes a pixel

  bool Empty() const { return width <= 0 || height <= 0; }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
  bool HasAlpha() const { return channels == 4; }
  std::size_t Stride() const { return static_cast<std::size_t>(width) * channels; }
  // Only for a pixel inside the image.
  const std::uint8_t* At(int x, int y) const {
    return pixels.data() + y * Stride() + std::size_t(x) * channels;
  }
  std::uint8_t* At(int x, int y) { return pixels.data() + y * Stride() + std::size_t(x) * channels; }
};

}  // namespace scn
