#include "xwdimage.h"

#include <bit>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

// The header's fields, each 32 bits, most significant byte first.
enum Field {
  kHeaderSize,
  kFileVersion,
  kPixmapFormat,
  kPixmapDepth,
  kPixmapWidth,
  kPixmapHeight,
  kXOffset,
  kByteOrder,
  kBitmapUnit,
  kBitmapBitOrder,
  kBitmapPad,
  kBitsPerPixel,
  kBytesPerLine,
  kVisualClass,
  kRedMask,
  kGreenMask,
  kBlueMask,
  kBitsPerRgb,
  kColormapEntries,
  kColourCount,
  kFieldCount = 25,
};
constexpr std::uint32_t kVersion = 7;
constexpr std::uint32_t kZPixmap = 2;
constexpr std::uint32_t kTrueColor = 4;
// Like true colour, but each channel goes through the colour map; SDL's windows get such visuals on Xvfb.
constexpr std::uint32_t kDirectColor = 5;
// Pixel (32 bits), red, green, blue (16 bits each), flags and a pad byte.
constexpr std::size_t kColourEntrySize = 12;

std::uint32_t BigEndian(const std::uint8_t* p) {
  return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
}

// The colour map's value of one channel for each of its entries; empty for true colour.
using ChannelMap = std::vector<std::uint8_t>;

std::uint8_t Channel(std::uint32_t pixel, std::uint32_t mask, const ChannelMap& map) {
  if (mask == 0) return 0;
  const std::uint32_t value = (pixel & mask) >> std::countr_zero(mask);
  if (!map.empty()) return value < map.size() ? map[value] : 0;
  const std::uint32_t max = mask >> std::countr_zero(mask);
  return static_cast<std::uint8_t>(value * 255 / max);
}

// channel: 0 red, 1 green, 2 blue; the high byte of each entry's 16-bit value.
ChannelMap ReadChannelMap(const std::uint8_t* entries, std::size_t count, int channel) {
  ChannelMap map(count);
  for (std::size_t i = 0; i < count; ++i) map[i] = entries[i * kColourEntrySize + 4 + 2 * channel];
  return map;
}

std::uint32_t PixelAt(const std::uint8_t* p, int bytes, bool mostSignificantFirst) {
  std::uint32_t v = 0;
  for (int i = 0; i < bytes; ++i) {
    const int shift = mostSignificantFirst ? (bytes - 1 - i) * 8 : i * 8;
    v |= std::uint32_t(p[i]) << shift;
  }
  return v;
}

std::optional<scn::Bitmap> Fail(std::string* error, const std::string& why) {
  *error = why;
  return std::nullopt;
}

}  // namespace

std::optional<scn::Bitmap> ReadXwd(const std::filesystem::path& file, std::string* error) {
  std::ifstream in(file, std::ios::binary);
  const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
  if (bytes.size() < kFieldCount * 4) return Fail(error, file.string() + ": too short for an xwd header");
  std::uint32_t h[kFieldCount];
  for (int i = 0; i < kFieldCount; ++i) h[i] = BigEndian(bytes.data() + 4 * i);
  if (h[kFileVersion] != kVersion) return Fail(error, "xwd version " + std::to_string(h[kFileVersion]));
  if (h[kPixmapFormat] != kZPixmap || (h[kVisualClass] != kTrueColor && h[kVisualClass] != kDirectColor))
    return Fail(error, "not a true-colour Z pixmap: format " + std::to_string(h[kPixmapFormat]) +
                           ", visual class " + std::to_string(h[kVisualClass]));
  const std::uint32_t bpp = h[kBitsPerPixel];
  if (bpp != 24 && bpp != 32) return Fail(error, std::to_string(bpp) + " bits a pixel");

  const std::size_t width = h[kPixmapWidth], height = h[kPixmapHeight], stride = h[kBytesPerLine];
  const std::size_t data = std::size_t(h[kHeaderSize]) + std::size_t(h[kColourCount]) * kColourEntrySize;
  if (width == 0 || height == 0 || width > 16384 || height > 16384 || stride < width * bpp / 8 ||
      data > bytes.size() || (bytes.size() - data) / stride < height)
    return Fail(error, file.string() + ": sizes do not fit the file");

  ChannelMap maps[3];
  if (h[kVisualClass] == kDirectColor) {
    if (h[kColourCount] == 0) return Fail(error, "a direct-colour dump without its colour map");
    for (int c = 0; c < 3; ++c) maps[c] = ReadChannelMap(bytes.data() + h[kHeaderSize], h[kColourCount], c);
  }

  scn::Bitmap image;
  image.width = static_cast<int>(width);
  image.height = static_cast<int>(height);
  image.channels = 3;
  image.pixels.resize(width * height * 3);
  const bool msbFirst = h[kByteOrder] != 0;
  for (std::size_t y = 0; y < height; ++y) {
    for (std::size_t x = 0; x < width; ++x) {
      const std::uint32_t pixel =
          PixelAt(bytes.data() + data + y * stride + x * bpp / 8, int(bpp / 8), msbFirst);
      std::uint8_t* out = image.At(int(x), int(y));
      out[0] = Channel(pixel, h[kRedMask], maps[0]);
      out[1] = Channel(pixel, h[kGreenMask], maps[1]);
      out[2] = Channel(pixel, h[kBlueMask], maps[2]);
    }
  }
  return image;
}
