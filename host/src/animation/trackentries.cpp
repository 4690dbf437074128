// Animation table: tracks and keys.
#include <cmath>

#include "animation/animationentries.h"
#include "animation/track.h"
#include "core/host.h"
#include "scene/scenenode.h"
#include "scene/sceneservice.h"
#include "scene/scenetable.h"

namespace host {
namespace {
using namespace entry;

scn::AnimTrack* CreateTrack(scn::SceneNode* node, scn::Int32 id, scn::Int32 subId) {
  scn::SceneNode* n = Node("CreateTrack", node);
  if (!n) return nullptr;
  if (n->freeing) {
    Misbehaving("CreateTrack on a node that is being freed");
    return nullptr;
  }
  scn::AnimTrack* track = n->tracks.Create(id, subId);
  if (!track)
    n->service.host().diagnostics().Output("CreateTrack: the node \"" + n->name + "\" has a track of " +
                                           std::to_string(id) + "/" + std::to_string(subId) + " already");
  return track;
}

bool CheckTime(const char* call, scn::TimeValue time) {
  if (time.denominator >= 1) return true;
  Misbehaving(std::string(call) + " with a time whose denominator is below 1");
  return false;
}

scn::Bool SetKeyEntry(scn::AnimTrack* track, scn::TimeValue time, scn::Float64 value) {
  scn::AnimTrack* t = Track("SetKey", track);
  if (!t || !CheckTime("SetKey", time)) return false;
  if (!std::isfinite(value)) {
    Misbehaving("SetKey with a value that is not finite");
    return false;
  }
  SetKey(t->data.keys, time, value);
  return true;
}

// A track and a key index inside its keys, or null (reported).
scn::AnimTrack* KeyAt(const char* call, const scn::AnimTrack* track, scn::Int32 index) {
  scn::AnimTrack* t = Track(call, track);
  if (!t) return nullptr;
  if (index < 0 || static_cast<std::size_t>(index) >= t->data.keys.size()) {
    Misbehaving(std::string(call) + " with index " + std::to_string(index) + " of " +
                std::to_string(t->data.keys.size()) + " keys");
    return nullptr;
  }
  return t;
}

scn::Bool GetKey(const scn::AnimTrack* track, scn::Int32 index, scn::AnimKey* key) {
  scn::AnimTrack* t = KeyAt("GetKey", track, index);
  if (!t) return false;
  if (!key) {
    Misbehaving("GetKey without a key to fill");
    return false;
  }
  *key = t->data.keys[static_cast<std::size_t>(index)];
  return true;
}

scn::Bool EvaluateTrack(const scn::AnimTrack* track, scn::TimeValue time, scn::Float64* value) {
  scn::AnimTrack* t = Track("EvaluateTrack", track);
  if (!t || !CheckTime("EvaluateTrack", time)) return false;
  if (!value) {
    Misbehaving("EvaluateTrack without a value to fill");
    return false;
  }
  auto v = EvaluateKeys(t->data.keys, time);
  if (!v) return false;
  *value = *v;
  return true;
}

}  // namespace

void FillTrackEntries(scn::AnimationTable& t) {
  t.FindTrack = [](scn::SceneNode* node, scn::Int32 id, scn::Int32 subId) -> scn::AnimTrack* {
    scn::SceneNode* n = Node("FindTrack", node);
    return n ? n->tracks.Find(id, subId) : nullptr;
  };
  t.CreateTrack = CreateTrack;
  t.FreeTrack = [](scn::AnimTrack* track) {
    if (!track) return;
    if (scn::AnimTrack* tr = Track("FreeTrack", track)) tr->node.tracks.Free(*tr);
  };
  t.GetFirstTrack = [](scn::SceneNode* node) -> scn::AnimTrack* {
    scn::SceneNode* n = Node("GetFirstTrack", node);
    return n ? n->tracks.First() : nullptr;
  };
  t.GetNextTrack = [](const scn::AnimTrack* track) -> scn::AnimTrack* {
    scn::AnimTrack* tr = Track("GetNextTrack", track);
    return tr ? tr->node.tracks.After(*tr) : nullptr;
  };
  t.GetTrackAddress = [](const scn::AnimTrack* track, scn::Int32* id, scn::Int32* subId) -> scn::Bool {
    scn::AnimTrack* tr = Track("GetTrackAddress", track);
    if (!tr) return false;
    if (id) *id = tr->data.id;
    if (subId) *subId = tr->data.subId;
    return true;
  };
  t.GetTrackNode = [](const scn::AnimTrack* track) -> scn::SceneNode* {
    scn::AnimTrack* tr = Track("GetTrackNode", track);
    return tr ? &tr->node : nullptr;
  };
  t.GetKeyCount = [](const scn::AnimTrack* track) -> scn::Int32 {
    scn::AnimTrack* tr = Track("GetKeyCount", track);
    return tr ? static_cast<scn::Int32>(tr->data.keys.size()) : 0;
  };
  t.SetKey = SetKeyEntry;
  t.GetKey = GetKey;
  t.RemoveKey = [](scn::AnimTrack* track, scn::Int32 index) -> scn::Bool {
    scn::AnimTrack* tr = KeyAt("RemoveKey", track, index);
    if (!tr) return false;
    tr->data.keys.erase(tr->data.keys.begin() + index);
    return true;
  };
  t.RemoveAllTracks = [](scn::SceneNode* node) {
    if (scn::SceneNode* n = Node("RemoveAllTracks", node)) n->tracks.Clear();
  };
  t.EvaluateTrack = EvaluateTrack;
}

}  // namespace host
