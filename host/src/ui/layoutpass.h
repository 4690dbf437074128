// Lays a window out: every item's rectangle in a window of a given size.
//
// The rules, in pixels (H is the font's line height):
// - From the top: a title bar H + 8 high, a menu bar H + 6 high when the window has menus (titles from
//   the left, each its text plus 8 on either side), then the content, 4 in from every side, which the root
//   group fills.
// - A group places its visible children in a grid of `columns` columns (at least 1), row by row in layout
//   order, cells 4 apart; hidden items take no cell. A column is as wide as the largest minimum width in
//   it, a row as high as the largest minimum height. Spare width goes in equal parts to the columns that
//   hold an item flagged kScaleHorizontal (the first of them get the odd pixels), spare height likewise to
//   rows with a kScaleVertical item; without such a column or row it stays empty on the right or bottom.
// - In its cell an item flagged both kAlignLeft and kAlignRight spans the cell's width; with one of them it
//   keeps its minimum width on that side, with neither it is centred. Heights follow the same rule with
//   kAlignTop and kAlignBottom.
// - A group's minimum is its grid plus its border; a title adds a strip H + 4 high at the top, a title or
//   a frame style adds 1 all round.
// - A button needs the larger of its given size and its text plus 10 on either side by H plus 3 above and
//   below. A user area needs the larger of its given size and its MinSizeQuery answer (asked with width
//   0). A custom gadget needs its given size.
// - A tab group has a row of headers (text plus 10 on either side, H + 6 high) for its visible tabs and,
//   below it, a page with a 1 px frame that its active tab fills. It needs the largest of its visible
//   tabs, so switching tabs moves nothing; the tabs not shown are not visible and get no room.
// - A scroll group shows a part of its one item. The viewport is the group inside its border, less a 10
//   wide scroll bar on the right when it scrolls vertically. In a direction it scrolls, the content is the
//   larger of the viewport and the item's minimum (a user area is asked again with the content's width)
//   and the group needs only the item's given minimum; in a direction it does not scroll, the content is
//   as long as the viewport and the group needs the item's whole minimum. The scroll offset is limited to
//   0 .. content - viewport.
// - Nothing is made smaller than its minimum: in a window too small, items run past its right and bottom
//   edges and are clipped there.
// - The open menu's box hangs below its title: its widest entry plus 16 on either side (at least 120),
//   entries H + 6 high, dividers 7.
#pragma once

#include "ui/layout.h"
#include "ui/textmetrics.h"
#include "ui/windowgeometry.h"

namespace host {

class LayoutPass {
 public:
  // Without metrics every text is 0 wide and a line 0 high.
  explicit LayoutPass(const TextMetrics* metrics) : metrics_(metrics) {}

  WindowGeometry Run(const Layout& layout, Size window) const;
  // The smallest window in which nothing overflows.
  Size MinimumWindowSize(const Layout& layout) const;

 private:
  const TextMetrics* metrics_;
};

}  // namespace host
