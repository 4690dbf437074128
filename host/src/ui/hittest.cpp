#include "ui/hittest.h"

namespace host {
namespace {

Point Local(Point p, const Rect& r) {
  return {p.x - r.x, p.y - r.y};
}

Hit MenuHit(const WindowGeometry& g, Point p) {
  for (const MenuEntryGeometry& e : g.entries) {
    if (!e.rect.Contains(p) || e.entry->divider) continue;
    return {HitKind::MenuEntry, e.entry->id, 0, g.openMenu, e.entry->enabled, Local(p, e.rect)};
  }
  return {};
}

// A hit on the item itself, or None for one that takes no input of its own.
Hit ItemHit(const ItemGeometry& item, Point p) {
  const Point local = Local(p, item.rect);
  switch (item.item->kind) {
    case LayoutKind::PushButton:
      return {HitKind::Button, item.item->id, 0, -1, item.enabled, local};
    case LayoutKind::UserArea:
      return {HitKind::UserArea, item.item->id, 0, -1, item.enabled, local};
    case LayoutKind::CustomGadget:
      return {HitKind::Gadget, item.item->id, 0, -1, item.enabled, local};
    case LayoutKind::TabGroup:
      for (const TabHeader& tab : item.tabs)
        if (tab.rect.Contains(p))
          return {HitKind::TabHeader, tab.tab->id, item.item->id, -1, item.enabled && tab.tab->enabled,
                  Local(p, tab.rect)};
      return {};
    default:
      return {};
  }
}

}  // namespace

Hit HitTest(const WindowGeometry& g, Point p) {
  if (g.openMenu >= 0 && g.dropdown.Contains(p)) return MenuHit(g, p);
  for (std::size_t i = 0; i < g.menuTitles.size(); ++i)
    if (g.menuTitles[i].Contains(p))
      return {HitKind::MenuTitle, 0, 0, static_cast<int>(i), true, Local(p, g.menuTitles[i])};
  Hit found;
  for (const ItemGeometry& item : g.items) {
    if (!item.visible || !item.clip.Contains(p)) continue;
    if (const Hit hit = ItemHit(item, p); hit.kind != HitKind::None) found = hit;
  }
  return found;
}

}  // namespace host
