// What lies under a point of a window: a menu title or entry, a button, a tab header, a user area or a
// custom gadget, and the point in that item's own coordinates.
#pragma once

#include "scn/types.h"
#include "ui/rect.h"
#include "ui/windowgeometry.h"

namespace host {

enum class HitKind { None, MenuTitle, MenuEntry, Button, TabHeader, UserArea, Gadget };

struct Hit {
  HitKind kind = HitKind::None;
  scn::Int32 id = 0;       // the entry, button, tab, user area or gadget; 0 for menu titles
  scn::Int32 groupId = 0;  // tab headers: their tab group
  int menu = -1;           // menu titles and entries: the menu's index
  bool enabled = true;     // false for a disabled item or one inside a disabled group
  Point local;             // relative to the item's rectangle; a user area's includes its scroll offset
  friend bool operator==(const Hit&, const Hit&) = default;
};

// The open menu lies above everything, then the menu bar, then the deepest visible item whose visible
// part holds the point. A menu divider, a frame or an empty spot is None.
Hit HitTest(const WindowGeometry& geometry, Point p);

}  // namespace host
