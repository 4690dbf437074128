// The tags of one evaluation, each at the priorities its AddToPriorityList slot asked for.
#pragma once

#include <vector>

#include "scn/handles.h"
#include "scn/types.h"

namespace host {

struct PriorityEntry {
  scn::Int32 priority = 0;
  scn::Int32 flags = 0;
  scn::Int64 tagId = 0;
  scn::Int64 objectId = 0;
};

class PriorityList {
 public:
  // Runs the tag's AddToPriorityList slot; while it runs, Add takes entries of that tag only. A slot that
  // adds nothing leaves one entry at kTagPriorityDefault.
  void Ask(scn::SceneNode& tag, const scn::SceneNode& object);
  // An entry of a host tag, which has no slot to ask.
  void AddHostTag(const scn::SceneNode& tag, const scn::SceneNode& object, scn::Int32 priority);
  // False when the host is not asking that tag.
  bool Add(const scn::SceneNode& tag, scn::Int32 priority, scn::Int32 flags);
  // Lowest priority first; equal priorities in the order they were added (hierarchy, then tag order).
  std::vector<PriorityEntry> InOrder() const;
  void Clear();

 private:
  std::vector<PriorityEntry> entries_;
  const scn::SceneNode* asking_ = nullptr;
  scn::Int64 objectId_ = 0;
};

}  // namespace host
