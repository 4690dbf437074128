#include "ui/layout.h"

#include <algorithm>

#include "ui/htmlviewer.h"

namespace host {
namespace {

template <typename Match>
LayoutItem* FindItemIf(const LayoutItem& parent, const Match& match) {
  for (const auto& child : parent.children) {
    if (match(*child)) return child.get();
    if (LayoutItem* found = FindItemIf(*child, match)) return found;
  }
  return nullptr;
}

void CollectGadgets(const LayoutItem& item, std::vector<scn::CustomGadget*>* out) {
  for (const auto& child : item.children) {
    if (child->kind == LayoutKind::CustomGadget) out->push_back(child->gadget);
    CollectGadgets(*child, out);
  }
}

bool IsInside(const LayoutItem* item, const LayoutItem* ancestor) {
  for (const LayoutItem* p = item->parent; p; p = p->parent)
    if (p == ancestor) return true;
  return false;
}

}  // namespace

const LayoutItem* ActiveTab(const LayoutItem& tabGroup) {
  if (tabGroup.kind != LayoutKind::TabGroup) return nullptr;
  const LayoutItem* first = nullptr;
  for (const auto& child : tabGroup.children) {
    if (child->kind != LayoutKind::Group || child->hidden) continue;
    if (child->id == tabGroup.activeTab && child->id != 0) return child.get();
    if (!first) first = child.get();
  }
  return first;
}

Layout::Layout() : root_(std::make_unique<LayoutItem>()) {
  root_->id = -1;
}

bool Layout::Fits(LayoutKind kind) const {
  const LayoutItem& parent = Current();
  if (parent.kind == LayoutKind::TabGroup) return kind == LayoutKind::Group;
  if (parent.kind == LayoutKind::ScrollGroup) return parent.children.empty();
  return true;
}

LayoutItem* Layout::Open(LayoutKind kind, scn::Int32 id, scn::Int32 flags) {
  LayoutItem* group = id != 0 ? FindGroup(id) : nullptr;
  if (!group) {
    group = Add(kind, id, flags);
    if (!group) return nullptr;
  }
  group->kind = kind;
  group->flags = flags;
  open_.push_back(group);
  return group;
}

LayoutItem* Layout::Add(LayoutKind kind, scn::Int32 id, scn::Int32 flags, Size minimum) {
  if (!Fits(kind)) return nullptr;
  auto item = std::make_unique<LayoutItem>();
  item->kind = kind;
  item->id = id;
  item->flags = flags;
  item->minWidth = minimum.width;
  item->minHeight = minimum.height;
  item->parent = &Current();
  LayoutItem* ref = item.get();
  Current().children.push_back(std::move(item));
  return ref;
}

LayoutItem* Layout::BeginGroup(const GroupSpec& spec) {
  LayoutItem* group = Open(LayoutKind::Group, spec.id, spec.flags);
  if (!group) return nullptr;
  group->columns = spec.columns;
  group->rows = spec.rows;
  group->title = spec.title;
  group->groupFlags = spec.groupFlags;
  return group;
}

LayoutItem* Layout::BeginTabGroup(const TabGroupSpec& spec) {
  LayoutItem* group = Open(LayoutKind::TabGroup, spec.id, spec.flags);
  if (group) group->tabKind = spec.tabKind;
  return group;
}

LayoutItem* Layout::BeginScrollGroup(const ScrollGroupSpec& spec) {
  LayoutItem* group = Open(LayoutKind::ScrollGroup, spec.id, spec.flags);
  if (group) group->scrollFlags = spec.scrollFlags;
  return group;
}

bool Layout::EndGroup() {
  if (open_.empty()) return false;
  open_.pop_back();
  return true;
}

bool Layout::SetGroupBorder(const Insets& border) {
  if (open_.empty()) return false;
  open_.back()->border = border;
  return true;
}

bool Layout::SetGroupFrame(scn::Int32 style) {
  if (open_.empty()) return false;
  open_.back()->frameStyle = style;
  return true;
}

LayoutItem* Layout::AddGadget(scn::CustomGadget* gadget) {
  LayoutItem* item =
      Add(LayoutKind::CustomGadget, gadget->id, gadget->flags, {gadget->minWidth, gadget->minHeight});
  if (item) item->gadget = gadget;
  return item;
}

LayoutItem* Layout::AddPushButton(const ButtonSpec& spec) {
  LayoutItem* item = Add(LayoutKind::PushButton, spec.id, spec.flags, {spec.minWidth, spec.minHeight});
  if (item) item->title = spec.text;
  return item;
}

LayoutItem* Layout::AddUserArea(const UserAreaSpec& spec) {
  return Add(LayoutKind::UserArea, spec.id, spec.flags, {spec.minWidth, spec.minHeight});
}

bool Layout::BeginMenu(const std::string& title) {
  if (buildingMenu_) return false;
  menus_.push_back({title, {}});
  buildingMenu_ = true;
  return true;
}

bool Layout::AddMenuEntry(scn::Int32 id, const std::string& text) {
  if (!buildingMenu_) return false;
  menus_.back().entries.push_back({id, text, false, true});
  return true;
}

bool Layout::AddMenuDivider() {
  if (!buildingMenu_) return false;
  menus_.back().entries.push_back({0, {}, true, true});
  return true;
}

bool Layout::EndMenu() {
  if (!buildingMenu_) return false;
  buildingMenu_ = false;
  return true;
}

bool Layout::SetOpenMenu(int index) {
  if (index < -1 || index >= static_cast<int>(menus_.size())) return false;
  openMenu_ = index;
  return true;
}

bool Layout::SetHidden(scn::Int32 id, bool hidden) {
  LayoutItem* item = FindItem(id);
  if (!item) return false;
  item->hidden = hidden;
  return true;
}

bool Layout::SetEnabled(scn::Int32 id, bool enabled) {
  if (LayoutItem* item = FindItem(id)) {
    item->enabled = enabled;
    return true;
  }
  for (Menu& menu : menus_)
    for (MenuEntry& entry : menu.entries)
      if (!entry.divider && entry.id == id) {
        entry.enabled = enabled;
        return true;
      }
  return false;
}

bool Layout::SetActiveTab(scn::Int32 tabGroupId, scn::Int32 tabId) {
  LayoutItem* group = FindGroup(tabGroupId);
  if (!group || group->kind != LayoutKind::TabGroup) return false;
  const bool isTab = std::any_of(group->children.begin(), group->children.end(), [&](const auto& c) {
    return c->kind == LayoutKind::Group && c->id == tabId;
  });
  if (!isTab) return false;
  group->activeTab = tabId;
  return true;
}

bool Layout::SetScrollOffset(scn::Int32 id, Point offset) {
  LayoutItem* group = FindGroup(id);
  if (!group || group->kind != LayoutKind::ScrollGroup) return false;
  group->scroll = offset;
  return true;
}

Layout::FlushResult Layout::Flush(scn::Int32 groupId, std::vector<scn::CustomGadget*>* removed) {
  LayoutItem* group = FindGroup(groupId);
  if (!group) return FlushResult::UnknownGroup;
  // Emptying a group that holds an open one would leave the open one dangling.
  if (std::any_of(open_.begin(), open_.end(), [&](LayoutItem* open) { return IsInside(open, group); }))
    return FlushResult::GroupOpenInside;
  CollectGadgets(*group, removed);
  group->children.clear();
  return FlushResult::Flushed;
}

LayoutItem* Layout::FindGroup(scn::Int32 id) const {
  return FindItemIf(*root_, [&](const LayoutItem& item) { return item.IsContainer() && item.id == id; });
}

LayoutItem* Layout::FindGadget(scn::Int32 id) const {
  return FindItemIf(
      *root_, [&](const LayoutItem& item) { return item.kind == LayoutKind::CustomGadget && item.id == id; });
}

LayoutItem* Layout::FindItem(scn::Int32 id) const {
  return FindItemIf(*root_, [&](const LayoutItem& item) { return item.id == id; });
}

std::vector<scn::CustomGadget*> Layout::Gadgets() const {
  std::vector<scn::CustomGadget*> out;
  CollectGadgets(*root_, &out);
  return out;
}

}  // namespace host
