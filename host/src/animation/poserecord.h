// A pose morph tag's poses in a record (their strengths are parameters of the tag):
//   Int32 base point count, that many Vector, Int32 pose count, then per pose: String name and as many
//   Vector as the base has points.
#pragma once

#include "animation/posemorph.h"
#include "scn/tables.h"

namespace host {

bool WritePoses(const scn::RecordTable& records, scn::RecordFile* rf, const PoseSet& poses);
// False when the record fails or a count is negative.
bool ReadPoses(const scn::RecordTable& records, scn::RecordFile* rf, PoseSet* poses);

}  // namespace host
