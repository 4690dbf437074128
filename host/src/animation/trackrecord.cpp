#include "animation/trackrecord.h"

#include "animation/timevalue.h"
#include "animation/tracklist.h"
#include "scene/links.h"

namespace host {
namespace {

bool ReadKey(const scn::RecordTable& r, scn::RecordFile* rf, scn::AnimKey* key) {
  if (!ReadRecordInt64(r, rf, &key->time.numerator) || !ReadRecordInt64(r, rf, &key->time.denominator) ||
      !r.ReadFloat64(rf, &key->value))
    return false;
  if (key->time.denominator < 1) return false;
  key->time = ReduceTime(key->time);
  return true;
}

bool ReadTrack(const scn::RecordTable& r, scn::RecordFile* rf, TrackData* track) {
  scn::Int32 count = 0;
  if (!r.ReadInt32(rf, &track->id) || !r.ReadInt32(rf, &track->subId) || !r.ReadInt32(rf, &count) ||
      count < 0)
    return false;
  for (scn::Int32 i = 0; i < count; ++i) {
    scn::AnimKey key;
    if (!ReadKey(r, rf, &key)) return false;
    track->keys.push_back(key);
  }
  return KeysWellFormed(track->keys);
}

}  // namespace

bool WriteTracks(const scn::RecordTable& r, scn::RecordFile* rf, const TrackList& tracks) {
  if (!r.WriteInt32(rf, static_cast<scn::Int32>(tracks.All().size()))) return false;
  for (const auto& track : tracks.All()) {
    const TrackData& t = track->data;
    if (!r.WriteInt32(rf, t.id) || !r.WriteInt32(rf, t.subId) ||
        !r.WriteInt32(rf, static_cast<scn::Int32>(t.keys.size())))
      return false;
    for (const scn::AnimKey& k : t.keys)
      if (!WriteRecordInt64(r, rf, k.time.numerator) || !WriteRecordInt64(r, rf, k.time.denominator) ||
          !r.WriteFloat64(rf, k.value))
        return false;
  }
  return true;
}

bool ReadTracks(const scn::RecordTable& r, scn::RecordFile* rf, std::vector<TrackData>* tracks) {
  scn::Int32 count = 0;
  if (!r.ReadInt32(rf, &count) || count < 0) return false;
  std::vector<TrackData> read;
  for (scn::Int32 i = 0; i < count; ++i) {
    TrackData track;
    if (!ReadTrack(r, rf, &track)) return false;
    for (const TrackData& other : read)
      if (other.id == track.id && other.subId == track.subId) return false;
    read.push_back(std::move(track));
  }
  *tracks = std::move(read);
  return true;
}

}  // namespace host
