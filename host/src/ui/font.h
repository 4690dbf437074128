// The UI font: one face at one pixel size, with every 8-bit character rendered once when it is opened,
// so that drawing text only blends cached coverage.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string_view>
#include <vector>

#include "ui/textmetrics.h"

namespace host {

class Diagnostics;

inline constexpr const char* kUiFontFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
inline constexpr int kUiFontPixelSize = 12;

class Font : public TextMetrics {
 public:
  // Anti-aliased coverage of one character, placed relative to the pen on the line box's top edge.
  struct Glyph {
    int left = 0;  // pen to the first column
    int top = 0;   // top of the line box to the first row
    int width = 0;
    int rows = 0;
    int advance = 0;                     // pen movement, whole pixels
    std::vector<std::uint8_t> coverage;  // rows x width, 0 (none) .. 255 (full)
  };

  // Bytes are Latin-1 characters; those the face lacks get its missing glyph. Null, with a line in the
  // diagnostics that names the file and the reason, when the face cannot be read.
  static std::unique_ptr<Font> Open(const std::filesystem::path& file, int pixelSize,
                                    Diagnostics& diagnostics);

  int TextWidth(std::string_view text) const override;
  int LineHeight() const override { return lineHeight_; }
  const Glyph& GlyphFor(unsigned char c) const { return glyphs_[c]; }

 private:
  Font() = default;

  std::array<Glyph, 256> glyphs_;
  int lineHeight_ = 0;
};

}  // namespace host
