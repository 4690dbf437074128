// A window's pixels (RGB, 8 bits a channel) and the drawing calls of the host and its user areas.
//
// Calls take coordinates relative to the current target: a rectangle of the window (a user area's place)
// whose origin is their (0, 0) and outside of which they paint nothing. Rectangles given by two corners
// include both corners. Every call is also kept in the draw list, in window coordinates.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

#include "bitmaps/bitmap.h"
#include "scn/types.h"
#include "ui/colour.h"
#include "ui/drawlist.h"
#include "ui/rect.h"

namespace host {

class Font;

// Blit modes.
inline constexpr scn::Int32 kBlitCopy = 0;     // the source's colour replaces the canvas's
inline constexpr scn::Int32 kBlitAlpha = 257;  // blended by the source's alpha; a copy when it has none

// Border styles.
inline constexpr scn::Int32 kBorderRecessed = 15;  // 2 px, pressed in: shaded top left, lit bottom right
inline constexpr scn::Int32 kBorderRaised = 16;    // 1 px, standing out: lit top left, shaded bottom right
inline constexpr scn::Int32 kBorderLine = 17;      // 1 px in the frame colour

class Canvas {
 public:
  static constexpr int kMaxSide = 8192;

  // Sides are limited to 0..kMaxSide. Without a font, texts measure 0 and paint nothing but are recorded.
  Canvas(int width, int height, const Font* font);

  int Width() const { return pixels_.width; }
  int Height() const { return pixels_.height; }

  // Forgets the draw list and goes back to the whole window as target.
  void BeginPass();

  // Following calls are relative to rect's origin and paint only inside rect and visible (window
  // coordinates). Also clears the clip region and resets the colours: draw colour 1000, text 1003 on 1000.
  void SetTarget(const Rect& rect, const Rect& visible);
  void SetTarget(const Rect& rect) { SetTarget(rect, rect); }
  // The whole window.
  void ClearTarget() { SetTarget({0, 0, Width(), Height()}); }

  // Limits painting further, always within the target; a negative size clips everything away.
  void SetClipRegion(int x, int y, int width, int height);
  void ClearClipRegion() { clipRegion_.reset(); }

  void SetDrawColor(Rgb colour) { drawColour_ = colour; }
  void SetTextColors(Rgb text, Rgb background);

  // In the draw colour.
  void FillRectangle(int x1, int y1, int x2, int y2);
  // Both end points painted; a square pen of the rounded width (at least 1 px).
  void StrokeLine(int x1, int y1, int x2, int y2, double width = 1.0);
  // Scales the source part of the bitmap onto the destination, nearest pixel; source pixels outside the
  // bitmap are left out. False (nothing drawn or recorded) for an unknown mode or a bitmap whose pixels do
  // not match its size; an empty bitmap draws nothing.
  bool BlitBitmap(const scn::Bitmap& bitmap, const Rect& destination, const Rect& source, scn::Int32 mode);
  // (x, y) is the top left of the line box, TextWidth x LineHeight, which is first filled with the text
  // background; the glyphs are blended on it and kept inside it.
  void PaintText(std::string_view text, int x, int y);
  int TextWidth(std::string_view text) const;
  int LineHeight() const;
  // A frame on the outer pixels of the rectangle; false (nothing drawn or recorded) for an unknown style.
  bool DrawBorder(int x1, int y1, int x2, int y2, scn::Int32 style);

  // Window coordinates; black outside the canvas.
  Rgb PixelAt(int x, int y) const;
  const scn::Bitmap& Pixels() const { return pixels_; }
  // False when the file cannot be written.
  bool WritePng(const std::filesystem::path& path) const;

  const DrawList& DrawCalls() const { return drawList_; }

 private:
  Rect ToWindow(const Rect& r) const { return Offset(r, origin_); }
  Point ToWindow(Point p) const { return Offset({p.x, p.y, 0, 0}, origin_).Origin(); }
  Rect Clip() const;
  DrawCall Call(DrawKind kind, const Rect& rect) const;
  void Fill(const Rect& area, Rgb colour);
  void Plot(int x, int y, int pen, const Rect& clip);
  // One ring on the outer pixels of r.
  void Bevel(const Rect& r, Rgb topLeft, Rgb bottomRight);
  void PaintGlyphs(std::string_view text, const Rect& box, const Rect& area);

  scn::Bitmap pixels_;
  const Font* font_;
  DrawList drawList_;
  Point origin_;
  Rect targetVisible_;
  std::optional<Rect> clipRegion_;
  Rgb drawColour_;
  Rgb textColour_;
  Rgb textBackground_;
};

}  // namespace host
