#include "scene/objectrecord.h"

#include "scene/scenenode.h"
#include "scene/sceneservice.h"

namespace host {
namespace {

constexpr scn::Int32 kObjectRecordVersion = 1;

bool Writes(scn::SceneNode* tag) {
  return tag->type == scn::kTagUVW || tag->type == scn::kTagPhong;
}

bool WritePolygon(const scn::RecordTable& r, scn::RecordFile* rf, const scn::Polygon& p) {
  return r.WriteInt32(rf, p.a) && r.WriteInt32(rf, p.b) && r.WriteInt32(rf, p.c) && r.WriteInt32(rf, p.d);
}

bool WriteUVW(const scn::RecordTable& r, scn::RecordFile* rf, const scn::UVWPolygon& u) {
  return r.WriteVector(rf, u.a) && r.WriteVector(rf, u.b) && r.WriteVector(rf, u.c) && r.WriteVector(rf, u.d);
}

bool WriteTags(const scn::RecordTable& r, scn::RecordFile* rf, const scn::SceneNode& object) {
  scn::Int32 count = 0;
  for (scn::SceneNode* t = object.tags.First(); t; t = object.tags.After(*t)) count += Writes(t) ? 1 : 0;
  if (!r.WriteInt32(rf, count)) return false;
  for (scn::SceneNode* t = object.tags.First(); t; t = object.tags.After(*t)) {
    if (!Writes(t)) continue;
    if (!r.WriteInt32(rf, t->type)) return false;
    if (t->type != scn::kTagUVW) continue;
    if (!r.WriteInt32(rf, static_cast<scn::Int32>(t->uvw.size()))) return false;
    for (const scn::UVWPolygon& u : t->uvw)
      if (!WriteUVW(r, rf, u)) return false;
  }
  return true;
}

// Counts come from the record: values are read one by one, so a short record fails before a large
// count has allocated anything.
bool ReadCount(const scn::RecordTable& r, scn::RecordFile* rf, scn::Int32* count) {
  return r.ReadInt32(rf, count) && *count >= 0;
}

bool ReadPoints(const scn::RecordTable& r, scn::RecordFile* rf, scn::SceneNode& object) {
  scn::Int32 count = 0;
  if (!ReadCount(r, rf, &count)) return false;
  for (scn::Int32 i = 0; i < count; ++i) {
    scn::Vector p;
    if (!r.ReadVector(rf, &p)) return false;
    object.points.push_back(p);
  }
  return true;
}

bool ReadPolygons(const scn::RecordTable& r, scn::RecordFile* rf, scn::SceneNode& object) {
  scn::Int32 count = 0;
  if (!ReadCount(r, rf, &count)) return false;
  const auto pointCount = static_cast<scn::Int32>(object.points.size());
  auto inside = [pointCount](scn::Int32 corner) { return corner >= 0 && corner < pointCount; };
  for (scn::Int32 i = 0; i < count; ++i) {
    scn::Polygon p;
    if (!r.ReadInt32(rf, &p.a) || !r.ReadInt32(rf, &p.b) || !r.ReadInt32(rf, &p.c) || !r.ReadInt32(rf, &p.d))
      return false;
    if (!inside(p.a) || !inside(p.b) || !inside(p.c) || !inside(p.d)) return false;
    object.polygons.push_back(p);
  }
  return true;
}

bool ReadUVW(const scn::RecordTable& r, scn::RecordFile* rf, scn::SceneNode& tag) {
  scn::Int32 count = 0;
  if (!ReadCount(r, rf, &count)) return false;
  for (scn::Int32 i = 0; i < count; ++i) {
    scn::UVWPolygon u;
    if (!r.ReadVector(rf, &u.a) || !r.ReadVector(rf, &u.b) || !r.ReadVector(rf, &u.c) ||
        !r.ReadVector(rf, &u.d))
      return false;
    tag.uvw.push_back(u);
  }
  return true;
}

bool ReadTags(SceneService& scene, const scn::RecordTable& r, scn::RecordFile* rf, scn::SceneNode& object) {
  scn::Int32 count = 0;
  if (!ReadCount(r, rf, &count)) return false;
  for (scn::Int32 i = 0; i < count; ++i) {
    scn::Int32 type = 0;
    if (!r.ReadInt32(rf, &type) || (type != scn::kTagUVW && type != scn::kTagPhong)) return false;
    auto tag = std::make_unique<scn::SceneNode>(scene, NodeKind::Tag, type);
    tag->name = FindHostType(type)->name;
    if (type == scn::kTagUVW && !ReadUVW(r, rf, *tag)) return false;
    object.tags.Append(std::move(tag));
  }
  return true;
}

}  // namespace

bool WriteObjectRecord(const scn::RecordTable& r, scn::RecordFile* rf, const scn::SceneNode& object) {
  if (!object.IsPolygonObject()) return false;
  if (!r.WriteInt32(rf, kObjectRecordVersion) || !r.WriteString(rf, object.name) ||
      !r.WriteMatrix(rf, object.matrix))
    return false;
  if (!r.WriteInt32(rf, static_cast<scn::Int32>(object.points.size()))) return false;
  for (const scn::Vector& p : object.points)
    if (!r.WriteVector(rf, p)) return false;
  if (!r.WriteInt32(rf, static_cast<scn::Int32>(object.polygons.size()))) return false;
  for (const scn::Polygon& p : object.polygons)
    if (!WritePolygon(r, rf, p)) return false;
  return WriteTags(r, rf, object);
}

std::unique_ptr<scn::SceneNode> ReadObjectRecord(SceneService& scene, const scn::RecordTable& r,
                                                 scn::RecordFile* rf) {
  scn::Int32 version = 0;
  if (!r.ReadInt32(rf, &version) || version != kObjectRecordVersion) return nullptr;
  auto object = std::make_unique<scn::SceneNode>(scene, NodeKind::Object, scn::kTypePolygonObject);
  if (!r.ReadString(rf, &object->name) || !r.ReadMatrix(rf, &object->matrix)) return nullptr;
  if (!ReadPoints(r, rf, *object) || !ReadPolygons(r, rf, *object) || !ReadTags(scene, r, rf, *object))
    return nullptr;
  return object;
}

}  // namespace host
