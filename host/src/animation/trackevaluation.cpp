#include "animation/trackevaluation.h"

#include <optional>
#include <vector>

#include "animation/channel.h"
#include "animation/transform.h"
#include "scene/document.h"
#include "scene/scenenode.h"
#include "scene/sceneservice.h"

namespace host {
namespace {

struct TrackValue {
  scn::Int32 id, subId;
  scn::Float64 value;
};

std::vector<scn::Int64> AnimatedNodes(const scn::Document& doc) {
  std::vector<scn::Int64> ids;
  for (scn::SceneNode* object : ObjectsDepthFirst(doc)) {
    if (!object->tracks.Empty()) ids.push_back(object->id);
    for (scn::SceneNode* t = object->tags.First(); t; t = object->tags.After(*t))
      if (!t->tracks.Empty()) ids.push_back(t->id);
  }
  return ids;
}

// Position, rotation and scale components into one matrix.
void WriteMatrix(scn::SceneNode& object, const std::vector<TrackValue>& values) {
  std::optional<Transform> t;
  for (const TrackValue& v : values) {
    if (!IsMatrixAddress(v.id) || v.subId < scn::kVectorX || v.subId > scn::kVectorZ) continue;
    if (!t) t = Decompose(object.matrix);
    scn::Vector& part = v.id == scn::kParamPosition   ? t->position
                        : v.id == scn::kParamRotation ? t->rotation
                                                      : t->scale;
    (v.subId == scn::kVectorX ? part.x : v.subId == scn::kVectorY ? part.y : part.z) = v.value;
  }
  if (t) object.matrix = Compose(*t);
}

}  // namespace

void ApplyTracks(SceneService& scene, scn::Document& doc) {
  for (scn::Int64 id : AnimatedNodes(doc)) {
    scn::SceneNode* node = scene.nodes().Find(id);
    if (!node || node->Doc() != &doc) continue;
    // Values first: the writes run plug-in hooks, which may change the tracks.
    std::vector<TrackValue> values;
    for (const auto& track : node->tracks.All())
      if (auto v = EvaluateKeys(track->data.keys, doc.time))
        values.push_back({track->data.id, track->data.subId, *v});
    if (node->kind == NodeKind::Object) WriteMatrix(*node, values);
    for (const TrackValue& v : values) {
      if (IsMatrixAddress(v.id) && node->kind == NodeKind::Object) continue;
      node = scene.nodes().Find(id);
      if (!node) break;
      WriteChannel(*node, v.id, v.subId, v.value);
    }
  }
}

}  // namespace host
