#include "scene/geometryrecord.h"

#include "scene/scenenode.h"

namespace host {

bool ReadRecordCount(const scn::RecordTable& r, scn::RecordFile* rf, scn::Int32* count) {
  return r.ReadInt32(rf, count) && *count >= 0;
}

bool WritePoints(const scn::RecordTable& r, scn::RecordFile* rf, const scn::SceneNode& object) {
  if (!r.WriteInt32(rf, static_cast<scn::Int32>(object.points.size()))) return false;
  for (const scn::Vector& p : object.points)
    if (!r.WriteVector(rf, p)) return false;
  return true;
}

bool ReadPoints(const scn::RecordTable& r, scn::RecordFile* rf, scn::SceneNode& object) {
  scn::Int32 count = 0;
  if (!ReadRecordCount(r, rf, &count)) return false;
  for (scn::Int32 i = 0; i < count; ++i) {
    scn::Vector p;
    if (!r.ReadVector(rf, &p)) return false;
    object.points.push_back(p);
  }
  return true;
}

bool WritePolygons(const scn::RecordTable& r, scn::RecordFile* rf, const scn::SceneNode& object) {
  if (!r.WriteInt32(rf, static_cast<scn::Int32>(object.polygons.size()))) return false;
  for (const scn::Polygon& p : object.polygons)
    if (!r.WriteInt32(rf, p.a) || !r.WriteInt32(rf, p.b) || !r.WriteInt32(rf, p.c) || !r.WriteInt32(rf, p.d))
      return false;
  return true;
}

bool ReadPolygons(const scn::RecordTable& r, scn::RecordFile* rf, scn::SceneNode& object) {
  scn::Int32 count = 0;
  if (!ReadRecordCount(r, rf, &count)) return false;
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

bool WriteUVWEntries(const scn::RecordTable& r, scn::RecordFile* rf, const scn::SceneNode& tag) {
  if (!r.WriteInt32(rf, static_cast<scn::Int32>(tag.uvw.size()))) return false;
  for (const scn::UVWPolygon& u : tag.uvw)
    if (!r.WriteVector(rf, u.a) || !r.WriteVector(rf, u.b) || !r.WriteVector(rf, u.c) ||
        !r.WriteVector(rf, u.d))
      return false;
  return true;
}

bool ReadUVWEntries(const scn::RecordTable& r, scn::RecordFile* rf, scn::SceneNode& tag) {
  scn::Int32 count = 0;
  if (!ReadRecordCount(r, rf, &count)) return false;
  for (scn::Int32 i = 0; i < count; ++i) {
    scn::UVWPolygon u;
    if (!r.ReadVector(rf, &u.a) || !r.ReadVector(rf, &u.b) || !r.ReadVector(rf, &u.c) ||
        !r.ReadVector(rf, &u.d))
      return false;
    tag.uvw.push_back(u);
  }
  return true;
}

}  // namespace host
