// Object records: a polygon object with its name, matrix, points, polygons and its UVW and Phong tags,
// as plug-ins store meshes inside their scene records.
//
//   Int32 version (1), String name, Matrix local matrix,
//   Int32 point count, that many Vector,
//   Int32 polygon count, that many times four Int32 corners,
//   Int32 tag count, per tag: Int32 type; a UVW tag then Int32 entry count and four Vector per entry.
#pragma once

#include <memory>

#include "scn/tables.h"

namespace host {

class SceneService;

// False for an object that is no polygon object, or when the record fails.
bool WriteObjectRecord(const scn::RecordTable& records, scn::RecordFile* rf, const scn::SceneNode& object);
// A new polygon object, not inserted; null when the record fails or is malformed (another version, a
// negative count, a corner outside the points, a tag of another type).
std::unique_ptr<scn::SceneNode> ReadObjectRecord(SceneService& scene, const scn::RecordTable& records,
                                                 scn::RecordFile* rf);

}  // namespace host
