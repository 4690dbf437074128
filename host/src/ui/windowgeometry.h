// Where everything of a window lies after a layout pass, in window coordinates.
#pragma once

#include <vector>

#include "scn/types.h"
#include "ui/layoutitem.h"
#include "ui/menu.h"
#include "ui/rect.h"

namespace host {

struct TabHeader {
  const LayoutItem* tab = nullptr;
  Rect rect;
  bool active = false;
};

struct ItemGeometry {
  const LayoutItem* item = nullptr;
  // A scroll group's content can reach beyond the group's visible part.
  Rect rect;
  // The part of rect that can be seen: within every scroll group's visible part and the window.
  Rect clip;
  bool visible = false;         // false for hidden items, tabs not shown and everything inside them
  bool enabled = true;          // false when the item or a group around it is disabled
  bool framed = false;          // groups with a title or a frame style
  Rect header;                  // groups with a title: the title strip; tab groups: the row of tab headers
  Rect inner;                   // groups: the grid's room; tab groups: the page the active tab fills
  std::vector<TabHeader> tabs;  // tab groups: one per visible tab
  // Scroll groups.
  Rect viewport;   // the content's visible part
  Rect scrollBar;  // empty unless the group scrolls vertically
  Size content;
  Point scroll;  // the content's offset, within 0 .. content - viewport

  // The visible part in the item's own coordinates (what a user area is asked to draw); empty when hidden.
  Rect VisibleInItem() const { return visible && !clip.Empty() ? Offset(clip, {-rect.x, -rect.y}) : Rect{}; }
  // Scroll groups: the visible part in the content's coordinates.
  Rect VisibleContent() const { return {scroll.x, scroll.y, viewport.width, viewport.height}; }
};

struct MenuEntryGeometry {
  const MenuEntry* entry = nullptr;
  Rect rect;
};

struct WindowGeometry {
  Size window;
  Rect titleBar;
  Rect menuBar;                  // empty without menus
  Rect content;                  // where the root group goes
  std::vector<Rect> menuTitles;  // one per menu, in order
  int openMenu = -1;
  Rect dropdown;                           // the open menu's box
  std::vector<MenuEntryGeometry> entries;  // the open menu's entries
  std::vector<ItemGeometry> items;         // every item but the root, in layout order (parents first)

  // The first item of that id in layout order; null when there is none.
  const ItemGeometry* Find(scn::Int32 id) const;
  const ItemGeometry* Find(const LayoutItem* item) const;
};

}  // namespace host
