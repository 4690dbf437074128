// How wide a text is and how high a line of it is, in pixels; what layouts need of a font.
#pragma once

#include <string_view>

namespace host {

class TextMetrics {
 public:
  virtual ~TextMetrics() = default;
  // 8-bit text: one character a byte.
  virtual int TextWidth(std::string_view text) const = 0;
  virtual int LineHeight() const = 0;
};

}  // namespace host
