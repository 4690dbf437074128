// An animation track: the keys of one parameter address of a node, sorted by time.
#pragma once

#include <optional>
#include <vector>

#include "scn/handles.h"
#include "scn/tables_animation.h"

namespace host {

// A track without its node: what copies, undo and records carry.
struct TrackData {
  scn::Int32 id = 0;
  scn::Int32 subId = 0;
  std::vector<scn::AnimKey> keys;  // times reduced, strictly ascending
};

// Puts the key in time order, replacing a key at an equal time; the time must have a denominator of 1 or
// more.
void SetKey(std::vector<scn::AnimKey>& keys, scn::TimeValue time, scn::Float64 value);
// Linear between keys, the end keys held outside them; nullopt without keys.
std::optional<scn::Float64> EvaluateKeys(const std::vector<scn::AnimKey>& keys, scn::TimeValue time);
// True when the times are strictly ascending with denominators of 1 or more and the values finite.
bool KeysWellFormed(const std::vector<scn::AnimKey>& keys);

}  // namespace host

namespace scn {

struct AnimTrack {
  // Enters the scene's index of live tracks.
  AnimTrack(SceneNode& node, Int32 id, Int32 subId);
  ~AnimTrack();
  AnimTrack(const AnimTrack&) = delete;
  AnimTrack& operator=(const AnimTrack&) = delete;

  SceneNode& node;
  const Int64 id;  // unique in the process
  host::TrackData data;
};

}  // namespace scn
