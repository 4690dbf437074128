#include "ui/windowgeometry.h"

namespace host {

const ItemGeometry* WindowGeometry::Find(scn::Int32 id) const {
  for (const ItemGeometry& g : items)
    if (g.item->id == id) return &g;
  return nullptr;
}

const ItemGeometry* WindowGeometry::Find(const LayoutItem* item) const {
  for (const ItemGeometry& g : items)
    if (g.item == item) return &g;
  return nullptr;
}

}  // namespace host
