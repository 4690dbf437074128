// Object records of version 1: a polygon object with its UVW and Phong tags.
#include "scene/geometryrecord.h"
#include "scene/objectrecord.h"
#include "scene/scenenode.h"
#include "scene/sceneservice.h"

namespace host {
namespace {

bool ReadTagsV1(SceneService& scene, const scn::RecordTable& r, scn::RecordFile* rf, scn::SceneNode& object) {
  scn::Int32 count = 0;
  if (!ReadRecordCount(r, rf, &count)) return false;
  for (scn::Int32 i = 0; i < count; ++i) {
    scn::Int32 type = 0;
    if (!r.ReadInt32(rf, &type) || (type != scn::kTagUVW && type != scn::kTagPhong)) return false;
    auto tag = scene.factory().Make(NodeKind::Tag, type);
    if (!tag) return false;
    if (type == scn::kTagUVW && !ReadUVWEntries(r, rf, *tag)) return false;
    object.tags.Append(std::move(tag));
  }
  return true;
}

}  // namespace

std::unique_ptr<scn::SceneNode> ReadObjectRecordV1(SceneService& scene, const scn::RecordTable& r,
                                                   scn::RecordFile* rf) {
  auto object = scene.factory().Make(NodeKind::Object, scn::kTypePolygonObject);
  if (!object) return nullptr;
  if (!r.ReadString(rf, &object->name) || !r.ReadMatrix(rf, &object->matrix)) return nullptr;
  if (!ReadPoints(r, rf, *object) || !ReadPolygons(r, rf, *object) || !ReadTagsV1(scene, r, rf, *object))
    return nullptr;
  return object;
}

}  // namespace host
