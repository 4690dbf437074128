#include "scene/objectrecord.h"

#include "animation/graphrecord.h"
#include "animation/nodegraph.h"
#include "animation/poserecord.h"
#include "animation/trackrecord.h"
#include "scene/geometryrecord.h"
#include "scene/parameterrecord.h"
#include "scene/scenenode.h"
#include "scene/sceneservice.h"

namespace host {
namespace {

constexpr scn::Int32 kVersion1 = 1;
constexpr scn::Int32 kVersion2 = 2;

bool Writes(const scn::SceneNode& tag) {
  return !tag.nodeData && (tag.type == scn::kTagUVW || tag.type == scn::kTagPhong ||
                           tag.type == scn::kTagNodeGraph || tag.type == scn::kTagPoseMorph);
}

bool IsHostObjectType(scn::Int32 type) {
  auto hostType = FindHostType(type);
  return hostType && hostType->kind == NodeKind::Object;
}

bool WriteTag(const scn::RecordTable& r, scn::RecordFile* rf, const scn::SceneNode& tag) {
  if (!r.WriteInt32(rf, tag.type) || !r.WriteString(rf, tag.name) || !WriteParameters(r, rf, tag.data))
    return false;
  if (tag.type == scn::kTagUVW && !WriteUVWEntries(r, rf, tag)) return false;
  if (tag.master && !WriteGraph(r, rf, *tag.master)) return false;
  if (tag.poses && !WritePoses(r, rf, *tag.poses)) return false;
  return WriteTracks(r, rf, tag.tracks);
}

template <typename Pick>
scn::Int32 Count(const NodeList& list, Pick pick) {
  scn::Int32 count = 0;
  for (scn::SceneNode* n = list.First(); n; n = list.After(*n)) count += pick(*n) ? 1 : 0;
  return count;
}

bool WriteObject(const scn::RecordTable& r, scn::RecordFile* rf, const scn::SceneNode& object, int depth) {
  if (depth > kObjectRecordDepth) return false;
  if (!r.WriteInt32(rf, object.type) || !r.WriteString(rf, object.name) ||
      !r.WriteMatrix(rf, object.matrix) || !WriteParameters(r, rf, object.data))
    return false;
  if (object.IsPolygonObject() && (!WritePoints(r, rf, object) || !WritePolygons(r, rf, object)))
    return false;
  if (!r.WriteInt32(rf, Count(object.tags, Writes))) return false;
  for (scn::SceneNode* t = object.tags.First(); t; t = object.tags.After(*t))
    if (Writes(*t) && !WriteTag(r, rf, *t)) return false;
  if (!WriteTracks(r, rf, object.tracks)) return false;
  auto isHostObject = [](const scn::SceneNode& n) { return !n.nodeData; };
  if (!r.WriteInt32(rf, Count(object.children, isHostObject))) return false;
  for (scn::SceneNode* c = object.children.First(); c; c = object.children.After(*c))
    if (isHostObject(*c) && !WriteObject(r, rf, *c, depth + 1)) return false;
  return true;
}

bool ReadNodeTracks(const scn::RecordTable& r, scn::RecordFile* rf, scn::SceneNode& node) {
  std::vector<TrackData> tracks;
  return ReadTracks(r, rf, &tracks) && node.tracks.Restore(tracks);
}

std::unique_ptr<scn::SceneNode> ReadTag(SceneService& scene, const scn::RecordTable& r, scn::RecordFile* rf) {
  scn::Int32 type = 0;
  if (!r.ReadInt32(rf, &type)) return nullptr;
  if (type != scn::kTagUVW && type != scn::kTagPhong && type != scn::kTagNodeGraph &&
      type != scn::kTagPoseMorph)
    return nullptr;
  auto tag = scene.factory().Make(NodeKind::Tag, type);
  if (!tag || !r.ReadString(rf, &tag->name) || !ReadParameters(r, rf, &tag->data)) return nullptr;
  if (type == scn::kTagUVW && !ReadUVWEntries(r, rf, *tag)) return nullptr;
  if (tag->master && !ReadGraph(r, rf, scene.factory(), tag->master.get())) return nullptr;
  if (tag->poses && !ReadPoses(r, rf, tag->poses.get())) return nullptr;
  if (!ReadNodeTracks(r, rf, *tag)) return nullptr;
  return tag;
}

std::unique_ptr<scn::SceneNode> ReadObject(SceneService& scene, const scn::RecordTable& r,
                                           scn::RecordFile* rf, int depth) {
  scn::Int32 type = 0;
  if (depth > kObjectRecordDepth || !r.ReadInt32(rf, &type) || !IsHostObjectType(type)) return nullptr;
  auto object = scene.factory().Make(NodeKind::Object, type);
  if (!object || !r.ReadString(rf, &object->name) || !r.ReadMatrix(rf, &object->matrix) ||
      !ReadParameters(r, rf, &object->data))
    return nullptr;
  if (object->IsPolygonObject() && (!ReadPoints(r, rf, *object) || !ReadPolygons(r, rf, *object)))
    return nullptr;
  scn::Int32 tagCount = 0;
  if (!ReadRecordCount(r, rf, &tagCount)) return nullptr;
  for (scn::Int32 i = 0; i < tagCount; ++i) {
    auto tag = ReadTag(scene, r, rf);
    if (!tag) return nullptr;
    object->tags.Append(std::move(tag));
  }
  scn::Int32 childCount = 0;
  if (!ReadNodeTracks(r, rf, *object) || !ReadRecordCount(r, rf, &childCount)) return nullptr;
  for (scn::Int32 i = 0; i < childCount; ++i) {
    auto child = ReadObject(scene, r, rf, depth + 1);
    if (!child) return nullptr;
    object->children.Append(std::move(child));
  }
  return object;
}

}  // namespace

bool WriteObjectRecord(const scn::RecordTable& r, scn::RecordFile* rf, const scn::SceneNode& object) {
  if (object.kind != NodeKind::Object || object.nodeData) return false;
  return r.WriteInt32(rf, kVersion2) && WriteObject(r, rf, object, 0);
}

std::unique_ptr<scn::SceneNode> ReadObjectRecord(SceneService& scene, const scn::RecordTable& r,
                                                 scn::RecordFile* rf) {
  scn::Int32 version = 0;
  if (!r.ReadInt32(rf, &version)) return nullptr;
  if (version == kVersion1) return ReadObjectRecordV1(scene, r, rf);
  if (version == kVersion2) return ReadObject(scene, r, rf, 0);
  return nullptr;
}

}  // namespace host
