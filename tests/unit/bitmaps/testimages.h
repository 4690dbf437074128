// Image files made with the codec libraries themselves, for the bitmap tests.
#pragma once

#include <jpeglib.h>
#include <tiffio.h>
#include <zlib.h>

#include <csetjmp>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace testimages {

struct Rgb {
  std::uint8_t r, g, b;
};

// A width x height picture, row-major.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<Rgb> pixels;

  Picture(int w, int h, Rgb fill) : width(w), height(h), pixels(std::size_t(w) * h, fill) {}
  Rgb& at(int x, int y) { return pixels[std::size_t(y) * width + x]; }
};

namespace detail {
struct JpegErrors {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};
[[noreturn]] inline void OnError(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<JpegErrors*>(cinfo->err)->jump, 1);
}

// No objects with destructors here: libjpeg longjmps out on error.
inline bool Compress(const Picture& p, int quality, unsigned char** buffer, unsigned long* size) {
  jpeg_compress_struct cinfo;
  JpegErrors errors;
  cinfo.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = OnError;
  if (setjmp(errors.jump)) {
    jpeg_destroy_compress(&cinfo);
    return false;
  }
  jpeg_create_compress(&cinfo);
  jpeg_mem_dest(&cinfo, buffer, size);
  cinfo.image_width = JDIMENSION(p.width);
  cinfo.image_height = JDIMENSION(p.height);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(&p.pixels[std::size_t(cinfo.next_scanline) * p.width].r);
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return true;
}
}  // namespace detail

// The JPEG file bytes of a picture; empty on failure.
inline std::string Jpeg(const Picture& p, int quality = 95) {
  static_assert(sizeof(Rgb) == 3);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  std::string out;
  if (detail::Compress(p, quality, &buffer, &size)) out.assign(reinterpret_cast<char*>(buffer), size);
  std::free(buffer);
  return out;
}

// Writes a TIFF with one page per picture (RGB, uncompressed); false on failure.
inline bool Tiff(const std::filesystem::path& path, const std::vector<Picture>& pages) {
  TIFF* tif = TIFFOpen(path.c_str(), "w");
  if (!tif) return false;
  bool ok = true;
  for (const Picture& p : pages) {
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, std::uint32_t(p.width));
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, std::uint32_t(p.height));
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 3);
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, std::uint32_t(p.height));
    for (int y = 0; y < p.height && ok; ++y)
      ok = TIFFWriteScanline(tif, const_cast<Rgb*>(&p.pixels[std::size_t(y) * p.width]), std::uint32_t(y),
                             0) == 1;
    ok = ok && TIFFWriteDirectory(tif) == 1;
  }
  TIFFClose(tif);
  return ok;
}

// A PNG chunk: length, type, data, CRC over type and data.
inline std::string PngChunk(const std::string& type, const std::string& data) {
  const auto be32 = [](std::uint32_t v) {
    return std::string{char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
  };
  const std::string body = type + data;
  const auto crc = crc32(0, reinterpret_cast<const Bytef*>(body.data()), uInt(body.size()));
  return be32(std::uint32_t(data.size())) + body + be32(std::uint32_t(crc));
}

// Signature and a well-formed IHDR (8-bit RGB) claiming the given size, then an empty IDAT and IEND.
inline std::string PngClaiming(std::uint32_t width, std::uint32_t height) {
  const auto be32 = [](std::uint32_t v) {
    return std::string{char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
  };
  const std::string signature = "\x89PNG\r\n\x1a\n";
  const std::string ihdr = be32(width) + be32(height) + std::string{8, 2, 0, 0, 0};
  return signature + PngChunk("IHDR", ihdr) + PngChunk("IDAT", "") + PngChunk("IEND", "");
}

// A baseline JPEG whose frame header is rewritten to claim the given size; empty when no SOF0 is found.
inline std::string JpegClaiming(std::uint16_t width, std::uint16_t height) {
  std::string bytes = Jpeg(Picture(8, 8, {128, 128, 128}));
  const auto sof = bytes.find("\xFF\xC0");
  if (sof == std::string::npos) return {};
  bytes[sof + 5] = char(height >> 8);
  bytes[sof + 6] = char(height);
  bytes[sof + 7] = char(width >> 8);
  bytes[sof + 8] = char(width);
  return bytes;
}

}  // namespace testimages
