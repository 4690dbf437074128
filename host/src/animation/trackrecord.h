// A node's tracks in a record:
//   Int32 track count, then per track: Int32 id, Int32 sub id, Int32 key count, then per key: Int64
//   numerator, Int64 denominator (time in seconds), Float64 value.
#pragma once

#include <vector>

#include "animation/track.h"
#include "scn/tables.h"

namespace host {

class TrackList;

bool WriteTracks(const scn::RecordTable& records, scn::RecordFile* rf, const TrackList& tracks);
// False when the record fails or is malformed: a negative count, two tracks of one address, a denominator
// below 1, keys out of time order or at one time, a value that is not finite.
bool ReadTracks(const scn::RecordTable& records, scn::RecordFile* rf, std::vector<TrackData>* tracks);

}  // namespace host
