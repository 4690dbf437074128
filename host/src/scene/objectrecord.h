// Object records: a host object with its name, matrix, parameters, geometry, tags, tracks and children, as
// plug-ins store meshes inside their scene records and scene files hold objects.
//
// Version 2, written:
//   Int32 version (2), then an object:
//   object = Int32 type, String name, Matrix local matrix, parameters,
//            polygon objects only: Int32 point count, that many Vector, Int32 polygon count, that many
//            times four Int32 corners;
//            Int32 tag count, that many tags, tracks, Int32 child count, that many objects
//   tag    = Int32 type, String name, parameters, then a UVW tag: Int32 entry count and four Vector per
//            entry; a node-graph tag: its graph (animation/graphrecord.h); a pose morph tag: its poses
//            (animation/poserecord.h); then tracks
//   parameters: scene/parameterrecord.h; tracks: animation/trackrecord.h
// Tags of the host types UVW, Phong, node graph and pose morph are written; texture tags (their material
// lies outside the record), plug-in tags and plug-in children are left out.
//
// Version 1, read: Int32 version (1), String name, Matrix, Int32 point count, that many Vector, Int32
// polygon count, that many times four Int32 corners, Int32 tag count, per tag: Int32 type (UVW or Phong);
// a UVW tag then Int32 entry count and four Vector per entry. It holds a polygon object.
#pragma once

#include <memory>

#include "scn/tables.h"

namespace host {

class SceneService;

// Children nest at most this deep in a record.
inline constexpr int kObjectRecordDepth = 256;

// False for a plug-in object, or when the record fails.
bool WriteObjectRecord(const scn::RecordTable& records, scn::RecordFile* rf, const scn::SceneNode& object);
// A new object, not inserted; null when the record fails or is malformed (another version, a type that is
// no host object or written tag type, a negative count, a corner outside the points, nesting too deep,
// malformed parameters, tracks, graph or poses).
std::unique_ptr<scn::SceneNode> ReadObjectRecord(SceneService& scene, const scn::RecordTable& records,
                                                 scn::RecordFile* rf);
// Version 1's object after its version number.
std::unique_ptr<scn::SceneNode> ReadObjectRecordV1(SceneService& scene, const scn::RecordTable& records,
                                                   scn::RecordFile* rf);

}  // namespace host
