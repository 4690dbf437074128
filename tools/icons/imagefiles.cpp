#include "imagefiles.h"

#include <jpeglib.h>
#include <png.h>
#include <tiffio.h>

#include <csetjmp>
#include <cstdarg>
#include <cstdio>
#include <memory>

namespace icons {
namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

struct JpegErrors {
  jpeg_error_mgr base;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void OnJpegError(j_common_ptr cinfo) {
  auto* errors = reinterpret_cast<JpegErrors*>(cinfo->err);
  errors->base.format_message(cinfo, errors->message);
  std::longjmp(errors->jump, 1);
}

// Holds no objects with destructors: libjpeg longjmps out of it.
bool EncodeJpeg(const std::uint8_t* rgb, int width, int height, int quality, std::FILE* out,
                JpegErrors& errors) {
  jpeg_compress_struct cinfo;
  cinfo.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = OnJpegError;
  errors.message[0] = '\0';
  if (setjmp(errors.jump)) {
    jpeg_destroy_compress(&cinfo);
    return false;
  }
  jpeg_create_compress(&cinfo);
  jpeg_stdio_dest(&cinfo, out);
  cinfo.image_width = JDIMENSION(width);
  cinfo.image_height = JDIMENSION(height);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(rgb + std::size_t(cinfo.next_scanline) * width * 3);
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return true;
}

int OnTiffError(TIFF*, void* user, const char*, const char* format, va_list args) {
  auto* message = static_cast<std::string*>(user);
  char text[256];
  std::vsnprintf(text, sizeof text, format, args);
  if (message->empty()) *message = text;
  return 1;
}

}  // namespace

bool WritePng(const Canvas& canvas, const std::filesystem::path& path, std::string* error) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = png_uint_32(canvas.width());
  image.height = png_uint_32(canvas.height());
  image.format = PNG_FORMAT_RGBA;
  const bool ok = png_image_write_to_file(&image, path.c_str(), 0, canvas.rgba().data(), 0, nullptr);
  if (!ok) *error = image.message;
  png_image_free(&image);
  return ok;
}

bool WriteTiff(const Canvas& canvas, const std::filesystem::path& path, std::string* error) {
  TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
  TIFFOpenOptionsSetErrorHandlerExtR(options, OnTiffError, error);
  TIFF* tif = TIFFOpenExt(path.c_str(), "w", options);
  TIFFOpenOptionsFree(options);
  if (!tif) return false;
  const std::uint16_t extra[] = {EXTRASAMPLE_UNASSALPHA};
  TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, std::uint32_t(canvas.width()));
  TIFFSetField(tif, TIFFTAG_IMAGELENGTH, std::uint32_t(canvas.height()));
  TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 4);
  TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 8);
  TIFFSetField(tif, TIFFTAG_EXTRASAMPLES, 1, extra);
  TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
  TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
  TIFFSetField(tif, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);
  TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_ADOBE_DEFLATE);
  TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, std::uint32_t(canvas.height()));
  const std::size_t stride = std::size_t(canvas.width()) * 4;
  bool ok = true;
  for (int y = 0; y < canvas.height() && ok; ++y) {
    auto* row = const_cast<std::uint8_t*>(canvas.rgba().data() + y * stride);
    ok = TIFFWriteScanline(tif, row, std::uint32_t(y), 0) == 1;
  }
  TIFFClose(tif);
  if (!ok && error->empty()) *error = "TIFF scanline not written";
  return ok;
}

bool WriteJpeg(const Canvas& canvas, const std::filesystem::path& path, int quality, std::string* error) {
  File out(std::fopen(path.c_str(), "wb"));
  if (!out) {
    *error = "cannot open for writing";
    return false;
  }
  const std::vector<std::uint8_t> rgb = canvas.Rgb();
  JpegErrors errors;
  if (!EncodeJpeg(rgb.data(), canvas.width(), canvas.height(), quality, out.get(), errors)) {
    *error = errors.message;
    return false;
  }
  if (std::fflush(out.get()) != 0) {
    *error = "write failed";
    return false;
  }
  return true;
}

}  // namespace icons
