// What a drawing pass painted, call by call, in window coordinates: lets a test ask "this text was painted
// here" without reading glyph pixels.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "scn/types.h"
#include "ui/colour.h"
#include "ui/rect.h"

namespace host {

enum class DrawKind { Fill, Line, Blit, Text, Border };

struct DrawCall {
  DrawKind kind = DrawKind::Fill;
  // The filled box, the line's bounding box, the blit's destination, the text's line box, the framed box.
  Rect rect;
  Point from, to;  // lines: the end points
  Rgb colour;      // fills and lines: the draw colour; texts: the text colour
  Rgb background;  // texts: the colour of the box behind them
  std::string text;
  Size bitmap;           // blits: the whole source bitmap
  Rect source;           // blits: the part of it drawn
  scn::Int32 mode = 0;   // blits: the blit mode
  scn::Int32 style = 0;  // borders: the border style
  Rect clip;             // where the call could paint: the target and the clip region

  // The part of rect that the clip let through.
  Rect Painted() const { return Intersect(rect, clip); }
};

class DrawList {
 public:
  void Add(DrawCall call) { calls_.push_back(std::move(call)); }
  // The start of a pass.
  void Clear() { calls_.clear(); }

  const std::vector<DrawCall>& Calls() const { return calls_; }
  std::vector<const DrawCall*> OfKind(DrawKind kind) const;
  // Text calls of exactly this text, in painting order.
  std::vector<const DrawCall*> Texts(std::string_view text) const;

 private:
  std::vector<DrawCall> calls_;
};

}  // namespace host
