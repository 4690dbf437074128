#include "animation/track.h"

#include <algorithm>
#include <cmath>

#include "animation/timevalue.h"
#include "scene/scenenode.h"
#include "scene/sceneservice.h"

namespace host {
namespace {
bool Before(const scn::AnimKey& key, scn::TimeValue time) {
  return CompareTimes(key.time, time) < 0;
}
}  // namespace

void SetKey(std::vector<scn::AnimKey>& keys, scn::TimeValue time, scn::Float64 value) {
  time = ReduceTime(time);
  auto at = std::lower_bound(keys.begin(), keys.end(), time, Before);
  if (at != keys.end() && CompareTimes(at->time, time) == 0) {
    at->value = value;
    return;
  }
  keys.insert(at, scn::AnimKey{time, value});
}

std::optional<scn::Float64> EvaluateKeys(const std::vector<scn::AnimKey>& keys, scn::TimeValue time) {
  if (keys.empty()) return std::nullopt;
  auto after = std::lower_bound(keys.begin(), keys.end(), time, Before);
  if (after == keys.begin()) return keys.front().value;
  if (after == keys.end()) return keys.back().value;
  if (CompareTimes(after->time, time) == 0) return after->value;
  const scn::AnimKey& before = *(after - 1);
  const double t0 = Seconds(before.time), t1 = Seconds(after->time);
  const double f = (Seconds(time) - t0) / (t1 - t0);
  return before.value + (after->value - before.value) * f;
}

bool KeysWellFormed(const std::vector<scn::AnimKey>& keys) {
  for (std::size_t i = 0; i < keys.size(); ++i) {
    if (keys[i].time.denominator < 1 || !std::isfinite(keys[i].value)) return false;
    if (i > 0 && CompareTimes(keys[i - 1].time, keys[i].time) >= 0) return false;
  }
  return true;
}

}  // namespace host

namespace scn {

AnimTrack::AnimTrack(SceneNode& n, Int32 paramId, Int32 paramSubId)
    : node(n), id(host::NodeIndex::NextId()), data{paramId, paramSubId, {}} {
  node.service.animation().tracks.Add(this);
}

AnimTrack::~AnimTrack() {
  node.service.animation().tracks.Remove(this);
}

}  // namespace scn
