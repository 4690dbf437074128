// The checks of animationentries.h.
#include "animation/animationentries.h"
#include "scene/sceneservice.h"
#include "scene/scenetable.h"

namespace host::entry {
namespace {

template <typename T>
T* Live(const char* call, const T* handle, const char* what, HandleIndex<T> AnimationIndex::*index) {
  SceneService* scene = Enter(call);
  if (!scene) return nullptr;
  if (!handle) {
    Misbehaving(std::string(call) + " with a null " + what);
    return nullptr;
  }
  if (!(scene->animation().*index).Contains(handle)) {
    Misbehaving(std::string(call) + " with a " + what + " that is not alive");
    return nullptr;
  }
  return const_cast<T*>(handle);
}

}  // namespace

scn::AnimTrack* Track(const char* call, const scn::AnimTrack* track) {
  return Live(call, track, "track", &AnimationIndex::tracks);
}

scn::NodeMaster* Master(const char* call, const scn::NodeMaster* master) {
  return Live(call, master, "node master", &AnimationIndex::masters);
}

scn::GraphPort* Port(const char* call, const scn::GraphPort* port) {
  return Live(call, port, "port", &AnimationIndex::ports);
}

}  // namespace host::entry
