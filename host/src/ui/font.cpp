#include "ui/font.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <string>
#include <system_error>

#include "core/diagnostics.h"
#include "ui/rect.h"

namespace host {
namespace {

struct LibraryDeleter {
  void operator()(FT_Library lib) const { FT_Done_FreeType(lib); }
};
struct FaceDeleter {
  void operator()(FT_Face face) const { FT_Done_Face(face); }
};
using LibraryPtr = std::unique_ptr<FT_LibraryRec_, LibraryDeleter>;
using FacePtr = std::unique_ptr<FT_FaceRec_, FaceDeleter>;

// Rounds 26.6 fixed point to whole pixels.
int Pixels(FT_Pos v) {
  return static_cast<int>((v + 32) >> 6);
}

// A glyph whose bitmap is not 8-bit grey keeps its advance and paints nothing.
Font::Glyph Capture(FT_GlyphSlot slot, int baseline) {
  Font::Glyph g;
  g.advance = Pixels(slot->advance.x);
  const FT_Bitmap& bm = slot->bitmap;
  if (bm.pixel_mode != FT_PIXEL_MODE_GRAY || bm.pitch < static_cast<int>(bm.width) || !bm.buffer) return g;
  g.left = slot->bitmap_left;
  g.top = baseline - slot->bitmap_top;
  g.width = static_cast<int>(bm.width);
  g.rows = static_cast<int>(bm.rows);
  g.coverage.resize(std::size_t(g.width) * g.rows);
  for (int r = 0; r < g.rows; ++r)
    std::copy_n(bm.buffer + std::size_t(r) * bm.pitch, g.width,
                g.coverage.begin() + std::size_t(r) * g.width);
  return g;
}

std::string Reason(FT_Error error) {
  const char* text = FT_Error_String(error);
  return "FreeType error " + std::to_string(error) + (text ? std::string(" (") + text + ")" : std::string());
}

}  // namespace

std::unique_ptr<Font> Font::Open(const std::filesystem::path& file, int pixelSize, Diagnostics& diagnostics) {
  const auto fail = [&](const std::string& why) {
    diagnostics.Output("font " + file.string() + " at " + std::to_string(pixelSize) + " px: " + why);
    return nullptr;
  };
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec)) return fail("file missing");
  if (pixelSize < 4 || pixelSize > 256) return fail("unusable size");

  FT_Library rawLib = nullptr;
  if (const FT_Error e = FT_Init_FreeType(&rawLib)) return fail(Reason(e));
  LibraryPtr lib(rawLib);
  FT_Face rawFace = nullptr;
  if (const FT_Error e = FT_New_Face(lib.get(), file.c_str(), 0, &rawFace)) return fail(Reason(e));
  FacePtr face(rawFace);
  if (!FT_IS_SCALABLE(face)) return fail("not a scalable face");
  if (const FT_Error e = FT_Set_Pixel_Sizes(face.get(), 0, FT_UInt(pixelSize))) return fail(Reason(e));

  std::unique_ptr<Font> font(new Font());
  const int ascender = Pixels(face->size->metrics.ascender);
  font->lineHeight_ = ascender - Pixels(face->size->metrics.descender);
  for (int c = 0; c < 256; ++c) {
    // An index of 0 loads the face's missing glyph.
    const FT_UInt index = FT_Get_Char_Index(face.get(), FT_ULong(c));
    if (const FT_Error e = FT_Load_Glyph(face.get(), index, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT))
      return fail("character " + std::to_string(c) + ": " + Reason(e));
    font->glyphs_[c] = Capture(face->glyph, ascender);
  }
  return font;
}

int Font::TextWidth(std::string_view text) const {
  std::int64_t width = 0;
  for (const char c : text) width += glyphs_[static_cast<unsigned char>(c)].advance;
  return ClampCoordinate(width);
}

}  // namespace host
