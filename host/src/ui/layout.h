// A dialog window's layout tree and menu bar, built by the plug-in's group, gadget and menu calls. The
// recorder keeps the tree and says whether a call fits it; the UI service reports what does not.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "scn/types.h"
#include "ui/layoutitem.h"
#include "ui/menu.h"

namespace scn {
struct CustomGadget;
}

namespace host {

struct GroupSpec {
  scn::Int32 id = 0;
  scn::Int32 flags = 0;
  scn::Int32 columns = 0;
  scn::Int32 rows = 0;
  std::string title;
  scn::Int32 groupFlags = 0;
};

struct TabGroupSpec {
  scn::Int32 id = 0;
  scn::Int32 flags = 0;
  scn::Int32 tabKind = 0;
};

struct ScrollGroupSpec {
  scn::Int32 id = 0;
  scn::Int32 flags = 0;
  scn::Int32 scrollFlags = 0;
};

struct ButtonSpec {
  scn::Int32 id = 0;
  scn::Int32 flags = 0;
  std::string text;
  int minWidth = 0;
  int minHeight = 0;
};

struct UserAreaSpec {
  scn::Int32 id = 0;
  scn::Int32 flags = 0;
  int minWidth = 0;
  int minHeight = 0;
};

class Layout {
 public:
  Layout();

  // The implicit outermost group; it has no id of its own and is never found by FindGroup.
  const LayoutItem& Root() const { return *root_; }

  // Open a group inside the innermost open one. A non-zero id that names an existing group reopens it
  // (content is appended, hidden and enabled state kept), so a flushed group is rebuilt in place.
  // A tab group holds only plain groups (its tabs) and a scroll group one item; null when the new one
  // does not fit there.
  LayoutItem* BeginGroup(const GroupSpec& spec);
  LayoutItem* BeginTabGroup(const TabGroupSpec& spec);
  LayoutItem* BeginScrollGroup(const ScrollGroupSpec& spec);
  // Closes the innermost open group of any kind; false when none is open.
  bool EndGroup();
  std::size_t OpenGroups() const { return open_.size(); }
  // Of the innermost open group; false when none is open.
  bool SetGroupBorder(const Insets& border);
  bool SetGroupFrame(scn::Int32 style);

  // Items in the innermost open group; null when they do not fit there (see BeginGroup).
  LayoutItem* AddGadget(scn::CustomGadget* gadget);
  LayoutItem* AddPushButton(const ButtonSpec& spec);
  LayoutItem* AddUserArea(const UserAreaSpec& spec);

  // Menus of the menu bar, in order; entries go into the menu being built. False when no menu is being
  // built (entries, EndMenu) or one is already (BeginMenu: menus do not nest).
  bool BeginMenu(const std::string& title);
  bool AddMenuEntry(scn::Int32 id, const std::string& text);
  bool AddMenuDivider();
  bool EndMenu();
  bool BuildingMenu() const { return buildingMenu_; }
  const std::vector<Menu>& Menus() const { return menus_; }
  // The menu whose entries are shown, -1 for none; false (nothing changes) for an index out of range.
  bool SetOpenMenu(int index);
  int OpenMenu() const { return openMenu_; }

  // State of the item of that id (the first in layout order); false when there is none.
  bool SetHidden(scn::Int32 id, bool hidden);
  // Items first, then menu entries.
  bool SetEnabled(scn::Int32 id, bool enabled);
  // False unless tabGroupId is a tab group and tabId one of its tabs.
  bool SetActiveTab(scn::Int32 tabGroupId, scn::Int32 tabId);
  // False unless id is a scroll group.
  bool SetScrollOffset(scn::Int32 id, Point offset);

  enum class FlushResult { Flushed, UnknownGroup, GroupOpenInside };
  // Removes the content of a group; the gadgets it held are appended to removed.
  FlushResult Flush(scn::Int32 groupId, std::vector<scn::CustomGadget*>* removed);

  // Depth-first, the first match. FindGroup finds groups of every kind, FindGadget custom gadgets.
  LayoutItem* FindGroup(scn::Int32 id) const;
  LayoutItem* FindGadget(scn::Int32 id) const;
  LayoutItem* FindItem(scn::Int32 id) const;
  // Every custom gadget in layout order.
  std::vector<scn::CustomGadget*> Gadgets() const;

 private:
  LayoutItem& Current() const { return open_.empty() ? *root_ : *open_.back(); }
  bool Fits(LayoutKind kind) const;
  LayoutItem* Open(LayoutKind kind, scn::Int32 id, scn::Int32 flags);
  LayoutItem* Add(LayoutKind kind, scn::Int32 id, scn::Int32 flags, Size minimum = {});

  std::unique_ptr<LayoutItem> root_;
  std::vector<LayoutItem*> open_;
  std::vector<Menu> menus_;
  bool buildingMenu_ = false;
  int openMenu_ = -1;
};

}  // namespace host
