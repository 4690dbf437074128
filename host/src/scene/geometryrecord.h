// The geometry parts of object records: points, polygons and UVW entries, each an Int32 count and its
// values.
#pragma once

#include "scn/tables.h"

namespace host {

// A count of 0 or more. Values are read one by one, so a short record fails before a large count has
// allocated anything.
bool ReadRecordCount(const scn::RecordTable& records, scn::RecordFile* rf, scn::Int32* count);

bool WritePoints(const scn::RecordTable& records, scn::RecordFile* rf, const scn::SceneNode& object);
bool ReadPoints(const scn::RecordTable& records, scn::RecordFile* rf, scn::SceneNode& object);
// Four Int32 corners each; a corner outside the object's points fails the read.
bool WritePolygons(const scn::RecordTable& records, scn::RecordFile* rf, const scn::SceneNode& object);
bool ReadPolygons(const scn::RecordTable& records, scn::RecordFile* rf, scn::SceneNode& object);
// Four Vector each.
bool WriteUVWEntries(const scn::RecordTable& records, scn::RecordFile* rf, const scn::SceneNode& tag);
bool ReadUVWEntries(const scn::RecordTable& records, scn::RecordFile* rf, scn::SceneNode& tag);

}  // namespace host
