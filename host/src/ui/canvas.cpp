#include "ui/canvas.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "bitmaps/pngencoder.h"
#include "ui/font.h"
#include "ui/themecolours.h"

namespace host {
namespace {

Rgb Theme(scn::Int32 id) {
  return ThemeColour(id).value_or(Rgb{});
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  std::int64_t q = a / b;
  if (a % b != 0 && (a < 0) != (b < 0)) --q;
  return q;
}

// a / b to the nearest whole number, b != 0.
std::int64_t RoundDiv(std::int64_t a, std::int64_t b) {
  if (b < 0) a = -a, b = -b;
  return FloorDiv(2 * a + b, 2 * b);
}

// The source index that destination index i of n samples, nearest pixel over `extent` source pixels.
int Sample(int start, int extent, std::int64_t i, int n) {
  return ClampCoordinate(start + (2 * i + 1) * extent / (2 * std::int64_t(n)));
}

std::uint8_t Blend(std::uint8_t src, std::uint8_t dst, unsigned alpha) {
  return static_cast<std::uint8_t>((src * alpha + dst * (255u - alpha) + 127u) / 255u);
}

void CopyRow(const std::uint8_t* src, const std::vector<std::size_t>& offsets, std::uint8_t* out) {
  const std::size_t n = offsets.size();
  // One 4-byte store a pixel; its fourth byte is overwritten by the next pixel, so the last goes bytewise.
  for (std::size_t i = 0; i + 1 < n; ++i, out += 3) {
    const std::uint8_t* s = src + offsets[i];
    const std::uint8_t quad[4] = {s[0], s[1], s[2], 0};
    std::memcpy(out, quad, 4);
  }
  const std::uint8_t* s = src + offsets[n - 1];
  out[0] = s[0], out[1] = s[1], out[2] = s[2];
}

void BlendRow(const std::uint8_t* src, const std::vector<std::size_t>& offsets, std::uint8_t* out) {
  for (const std::size_t offset : offsets) {
    const std::uint8_t* s = src + offset;
    if (const unsigned alpha = s[3]; alpha == 255) {
      out[0] = s[0], out[1] = s[1], out[2] = s[2];
    } else if (alpha != 0) {
      out[0] = Blend(s[0], out[0], alpha);
      out[1] = Blend(s[1], out[1], alpha);
      out[2] = Blend(s[2], out[2], alpha);
    }
    out += 3;
  }
}

bool PixelsMatch(const scn::Bitmap& b) {
  if (b.Empty()) return true;
  return (b.channels == 3 || b.channels == 4) && b.pixels.size() >= b.Stride() * std::size_t(b.height);
}

}  // namespace

Canvas::Canvas(int width, int height, const Font* font) : font_(font) {
  pixels_.width = std::clamp(width, 0, kMaxSide);
  pixels_.height = std::clamp(height, 0, kMaxSide);
  pixels_.channels = 3;
  pixels_.pixels.assign(pixels_.Stride() * std::size_t(pixels_.height), 0);
  ClearTarget();
}

void Canvas::BeginPass() {
  drawList_.Clear();
  ClearTarget();
}

void Canvas::SetTarget(const Rect& rect, const Rect& visible) {
  origin_ = rect.Origin();
  targetVisible_ = Intersect(Intersect(rect, visible), {0, 0, Width(), Height()});
  clipRegion_.reset();
  drawColour_ = Theme(kColourBackground);
  textColour_ = Theme(kColourText);
  textBackground_ = Theme(kColourBackground);
}

void Canvas::SetClipRegion(int x, int y, int width, int height) {
  clipRegion_ = ToWindow({x, y, std::max(0, width), std::max(0, height)});
}

void Canvas::SetTextColors(Rgb text, Rgb background) {
  textColour_ = text;
  textBackground_ = background;
}

Rect Canvas::Clip() const {
  return clipRegion_ ? Intersect(targetVisible_, *clipRegion_) : targetVisible_;
}

DrawCall Canvas::Call(DrawKind kind, const Rect& rect) const {
  DrawCall call;
  call.kind = kind;
  call.rect = rect;
  call.colour = drawColour_;
  call.clip = Clip();
  return call;
}

void Canvas::Fill(const Rect& area, Rgb colour) {
  if (area.Empty()) return;
  const std::size_t stride = pixels_.Stride();
  std::uint8_t* first = pixels_.At(area.x, area.y);
  for (int i = 0; i < area.width; ++i) {
    first[3 * i] = colour.r;
    first[3 * i + 1] = colour.g;
    first[3 * i + 2] = colour.b;
  }
  const std::size_t bytes = std::size_t(area.width) * 3;
  for (int row = 1; row < area.height; ++row) std::memcpy(first + row * stride, first, bytes);
}

void Canvas::FillRectangle(int x1, int y1, int x2, int y2) {
  const Rect rect = ToWindow(RectFromCorners(x1, y1, x2, y2));
  DrawCall call = Call(DrawKind::Fill, rect);
  Fill(call.Painted(), drawColour_);
  drawList_.Add(std::move(call));
}

void Canvas::Plot(int x, int y, int pen, const Rect& clip) {
  Fill(Intersect({x - (pen - 1) / 2, y - (pen - 1) / 2, pen, pen}, clip), drawColour_);
}

void Canvas::StrokeLine(int x1, int y1, int x2, int y2, double width) {
  const Point a = ToWindow(Point{x1, y1}), b = ToWindow(Point{x2, y2});
  DrawCall call = Call(DrawKind::Line, RectFromCorners(a.x, a.y, b.x, b.y));
  call.from = a;
  call.to = b;
  const int pen = std::isfinite(width) ? static_cast<int>(std::clamp(std::lround(width), 1L, 64L)) : 1;
  const Rect clip = call.clip;
  const std::int64_t dx = std::int64_t(b.x) - a.x, dy = std::int64_t(b.y) - a.y;
  // Only the stretch of the main axis that can reach the clip is walked.
  if (std::abs(dx) >= std::abs(dy)) {
    const int from = std::max(std::min(a.x, b.x), clip.x - pen);
    const int to = std::min(std::max(a.x, b.x), clip.Right() + pen);
    for (int x = from; x <= to; ++x) {
      const std::int64_t y = a.y + (dx == 0 ? 0 : RoundDiv(std::int64_t(x - a.x) * dy, dx));
      Plot(x, ClampCoordinate(y), pen, clip);
    }
  } else {
    const int from = std::max(std::min(a.y, b.y), clip.y - pen);
    const int to = std::min(std::max(a.y, b.y), clip.Bottom() + pen);
    for (int y = from; y <= to; ++y)
      Plot(ClampCoordinate(a.x + RoundDiv(std::int64_t(y - a.y) * dx, dy)), y, pen, clip);
  }
  drawList_.Add(std::move(call));
}

bool Canvas::BlitBitmap(const scn::Bitmap& bitmap, const Rect& destination, const Rect& source,
                        scn::Int32 mode) {
  if ((mode != kBlitCopy && mode != kBlitAlpha) || !PixelsMatch(bitmap)) return false;
  const Rect dst = ToWindow(destination);
  DrawCall call = Call(DrawKind::Blit, dst);
  call.bitmap = {bitmap.width, bitmap.height};
  call.source = source;
  call.mode = mode;
  const Rect area = call.Painted();
  drawList_.Add(std::move(call));
  if (bitmap.Empty() || area.Empty() || source.Empty()) return true;

  // Sampling is monotonic, so the columns inside the bitmap form one run.
  std::vector<std::size_t> offsets;
  offsets.reserve(std::size_t(area.width));
  int first = -1;
  for (int i = 0; i < area.width; ++i) {
    const int sx = Sample(source.x, source.width, std::int64_t(area.x) - dst.x + i, dst.width);
    if (sx < 0 || sx >= bitmap.width) continue;
    if (first < 0) first = i;
    offsets.push_back(std::size_t(sx) * bitmap.channels);
  }
  if (offsets.empty()) return true;
  const bool blend = mode == kBlitAlpha && bitmap.HasAlpha();
  int previousSy = -1;
  const std::uint8_t* previousRow = nullptr;
  for (int row = area.y; row < area.Bottom(); ++row) {
    const int sy = Sample(source.y, source.height, std::int64_t(row) - dst.y, dst.height);
    if (sy < 0 || sy >= bitmap.height) continue;
    std::uint8_t* out = pixels_.At(area.x + first, row);
    if (!blend && sy == previousSy) {
      std::memcpy(out, previousRow, offsets.size() * 3);
    } else if (blend) {
      BlendRow(bitmap.At(0, sy), offsets, out);
    } else {
      CopyRow(bitmap.At(0, sy), offsets, out);
    }
    previousSy = sy;
    previousRow = out;
  }
  return true;
}

int Canvas::TextWidth(std::string_view text) const {
  return font_ ? font_->TextWidth(text) : 0;
}

int Canvas::LineHeight() const {
  return font_ ? font_->LineHeight() : 0;
}

void Canvas::PaintText(std::string_view text, int x, int y) {
  const Rect box = ToWindow({x, y, TextWidth(text), LineHeight()});
  DrawCall call = Call(DrawKind::Text, box);
  call.colour = textColour_;
  call.background = textBackground_;
  call.text = std::string(text);
  const Rect area = call.Painted();
  drawList_.Add(std::move(call));
  Fill(area, textBackground_);
  if (font_ && !area.Empty()) PaintGlyphs(text, box, area);
}

void Canvas::PaintGlyphs(std::string_view text, const Rect& box, const Rect& area) {
  std::int64_t pen = box.x;
  for (const char c : text) {
    const Font::Glyph& g = font_->GlyphFor(static_cast<unsigned char>(c));
    const Rect ink{ClampCoordinate(pen + g.left), box.y + g.top, g.width, g.rows};
    pen += g.advance;
    const Rect part = Intersect(ink, area);
    if (part.Empty()) {
      if (ink.x >= area.Right()) return;
      continue;
    }
    for (int row = part.y; row < part.Bottom(); ++row) {
      const std::uint8_t* cover = g.coverage.data() + std::size_t(row - ink.y) * g.width + (part.x - ink.x);
      std::uint8_t* out = pixels_.At(part.x, row);
      for (int i = 0; i < part.width; ++i, out += 3) {
        const unsigned a = cover[i];
        if (a == 0) continue;
        out[0] = Blend(textColour_.r, out[0], a);
        out[1] = Blend(textColour_.g, out[1], a);
        out[2] = Blend(textColour_.b, out[2], a);
      }
    }
  }
}

void Canvas::Bevel(const Rect& r, Rgb topLeft, Rgb bottomRight) {
  if (r.Empty()) return;
  const Rect clip = Clip();
  Fill(Intersect({r.x, r.y, r.width, 1}, clip), topLeft);
  Fill(Intersect({r.x, r.y, 1, r.height}, clip), topLeft);
  Fill(Intersect({r.x, r.Bottom() - 1, r.width, 1}, clip), bottomRight);
  Fill(Intersect({r.Right() - 1, r.y + 1, 1, r.height - 1}, clip), bottomRight);
}

bool Canvas::DrawBorder(int x1, int y1, int x2, int y2, scn::Int32 style) {
  if (style != kBorderRecessed && style != kBorderRaised && style != kBorderLine) return false;
  const Rect rect = ToWindow(RectFromCorners(x1, y1, x2, y2));
  DrawCall call = Call(DrawKind::Border, rect);
  call.style = style;
  drawList_.Add(std::move(call));
  const Rgb light = Theme(kColourEdgeLight), shadow = Theme(kColourEdgeShadow);
  switch (style) {
    case kBorderRecessed:
      Bevel(rect, shadow, light);
      Bevel(Inset(rect, 1, 1, 1, 1), Theme(kColourEdgeDeep), Theme(kColourFrame));
      break;
    case kBorderRaised:
      Bevel(rect, light, shadow);
      break;
    default:
      Bevel(rect, Theme(kColourFrame), Theme(kColourFrame));
      break;
  }
  return true;
}

Rgb Canvas::PixelAt(int x, int y) const {
  if (!pixels_.Contains(x, y)) return {};
  const std::uint8_t* p = pixels_.At(x, y);
  return {p[0], p[1], p[2]};
}

bool Canvas::WritePng(const std::filesystem::path& path) const {
  return EncodePngFile(pixels_, path);
}

}  // namespace host
