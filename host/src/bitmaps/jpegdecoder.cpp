// JPEG through libjpeg(-turbo). libjpeg reports errors by calling back; the callback longjmps to the
// decode frame, which therefore holds no objects with destructors.
#include <csetjmp>
#include <cstdio>

// clang-format off
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

#include "bitmaps/imagedecoders.h"

namespace host {
namespace {

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

// libjpeg pads a truncated or damaged stream with grey and only warns; such an image is corrupt to us.
// Other warnings (stray bytes between markers and the like) leave the picture intact.
void OnJpegMessage(j_common_ptr cinfo, int level) {
  if (level >= 0) return;
  const int code = cinfo->err->msg_code;
  if (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER || code == JWRN_MUST_RESYNC) OnJpegError(cinfo);
}

void Silent(j_common_ptr) {}

DecodeStatus Decode(ImageBytes bytes, scn::Bitmap& out, JpegErrors& errors) {
  jpeg_decompress_struct cinfo;
  cinfo.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = OnJpegError;
  errors.base.emit_message = OnJpegMessage;
  errors.base.output_message = Silent;
  errors.message[0] = '\0';
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&cinfo);
    return DecodeStatus::WrongType;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&cinfo, TRUE);
  DecodeStatus refused = DecodeStatus::Ok;
  if (!ImageSizeAcceptable(cinfo.image_width, cinfo.image_height)) {
    std::snprintf(errors.message, sizeof errors.message, "absurd size %ux%u", cinfo.image_width,
                  cinfo.image_height);
    refused = DecodeStatus::WrongType;
  } else if (cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK) {
    std::snprintf(errors.message, sizeof errors.message, "unsupported CMYK colour space");
    refused = DecodeStatus::WrongType;
  }
  if (refused != DecodeStatus::Ok) {
    jpeg_destroy_decompress(&cinfo);
    return refused;
  }
  cinfo.out_color_space = JCS_RGB;
  jpeg_start_decompress(&cinfo);
  if (!AllocatePixels(out, static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height), 3)) {
    jpeg_destroy_decompress(&cinfo);
    return DecodeStatus::NoMemory;
  }
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = out.At(0, static_cast<int>(cinfo.output_scanline));
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return DecodeStatus::Ok;
}

}  // namespace

DecodeResult DecodeJpeg(ImageBytes bytes, int frame, scn::Bitmap& out) {
  if (frame > 0) return DecodeResult::Wrong("a JPEG has only frame 0");
  JpegErrors errors;
  switch (Decode(bytes, out, errors)) {
    case DecodeStatus::Ok:
      return DecodeResult::Success();
    case DecodeStatus::NoMemory:
      return DecodeResult::OutOfMemory("no memory for the pixels");
    case DecodeStatus::WrongType:
      break;
  }
  return DecodeResult::Wrong(std::string("JPEG: ") + errors.message);
}

}  // namespace host
