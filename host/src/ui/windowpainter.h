// Draws a whole window into a canvas: title bar, menu bar and open menu, group frames and titles, tab
// headers with the active one marked, buttons, scroll bars and, through a callback, every visible user
// area.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "ui/canvas.h"
#include "ui/layout.h"
#include "ui/windowgeometry.h"

namespace host {

class Font;

class WindowPainter {
 public:
  // Called for each visible user area, in layout order, with the canvas targeted at the area: its
  // rectangle's origin is (0, 0) and only its visible part (inside scroll groups: the group's visible part,
  // moved by the scroll offset) is painted.
  using AreaPainter = std::function<void(const ItemGeometry& area, Canvas& canvas)>;

  // font may be null (texts are recorded, not painted); areaPainter may be empty (areas stay background).
  WindowPainter(const Font* font, AreaPainter areaPainter);

  // One pass: the canvas's draw list is cleared first.
  void Paint(const std::string& title, const Layout& layout, const WindowGeometry& geometry,
             Canvas& canvas) const;
  // Lays the window out at that size, paints it and writes it as PNG; false when the file cannot be
  // written.
  bool WritePng(const std::string& title, const Layout& layout, Size window,
                const std::filesystem::path& path) const;

 private:
  void PaintChrome(const std::string& title, const Layout& layout, const WindowGeometry& g, Canvas& c) const;
  void PaintItem(const ItemGeometry& item, Canvas& c) const;
  void PaintTabs(const ItemGeometry& item, Canvas& c) const;
  void PaintScrollBar(const ItemGeometry& item, Canvas& c) const;
  void PaintButton(const ItemGeometry& item, Canvas& c) const;
  void PaintOpenMenu(const WindowGeometry& g, Canvas& c) const;

  const Font* font_;
  AreaPainter areaPainter_;
};

}  // namespace host
