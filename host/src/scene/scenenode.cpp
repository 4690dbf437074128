#include "scene/scenenode.h"

#include "animation/nodegraph.h"
#include "animation/posemorph.h"
#include "scene/sceneservice.h"

namespace scn {

SceneNode::SceneNode(host::SceneService& s, host::NodeKind k, Int32 t)
    : service(s), id(host::NodeIndex::NextId()), kind(k), type(t) {
  service.nodes().Add(this);
}

SceneNode::~SceneNode() {
  Release();
  service.nodes().Remove(this);
}

void SceneNode::Release() {
  if (freeing) return;
  freeing = true;
  tags.Clear();
  children.Clear();
  shaders.Clear();
  if (master) master->nodes.Clear();
  tracks.Clear();
  service.ReleasePluginData(*this);
}

Document* SceneNode::Doc() const {
  const SceneNode* n = this;
  while (n->list) {
    if (Document* doc = n->list->Document()) return doc;
    n = n->list->Owner();
  }
  return nullptr;
}

}  // namespace scn
