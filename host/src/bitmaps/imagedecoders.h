// Decoders from file bytes to a Bitmap; none of them touches the file system.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "bitmaps/bitmap.h"

namespace host {

enum class ImageFormat { Unknown, Jpeg, Png, Tiff };

enum class DecodeStatus {
  Ok,
  WrongType,  // not this format, corrupt, truncated, absurd size, or no such frame
  NoMemory,
};

struct DecodeResult {
  DecodeStatus status = DecodeStatus::WrongType;
  std::string reason;  // empty on success

  static DecodeResult Success() { return {DecodeStatus::Ok, {}}; }
  static DecodeResult Wrong(std::string why) { return {DecodeStatus::WrongType, std::move(why)}; }
  static DecodeResult OutOfMemory(std::string why) { return {DecodeStatus::NoMemory, std::move(why)}; }
};

using ImageBytes = std::span<const std::uint8_t>;

// By the leading signature bytes, never by a file suffix.
ImageFormat SniffImageFormat(ImageBytes bytes);

// Sizes a decoder refuses before allocating: above 32768 on a side or above 1 GiB as RGBA.
bool ImageSizeAcceptable(std::uint64_t width, std::uint64_t height);

// Sizes `out` for width x height x channels; false when memory runs out.
bool AllocatePixels(scn::Bitmap& out, int width, int height, int channels);

// frame < 0 means the first frame; on failure `out` is left in an unspecified but valid state.
DecodeResult DecodeJpeg(ImageBytes bytes, int frame, scn::Bitmap& out);
DecodeResult DecodePng(ImageBytes bytes, int frame, scn::Bitmap& out);
DecodeResult DecodeTiff(ImageBytes bytes, int frame, scn::Bitmap& out);

}  // namespace host
