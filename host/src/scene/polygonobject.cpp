#include "scene/polygonobject.h"

#include <exception>

#include "scene/scenenode.h"

namespace host {

bool ResizePolygonObject(scn::SceneNode& object, scn::Int32 pointCount, scn::Int32 polygonCount) {
  if (pointCount < 0 || polygonCount < 0) return false;
  // Both sizes change or neither: grow into copies first.
  try {
    std::vector<scn::Vector> points = object.points;
    std::vector<scn::Polygon> polygons = object.polygons;
    points.resize(static_cast<std::size_t>(pointCount));
    polygons.resize(static_cast<std::size_t>(polygonCount));
    object.points = std::move(points);
    object.polygons = std::move(polygons);
  } catch (const std::exception&) {
    return false;
  }
  return true;
}

bool ResizeUVW(scn::SceneNode& tag, scn::Int32 count) {
  if (count < 0) return false;
  try {
    tag.uvw.resize(static_cast<std::size_t>(count));
  } catch (const std::exception&) {
    return false;
  }
  return true;
}

}  // namespace host
