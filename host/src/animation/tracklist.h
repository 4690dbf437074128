// A node's tracks, at most one per parameter address, in the order they were made.
#pragma once

#include <memory>
#include <vector>

#include "animation/track.h"

namespace host {

class TrackList {
 public:
  explicit TrackList(scn::SceneNode& node) : node_(node) {}
  TrackList(const TrackList&) = delete;
  TrackList& operator=(const TrackList&) = delete;

  scn::AnimTrack* Find(scn::Int32 id, scn::Int32 subId) const;
  // Null when the node has a track of that address already.
  scn::AnimTrack* Create(scn::Int32 id, scn::Int32 subId);
  // The track must be one of this list.
  void Free(const scn::AnimTrack& track);
  void Clear() { tracks_.clear(); }
  bool Empty() const { return tracks_.empty(); }
  scn::AnimTrack* First() const { return tracks_.empty() ? nullptr : tracks_.front().get(); }
  // Null after the last.
  scn::AnimTrack* After(const scn::AnimTrack& track) const;
  const std::vector<std::unique_ptr<scn::AnimTrack>>& All() const { return tracks_; }

  // Copies, undo and records: the tracks as data. Restore replaces every track (their handles end);
  // false, changing nothing, when two of them share an address.
  std::vector<TrackData> Snapshot() const;
  bool Restore(const std::vector<TrackData>& tracks);

 private:
  scn::SceneNode& node_;
  std::vector<std::unique_ptr<scn::AnimTrack>> tracks_;
};

}  // namespace host
