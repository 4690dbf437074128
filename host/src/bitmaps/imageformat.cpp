#include <algorithm>
#include <array>
#include <new>

#include "bitmaps/imagedecoders.h"

namespace host {
namespace {

constexpr std::uint64_t kMaxSide = 32768;
constexpr std::uint64_t kMaxRgbaBytes = std::uint64_t{1} << 30;

bool StartsWith(ImageBytes bytes, std::span<const std::uint8_t> signature) {
  return bytes.size() >= signature.size() && std::equal(signature.begin(), signature.end(), bytes.begin());
}

}  // namespace

ImageFormat SniffImageFormat(ImageBytes bytes) {
  static constexpr std::array<std::uint8_t, 3> kJpeg = {0xFF, 0xD8, 0xFF};
  static constexpr std::array<std::uint8_t, 8> kPng = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  static constexpr std::array<std::uint8_t, 4> kTiffLittle = {'I', 'I', 42, 0};
  static constexpr std::array<std::uint8_t, 4> kTiffBig = {'M', 'M', 0, 42};
  static constexpr std::array<std::uint8_t, 4> kBigTiffLittle = {'I', 'I', 43, 0};
  static constexpr std::array<std::uint8_t, 4> kBigTiffBig = {'M', 'M', 0, 43};
  if (StartsWith(bytes, kJpeg)) return ImageFormat::Jpeg;
  if (StartsWith(bytes, kPng)) return ImageFormat::Png;
  if (StartsWith(bytes, kTiffLittle) || StartsWith(bytes, kTiffBig) || StartsWith(bytes, kBigTiffLittle) ||
      StartsWith(bytes, kBigTiffBig))
    return ImageFormat::Tiff;
  return ImageFormat::Unknown;
}

bool ImageSizeAcceptable(std::uint64_t width, std::uint64_t height) {
  if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide) return false;
  return width * height * 4 <= kMaxRgbaBytes;
}

bool AllocatePixels(scn::Bitmap& out, int width, int height, int channels) {
  try {
    out.pixels.assign(static_cast<std::size_t>(width) * height * channels, 0);
  } catch (const std::bad_alloc&) {
    out.pixels = {};
    return false;
  }
  out.width = width;
  out.height = height;
  out.channels = channels;
  return true;
}

}  // namespace host
