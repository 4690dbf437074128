#include "scene/nodelist.h"

#include <iterator>

#include "scene/scenenode.h"

namespace host {

NodeList::NodeList(scn::SceneNode* owner) : owner_(owner) {}
NodeList::NodeList(scn::Document* document) : document_(document) {}
NodeList::~NodeList() {
  Clear();
}

scn::SceneNode* NodeList::First() const {
  return slots_.empty() ? nullptr : slots_.front().get();
}

scn::SceneNode* NodeList::After(const scn::SceneNode& node) const {
  auto next = std::next(node.position);
  return next == slots_.end() ? nullptr : next->get();
}

scn::SceneNode* NodeList::Append(std::unique_ptr<scn::SceneNode> node) {
  scn::SceneNode* raw = node.get();
  raw->position = slots_.insert(slots_.end(), std::move(node));
  raw->list = this;
  return raw;
}

std::unique_ptr<scn::SceneNode> NodeList::Take(scn::SceneNode& node) {
  std::unique_ptr<scn::SceneNode> owned = std::move(*node.position);
  slots_.erase(node.position);
  node.list = nullptr;
  node.position = {};
  return owned;
}

void NodeList::Clear() {
  while (!slots_.empty()) {
    scn::SceneNode& node = *slots_.front();
    node.Release();
    // The release may have freed other nodes of this list, never this one (it is being freed).
    Take(node).reset();
  }
}

}  // namespace host
