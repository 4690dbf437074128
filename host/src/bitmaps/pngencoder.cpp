#include "bitmaps/pngencoder.h"

#include <png.h>

namespace host {

bool EncodePngFile(const scn::Bitmap& bitmap, const std::filesystem::path& path) {
  if (bitmap.Empty() || bitmap.pixels.size() < bitmap.Stride() * static_cast<std::size_t>(bitmap.height))
    return false;
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(bitmap.width);
  image.height = static_cast<png_uint_32>(bitmap.height);
  image.format = bitmap.HasAlpha() ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
  const int ok = png_image_write_to_file(&image, path.c_str(), 0, bitmap.pixels.data(),
                                         static_cast<png_int_32>(bitmap.Stride()), nullptr);
  png_image_free(&image);
  return ok != 0;
}

}  // namespace host
