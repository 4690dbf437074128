#include "ui/layout.h"

#include <algorithm>

#include "ui/htmlviewer.h"

namespace host {
namespace {

LayoutItem* FindItem(const LayoutItem& parent, LayoutKind kind, scn::Int32 id) {
  for (const auto& child : parent.children) {
    if (child->kind == kind && child->id == id) return child.get();
    if (LayoutItem* found = FindItem(*child, kind, id)) return found;
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

Layout::Layout() : root_(std::make_unique<LayoutItem>()) {
  root_->id = -1;
}

LayoutItem& Layout::BeginGroup(const GroupSpec& spec) {
  LayoutItem* group = spec.id != 0 ? FindGroup(spec.id) : nullptr;
  if (!group) {
    auto item = std::make_unique<LayoutItem>();
    item->parent = &Current();
    group = item.get();
    Current().children.push_back(std::move(item));
  }
  group->kind = LayoutKind::Group;
  group->id = spec.id;
  group->flags = spec.flags;
  group->columns = spec.columns;
  group->rows = spec.rows;
  group->title = spec.title;
  group->groupFlags = spec.groupFlags;
  open_.push_back(group);
  return *group;
}

bool Layout::EndGroup() {
  if (open_.empty()) return false;
  open_.pop_back();
  return true;
}

LayoutItem& Layout::AddGadget(scn::CustomGadget* gadget) {
  auto item = std::make_unique<LayoutItem>();
  item->kind = LayoutKind::CustomGadget;
  item->id = gadget->id;
  item->flags = gadget->flags;
  item->gadget = gadget;
  item->parent = &Current();
  LayoutItem& ref = *item;
  Current().children.push_back(std::move(item));
  return ref;
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
  return FindItem(*root_, LayoutKind::Group, id);
}

LayoutItem* Layout::FindGadget(scn::Int32 id) const {
  return FindItem(*root_, LayoutKind::CustomGadget, id);
}

std::vector<scn::CustomGadget*> Layout::Gadgets() const {
  std::vector<scn::CustomGadget*> out;
  CollectGadgets(*root_, &out);
  return out;
}

}  // namespace host
