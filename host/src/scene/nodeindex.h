// The live nodes, by id and by address: links resolve through it, and the table entries check every node
// they are handed against it.
#pragma once

#include <unordered_map>
#include <unordered_set>

#include "scn/handles.h"
#include "scn/types.h"

namespace host {

class NodeIndex {
 public:
  // A fresh id, never handed out before in this process, so a stale link never names a newer node.
  static scn::Int64 NextId();

  void Add(scn::SceneNode* node);
  void Remove(const scn::SceneNode* node);
  scn::SceneNode* Find(scn::Int64 id) const;
  bool Contains(const scn::SceneNode* node) const { return live_.count(node) != 0; }
  std::size_t Size() const { return byId_.size(); }
  // A live node that no list holds (the caller's), or null; plug-in nodes first, then the oldest, so
  // that freeing them in turn lets each plug-in node free the loose nodes it owns itself.
  scn::SceneNode* AnyUninserted() const;

 private:
  static bool FreedBefore(const scn::SceneNode& a, const scn::SceneNode& b);

  std::unordered_map<scn::Int64, scn::SceneNode*> byId_;
  std::unordered_set<const scn::SceneNode*> live_;
};

}  // namespace host
