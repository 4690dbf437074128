// The checks of scenetable.h.
#include "core/host.h"
#include "scene/scenenode.h"
#include "scene/sceneservice.h"
#include "scene/scenetable.h"

namespace host::entry {

void Misbehaving(const std::string& what) {
  if (Host* h = Host::Current()) h->diagnostics().ReportMisbehaviour(what);
}

SceneService* Enter(const char* call) {
  Host* h = Host::Current();
  SceneService* scene = SceneService::Current();
  if (!h || !scene) return nullptr;
  return h->CheckMainThread(call) ? scene : nullptr;
}

scn::SceneNode* Node(const char* call, const scn::SceneNode* node) {
  SceneService* scene = Enter(call);
  if (!scene) return nullptr;
  if (!node) {
    Misbehaving(std::string(call) + " with a null node");
    return nullptr;
  }
  if (!scene->nodes().Contains(node)) {
    Misbehaving(std::string(call) + " with a node that is not alive");
    return nullptr;
  }
  return const_cast<scn::SceneNode*>(node);
}

scn::SceneNode* Node(const char* call, const scn::SceneNode* node, NodeKind kind) {
  scn::SceneNode* n = Node(call, node);
  if (n && n->kind != kind) {
    Misbehaving(std::string(call) + " with a " + KindName(n->kind) + " where a " + KindName(kind) +
                " belongs");
    return nullptr;
  }
  return n;
}

scn::Document* Doc(const char* call, const scn::Document* doc) {
  SceneService* scene = Enter(call);
  if (!scene) return nullptr;
  if (!doc) {
    Misbehaving(std::string(call) + " with a null document");
    return nullptr;
  }
  if (!scene->IsDocument(doc)) {
    Misbehaving(std::string(call) + " with an unknown document");
    return nullptr;
  }
  return const_cast<scn::Document*>(doc);
}

scn::NodeLink* Link(const char* call, const scn::NodeLink* link) {
  SceneService* scene = Enter(call);
  if (!scene) return nullptr;
  if (!link) {
    Misbehaving(std::string(call) + " with a null link");
    return nullptr;
  }
  if (!scene->links().Contains(link)) {
    Misbehaving(std::string(call) + " with a link the host did not hand out");
    return nullptr;
  }
  return const_cast<scn::NodeLink*>(link);
}

}  // namespace host::entry
