#include "ui/inputrouter.h"

namespace host {

Hit InputRouter::Route(const WindowGeometry& geometry, const MouseEvent& event) {
  const Hit hit = HitTest(geometry, event.position);
  if (hit.kind == HitKind::UserArea)
    focus_ = hit.id;
  else
    focus_.reset();
  return hit;
}

Hit InputRouter::Route(const WindowGeometry& geometry, const KeyEvent&) {
  if (!focus_) return {};
  for (const ItemGeometry& item : geometry.items) {
    if (item.item->kind != LayoutKind::UserArea || item.item->id != *focus_) continue;
    if (!item.visible) return {};
    return {HitKind::UserArea, item.item->id, 0, -1, item.enabled, {}};
  }
  return {};
}

Hit InputRouter::Route(const WindowGeometry& geometry, const DropEvent& event) {
  return HitTest(geometry, event.position);
}

Hit InputRouter::Route(const WindowGeometry& geometry, const PointerEvent& event) {
  if (!event.position) return {};
  return HitTest(geometry, *event.position);
}

Hit InputRouter::Route(const WindowGeometry&, const CloseEvent&) {
  return {};
}

Hit InputRouter::Route(const WindowGeometry& geometry, const InputEvent& event) {
  return std::visit([&](const auto& e) { return Route(geometry, e); }, event);
}

}  // namespace host
