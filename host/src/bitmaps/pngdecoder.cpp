// PNG through libpng's simplified reader, which keeps libpng's setjmp error handling inside itself
// and reports failures (truncation, bad CRC, bad zlib data) in image.message.
#include <png.h>

#include "bitmaps/imagedecoders.h"

namespace host {

DecodeResult DecodePng(ImageBytes bytes, int frame, scn::Bitmap& out) {
  if (frame > 0) return DecodeResult::Wrong("a PNG has only frame 0");
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()))
    return DecodeResult::Wrong(std::string("PNG: ") + image.message);
  if (!ImageSizeAcceptable(image.width, image.height)) {
    png_image_free(&image);
    return DecodeResult::Wrong("PNG: absurd size " + std::to_string(image.width) + "x" +
                               std::to_string(image.height));
  }
  const bool alpha = (image.format & PNG_FORMAT_FLAG_ALPHA) != 0;
  image.format = alpha ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
  if (!AllocatePixels(out, static_cast<int>(image.width), static_cast<int>(image.height), alpha ? 4 : 3)) {
    png_image_free(&image);
    return DecodeResult::OutOfMemory("no memory for the pixels");
  }
  // On failure the reader frees the image itself.
  if (!png_image_finish_read(&image, nullptr, out.pixels.data(), static_cast<png_int_32>(out.Stride()),
                             nullptr))
    return DecodeResult::Wrong(std::string("PNG: ") + image.message);
  return DecodeResult::Success();
}

}  // namespace host
