#include "scene/prioritylist.h"

#include <algorithm>

#include "scene/scenenode.h"

namespace host {

void PriorityList::Ask(scn::SceneNode& tag, const scn::SceneNode& object) {
  // Ids, not the nodes: the slot may free either.
  const scn::Int64 tagId = tag.id;
  const std::size_t before = entries_.size();
  asking_ = &tag;
  objectId_ = object.id;
  // The answer changes nothing: what the slot added counts.
  static_cast<scn::TagData*>(tag.nodeData)->AddToPriorityList(&tag);
  asking_ = nullptr;
  if (entries_.size() == before) entries_.push_back({scn::kTagPriorityDefault, 0, tagId, objectId_});
}

void PriorityList::AddHostTag(const scn::SceneNode& tag, const scn::SceneNode& object, scn::Int32 priority) {
  entries_.push_back({priority, 0, tag.id, object.id});
}

bool PriorityList::Add(const scn::SceneNode& tag, scn::Int32 priority, scn::Int32 flags) {
  if (&tag != asking_) return false;
  entries_.push_back({priority, flags, tag.id, objectId_});
  return true;
}

std::vector<PriorityEntry> PriorityList::InOrder() const {
  std::vector<PriorityEntry> sorted = entries_;
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](const PriorityEntry& a, const PriorityEntry& b) { return a.priority < b.priority; });
  return sorted;
}

void PriorityList::Clear() {
  entries_.clear();
  asking_ = nullptr;
  objectId_ = 0;
}

}  // namespace host
