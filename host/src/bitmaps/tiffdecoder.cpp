// TIFF through libtiff, read from memory; libtiff's messages go to this decode only, never to stderr.
#include <tiffio.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

#include "bitmaps/imagedecoders.h"

namespace host {
namespace {

struct MemoryStream {
  ImageBytes bytes;
  toff_t position = 0;
};

tmsize_t Read(thandle_t handle, void* buffer, tmsize_t size) {
  auto* s = static_cast<MemoryStream*>(handle);
  if (size <= 0 || s->position >= s->bytes.size()) return 0;
  const auto n = std::min<toff_t>(static_cast<toff_t>(size), s->bytes.size() - s->position);
  std::memcpy(buffer, s->bytes.data() + s->position, n);
  s->position += n;
  return static_cast<tmsize_t>(n);
}

tmsize_t Write(thandle_t, void*, tmsize_t) {
  return -1;
}

toff_t Seek(thandle_t handle, toff_t offset, int whence) {
  auto* s = static_cast<MemoryStream*>(handle);
  const auto size = static_cast<toff_t>(s->bytes.size());
  switch (whence) {
    case SEEK_SET:
      s->position = offset;
      break;
    case SEEK_CUR:
      s->position += offset;
      break;
    case SEEK_END:
      s->position = size + offset;
      break;
    default:
      return static_cast<toff_t>(-1);
  }
  return s->position;
}

int Close(thandle_t) {
  return 0;
}
toff_t Size(thandle_t handle) {
  return static_cast<MemoryStream*>(handle)->bytes.size();
}
int Map(thandle_t, void**, toff_t*) {
  return 0;
}
void Unmap(thandle_t, void*, toff_t) {}

// The first error of a decode.
struct TiffMessages {
  char error[256] = {};
};

int OnError(TIFF*, void* user, const char* module, const char* format, va_list args) {
  auto* messages = static_cast<TiffMessages*>(user);
  if (messages->error[0] == '\0') std::vsnprintf(messages->error, sizeof messages->error, format, args);
  return 1;  // handled: the process-wide handler stays quiet
}

int OnWarning(TIFF*, void*, const char*, const char*, va_list) {
  return 1;
}

TIFF* OpenFromMemory(MemoryStream& stream, TiffMessages& messages) {
  TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
  if (!options) return nullptr;
  TIFFOpenOptionsSetErrorHandlerExtR(options, OnError, &messages);
  TIFFOpenOptionsSetWarningHandlerExtR(options, OnWarning, nullptr);
  // Caps libtiff's own buffers, which a hostile directory could otherwise size.
  TIFFOpenOptionsSetMaxSingleMemAlloc(options, tmsize_t{1} << 30);
  // "m": no memory mapping; reads go through Read.
  TIFF* tif = TIFFClientOpenExt("image", "rm", &stream, Read, Write, Seek, Close, Size, Map, Unmap, options);
  TIFFOpenOptionsFree(options);
  return tif;
}

// libtiff hands out alpha premultiplied; a Bitmap keeps it straight.
std::uint8_t Unpremultiply(std::uint32_t c, std::uint32_t a) {
  if (a == 0 || a == 255) return static_cast<std::uint8_t>(c);
  return static_cast<std::uint8_t>(std::min<std::uint32_t>(255, (c * 255 + a / 2) / a));
}

bool HasAlpha(TIFF* tif) {
  std::uint16_t count = 0;
  std::uint16_t* types = nullptr;
  return TIFFGetFieldDefaulted(tif, TIFFTAG_EXTRASAMPLES, &count, &types) == 1 && count > 0;
}

DecodeResult DecodeDirectory(TIFF* tif, int frame, scn::Bitmap& out, TiffMessages& messages) {
  if (frame > 0 && !TIFFSetDirectory(tif, static_cast<tdir_t>(frame)))
    return DecodeResult::Wrong("TIFF: no frame " + std::to_string(frame));
  std::uint32_t width = 0, height = 0;
  if (!TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &width) || !TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &height))
    return DecodeResult::Wrong("TIFF: no image size");
  if (!ImageSizeAcceptable(width, height))
    return DecodeResult::Wrong("TIFF: absurd size " + std::to_string(width) + "x" + std::to_string(height));
  char why[1024] = {};
  if (!TIFFRGBAImageOK(tif, why)) return DecodeResult::Wrong(std::string("TIFF: ") + why);
  std::vector<std::uint32_t> raster;
  try {
    raster.resize(static_cast<std::size_t>(width) * height);
  } catch (const std::bad_alloc&) {
    return DecodeResult::OutOfMemory("no memory for the pixels");
  }
  if (!TIFFReadRGBAImageOriented(tif, width, height, raster.data(), ORIENTATION_TOPLEFT, 1))
    return DecodeResult::Wrong(std::string("TIFF: ") + (messages.error[0] ? messages.error : "unreadable"));
  const int channels = HasAlpha(tif) ? 4 : 3;
  if (!AllocatePixels(out, static_cast<int>(width), static_cast<int>(height), channels))
    return DecodeResult::OutOfMemory("no memory for the pixels");
  std::uint8_t* p = out.pixels.data();
  for (std::uint32_t abgr : raster) {
    const std::uint32_t a = channels == 4 ? TIFFGetA(abgr) : 255;
    *p++ = Unpremultiply(TIFFGetR(abgr), a);
    *p++ = Unpremultiply(TIFFGetG(abgr), a);
    *p++ = Unpremultiply(TIFFGetB(abgr), a);
    if (channels == 4) *p++ = static_cast<std::uint8_t>(a);
  }
  return DecodeResult::Success();
}

}  // namespace

DecodeResult DecodeTiff(ImageBytes bytes, int frame, scn::Bitmap& out) {
  MemoryStream stream{bytes};
  TiffMessages messages;
  TIFF* tif = OpenFromMemory(stream, messages);
  if (!tif)
    return DecodeResult::Wrong(std::string("TIFF: ") + (messages.error[0] ? messages.error : "unreadable"));
  DecodeResult result = DecodeDirectory(tif, frame, out, messages);
  TIFFClose(tif);
  return result;
}

}  // namespace host
