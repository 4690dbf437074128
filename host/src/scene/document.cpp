#include "scene/document.h"

#include "scene/scenenode.h"

namespace scn {

Document::~Document() {
  objects.Clear();
  materials.Clear();
}

}  // namespace scn

namespace host {
namespace {
void Collect(const NodeList& list, std::vector<scn::SceneNode*>& out) {
  for (scn::SceneNode* n = list.First(); n; n = list.After(*n)) {
    out.push_back(n);
    Collect(n->children, out);
  }
}
}  // namespace

std::vector<scn::SceneNode*> ObjectsDepthFirst(const scn::Document& doc) {
  std::vector<scn::SceneNode*> out;
  Collect(doc.objects, out);
  return out;
}

}  // namespace host
