#include "ui/windowpainter.h"

#include <algorithm>

#include "ui/font.h"
#include "ui/htmlviewer.h"
#include "ui/layoutpass.h"
#include "ui/themecolours.h"

namespace host {
namespace {

constexpr int kTitleIndent = 8;
constexpr int kAccentHeight = 2;
constexpr int kThumbMinimum = 12;

Rgb Theme(scn::Int32 id) {
  return ThemeColour(id).value_or(Rgb{});
}

void Fill(Canvas& c, const Rect& r, scn::Int32 colour) {
  if (r.Empty()) return;
  c.SetDrawColor(Theme(colour));
  c.FillRectangle(r.x, r.y, r.Right() - 1, r.Bottom() - 1);
}

void Border(Canvas& c, const Rect& r, scn::Int32 style) {
  if (!r.Empty()) c.DrawBorder(r.x, r.y, r.Right() - 1, r.Bottom() - 1, style);
}

// Text in a box: left-indented by `indent`, or centred when indent is negative; centred vertically.
void Text(Canvas& c, const std::string& text, const Rect& box, int indent, scn::Int32 colour,
          scn::Int32 background) {
  c.SetTextColors(Theme(colour), Theme(background));
  const int x = indent >= 0 ? box.x + indent : box.x + (box.width - c.TextWidth(text)) / 2;
  c.PaintText(text, x, box.y + (box.height - c.LineHeight()) / 2);
}

// Drawing of the window itself: the whole canvas with clipping to the item's visible part.
void Within(Canvas& c, const Rect& clip) {
  c.SetTarget({0, 0, c.Width(), c.Height()}, clip);
}

}  // namespace

WindowPainter::WindowPainter(const Font* font, AreaPainter areaPainter)
    : font_(font), areaPainter_(std::move(areaPainter)) {}

void WindowPainter::Paint(const std::string& title, const Layout& layout, const WindowGeometry& g,
                          Canvas& c) const {
  c.BeginPass();
  Fill(c, {0, 0, c.Width(), c.Height()}, kColourBackground);
  PaintChrome(title, layout, g, c);
  for (const ItemGeometry& item : g.items)
    if (item.visible && !item.clip.Empty()) PaintItem(item, c);
  PaintOpenMenu(g, c);
  c.ClearTarget();
}

void WindowPainter::PaintChrome(const std::string& title, const Layout& layout, const WindowGeometry& g,
                                Canvas& c) const {
  Fill(c, g.titleBar, kColourTitleBar);
  Text(c, title, g.titleBar, kTitleIndent, kColourText, kColourTitleBar);
  if (g.menuBar.Empty()) return;
  Fill(c, g.menuBar, kColourMenuBar);
  for (std::size_t i = 0; i < g.menuTitles.size(); ++i) {
    const scn::Int32 face = static_cast<int>(i) == g.openMenu ? kColourAccent : kColourMenuBar;
    Fill(c, g.menuTitles[i], face);
    Text(c, layout.Menus()[i].title, g.menuTitles[i], -1, kColourText, face);
  }
}

void WindowPainter::PaintItem(const ItemGeometry& item, Canvas& c) const {
  Within(c, item.clip);
  const scn::Int32 text = item.enabled ? kColourText : kColourTextDisabled;
  switch (item.item->kind) {
    case LayoutKind::Group:
      if (item.framed) Border(c, item.rect, kBorderLine);
      if (!item.header.Empty()) Text(c, item.item->title, item.header, 4, text, kColourBackground);
      break;
    case LayoutKind::TabGroup:
      PaintTabs(item, c);
      break;
    case LayoutKind::ScrollGroup:
      PaintScrollBar(item, c);
      break;
    case LayoutKind::PushButton:
      PaintButton(item, c);
      break;
    case LayoutKind::UserArea:
      if (!areaPainter_) break;
      c.SetTarget(item.rect, item.clip);
      areaPainter_(item, c);
      break;
    case LayoutKind::CustomGadget: {
      Border(c, item.rect, kBorderRecessed);
      const scn::CustomGadget* gadget = item.item->gadget;
      const std::string shown = !gadget ? std::string() : gadget->url.empty() ? gadget->name : gadget->url;
      Within(c, Intersect(Inset(item.rect, 2, 2, 2, 2), item.clip));
      Text(c, shown, Inset(item.rect, 4, 4, 4, 4), 0, text, kColourBackground);
      break;
    }
  }
}

void WindowPainter::PaintTabs(const ItemGeometry& item, Canvas& c) const {
  for (const TabHeader& tab : item.tabs) {
    const scn::Int32 face = tab.active ? kColourTabActive : kColourTabInactive;
    Fill(c, tab.rect, face);
    Border(c, tab.rect, kBorderRaised);
    if (tab.active)
      Fill(c, {tab.rect.x + 1, tab.rect.y + 1, tab.rect.width - 2, kAccentHeight}, kColourAccent);
    const bool enabled = item.enabled && tab.tab->enabled;
    Text(c, tab.tab->title, Inset(tab.rect, 0, kAccentHeight, 0, 0), -1,
         enabled ? kColourText : kColourTextDisabled, face);
  }
  Border(c, item.inner, kBorderLine);
}

void WindowPainter::PaintScrollBar(const ItemGeometry& item, Canvas& c) const {
  const Rect& bar = item.scrollBar;
  if (bar.Empty()) return;
  Fill(c, bar, kColourScrollTrack);
  const int view = item.viewport.height, content = std::max(item.content.height, 1);
  int thumb = bar.height, top = bar.y;
  if (content > view) {
    thumb = std::max(kThumbMinimum, static_cast<int>(std::int64_t(bar.height) * view / content));
    thumb = std::min(thumb, bar.height);
    top += static_cast<int>(std::int64_t(bar.height - thumb) * item.scroll.y / (content - view));
  }
  Fill(c, Inset({bar.x, top, bar.width, thumb}, 2, 1, 2, 1), kColourScrollThumb);
}

void WindowPainter::PaintButton(const ItemGeometry& item, Canvas& c) const {
  const scn::Int32 face = item.enabled ? kColourButton : kColourButtonDisabled;
  Fill(c, item.rect, face);
  Border(c, item.rect, item.enabled ? kBorderRaised : kBorderLine);
  Text(c, item.item->title, item.rect, -1, item.enabled ? kColourText : kColourTextDisabled, face);
}

void WindowPainter::PaintOpenMenu(const WindowGeometry& g, Canvas& c) const {
  if (g.openMenu < 0 || g.dropdown.Empty()) return;
  Within(c, {0, 0, c.Width(), c.Height()});
  Fill(c, g.dropdown, kColourMenuBar);
  Border(c, g.dropdown, kBorderRaised);
  for (const MenuEntryGeometry& e : g.entries) {
    if (e.entry->divider) {
      const int y = e.rect.y + e.rect.height / 2;
      c.SetDrawColor(Theme(kColourFrame));
      c.StrokeLine(e.rect.x + 4, y, e.rect.Right() - 5, y);
      continue;
    }
    Text(c, e.entry->text, e.rect, 16, e.entry->enabled ? kColourText : kColourTextDisabled, kColourMenuBar);
  }
}

bool WindowPainter::WritePng(const std::string& title, const Layout& layout, Size window,
                             const std::filesystem::path& path) const {
  const WindowGeometry geometry = LayoutPass(font_).Run(layout, window);
  Canvas canvas(window.width, window.height, font_);
  Paint(title, layout, geometry, canvas);
  return canvas.WritePng(path);
}

}  // namespace host
