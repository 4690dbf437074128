// One item of a window's layout tree: a group, tab group, scroll group, push button, user area or custom
// gadget, with what it asked for and the state the host keeps for it.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "scn/types.h"
#include "ui/rect.h"

namespace scn {
struct CustomGadget;
}

namespace host {

enum class LayoutKind { Group, TabGroup, ScrollGroup, PushButton, UserArea, CustomGadget };

// Item flags: where an item sits in its grid cell and whether its column or row takes spare room.
// Neither left nor right (or top nor bottom) centres it; both stretch it over the cell.
inline constexpr scn::Int32 kAlignLeft = 1;
inline constexpr scn::Int32 kAlignRight = 2;
inline constexpr scn::Int32 kFitHorizontal = kAlignLeft | kAlignRight;
inline constexpr scn::Int32 kScaleHorizontal = 4;  // the item's column shares the group's spare width
inline constexpr scn::Int32 kAlignTop = 8;
inline constexpr scn::Int32 kAlignBottom = 16;
inline constexpr scn::Int32 kFitVertical = kAlignTop | kAlignBottom;
inline constexpr scn::Int32 kScaleVertical = 32;  // the item's row shares the group's spare height

// Scroll group flags; other bits are kept but change nothing.
inline constexpr scn::Int32 kScrollHorizontal = 2;  // the content may be wider than the visible part
inline constexpr scn::Int32 kScrollVertical = 4;    // the content may be taller than the visible part

struct Insets {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  friend bool operator==(const Insets&, const Insets&) = default;
};

// A user area's own minimum size (the plug-in's answer), given the width it will get: 0 while that is not
// known yet. Empty when it has none.
using MinSizeQuery = std::function<std::optional<Size>(int width)>;

struct LayoutItem {
  LayoutKind kind = LayoutKind::Group;
  scn::Int32 id = 0;
  scn::Int32 flags = 0;
  // A plain group's title, a tab's header text, a button's text.
  std::string title;
  // Groups.
  scn::Int32 columns = 0;  // below 1: one column
  scn::Int32 rows = 0;     // kept; the grid follows columns
  scn::Int32 groupFlags = 0;
  Insets border;              // space inside the group, around its grid
  scn::Int32 frameStyle = 0;  // non-zero: a frame is drawn around the group
  // Tab groups.
  scn::Int32 tabKind = 0;
  scn::Int32 activeTab = 0;  // the chosen tab's id; 0 or a missing tab means the first visible one
  // Scroll groups.
  scn::Int32 scrollFlags = 0;
  Point scroll;  // the offset asked for; the layout pass limits it to the content
  // Buttons, user areas and custom gadgets.
  int minWidth = 0;
  int minHeight = 0;
  MinSizeQuery minSizeQuery;            // user areas
  scn::CustomGadget* gadget = nullptr;  // custom gadgets: the gadget, owned by the window
  // State; kept when a group is rebuilt.
  bool hidden = false;  // takes no room and is not drawn, with everything inside it
  bool enabled = true;  // disabled items are drawn greyed, with everything inside them
  std::vector<std::unique_ptr<LayoutItem>> children;
  LayoutItem* parent = nullptr;

  bool IsContainer() const {
    return kind == LayoutKind::Group || kind == LayoutKind::TabGroup || kind == LayoutKind::ScrollGroup;
  }
};

// The tab a tab group shows: its chosen tab while that is a visible group inside it, else its first visible
// group; null when it has none or is no tab group.
const LayoutItem* ActiveTab(const LayoutItem& tabGroup);

}  // namespace host
