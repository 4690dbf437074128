#include "scene/nodeindex.h"

#include <atomic>

#include "scene/scenenode.h"

namespace host {

scn::Int64 NodeIndex::NextId() {
  static std::atomic<scn::Int64> next{1};
  return next++;
}

void NodeIndex::Add(scn::SceneNode* node) {
  byId_[node->id] = node;
  live_.insert(node);
}

void NodeIndex::Remove(const scn::SceneNode* node) {
  byId_.erase(node->id);
  live_.erase(node);
}

scn::SceneNode* NodeIndex::Find(scn::Int64 id) const {
  auto it = byId_.find(id);
  return it == byId_.end() ? nullptr : it->second;
}

scn::SceneNode* NodeIndex::AnyUninserted() const {
  scn::SceneNode* first = nullptr;
  for (const auto& [id, node] : byId_) {
    if (node->list || node->freeing) continue;
    if (!first || FreedBefore(*node, *first)) first = node;
  }
  return first;
}

bool NodeIndex::FreedBefore(const scn::SceneNode& a, const scn::SceneNode& b) {
  const bool aPlugin = a.nodeData != nullptr, bPlugin = b.nodeData != nullptr;
  if (aPlugin != bPlugin) return aPlugin;
  return a.id < b.id;
}

}  // namespace host
