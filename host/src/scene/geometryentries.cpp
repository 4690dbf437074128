// Scene table: local matrices, polygon objects and UVW tags.
#include "scene/polygonobject.h"
#include "scene/scenenode.h"
#include "scene/sceneservice.h"
#include "scene/scenetable.h"

namespace host {
namespace {
using namespace entry;

// A polygon object, or null; a node of another type is no misbehaviour here, the answer says "none".
scn::SceneNode* PolygonObject(const char* call, const scn::SceneNode* object) {
  scn::SceneNode* n = Node(call, object);
  return n && n->IsPolygonObject() ? n : nullptr;
}

scn::SceneNode* UVWEntry(const char* call, const scn::SceneNode* tag, scn::Int32 index) {
  scn::SceneNode* n = Node(call, tag);
  if (!n || n->type != scn::kTagUVW) return nullptr;
  if (index < 0 || static_cast<std::size_t>(index) >= n->uvw.size()) {
    Misbehaving(std::string(call) + " with index " + std::to_string(index) + " of " +
                std::to_string(n->uvw.size()) + " entries");
    return nullptr;
  }
  return n;
}

}  // namespace

void FillGeometryEntries(scn::SceneTable& t) {
  t.GetLocalMatrix = [](const scn::SceneNode* object) {
    scn::SceneNode* o = Node("GetLocalMatrix", object, NodeKind::Object);
    return o ? o->matrix : scn::Matrix{};
  };
  t.SetLocalMatrix = [](scn::SceneNode* object, const scn::Matrix& m) {
    if (scn::SceneNode* o = Node("SetLocalMatrix", object, NodeKind::Object)) o->matrix = m;
  };

  t.GetPointCount = [](const scn::SceneNode* object) {
    scn::SceneNode* o = PolygonObject("GetPointCount", object);
    return o ? static_cast<scn::Int32>(o->points.size()) : 0;
  };
  t.GetPolygonCount = [](const scn::SceneNode* object) {
    scn::SceneNode* o = PolygonObject("GetPolygonCount", object);
    return o ? static_cast<scn::Int32>(o->polygons.size()) : 0;
  };
  // Null also for an object without points (or polygons).
  t.GetPointsW = [](scn::SceneNode* object) -> scn::Vector* {
    scn::SceneNode* o = PolygonObject("GetPointsW", object);
    return o && !o->points.empty() ? o->points.data() : nullptr;
  };
  t.GetPolygonsW = [](scn::SceneNode* object) -> scn::Polygon* {
    scn::SceneNode* o = PolygonObject("GetPolygonsW", object);
    return o && !o->polygons.empty() ? o->polygons.data() : nullptr;
  };
  t.ResizePolygonObject = [](scn::SceneNode* object, scn::Int32 pointCount, scn::Int32 polygonCount) {
    scn::SceneNode* o = PolygonObject("ResizePolygonObject", object);
    if (!o) return false;
    if (pointCount < 0 || polygonCount < 0) {
      Misbehaving("ResizePolygonObject with a negative count");
      return false;
    }
    return ResizePolygonObject(*o, pointCount, polygonCount);
  };

  t.GetUVWCount = [](const scn::SceneNode* tag) {
    scn::SceneNode* n = Node("GetUVWCount", tag);
    return n && n->type == scn::kTagUVW ? static_cast<scn::Int32>(n->uvw.size()) : 0;
  };
  // An index outside the entries is misbehaviour: the host's own tags have no guard there.
  t.SetUVW = [](scn::SceneNode* tag, scn::Int32 index, const scn::UVWPolygon& uvw) {
    scn::SceneNode* n = UVWEntry("SetUVW", tag, index);
    if (!n) return false;
    n->uvw[static_cast<std::size_t>(index)] = uvw;
    return true;
  };
  t.GetUVW = [](const scn::SceneNode* tag, scn::Int32 index, scn::UVWPolygon* uvw) {
    scn::SceneNode* n = UVWEntry("GetUVW", tag, index);
    if (!n) return false;
    if (!uvw) {
      Misbehaving("GetUVW without an entry to fill");
      return false;
    }
    *uvw = n->uvw[static_cast<std::size_t>(index)];
    return true;
  };
}

}  // namespace host
