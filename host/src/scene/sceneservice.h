// Scene services: documents, nodes, links, evaluation.
#pragma once

#include <memory>

#include "scn/handles.h"
#include "scn/tables.h"

namespace host {

class Host;

class SceneService {
 public:
  explicit SceneService(Host& host);
  ~SceneService();

  // Null until the scene table exists.
  const scn::SceneTable* Table() const;

  // A new node of a registered plug-in type (allocator, InitNodeData); null when the type is unknown or
  // allocation or initialisation fails.
  scn::SceneNode* CreatePluginNode(scn::Int32 type, scn::NodeAllocator alloc);
  // ReleaseNodeData, then the plug-in data is destroyed and freed.
  void FreeNode(scn::SceneNode* node);

 private:
  Host& host_;
  scn::Int64 nextId_ = 1;
};

}  // namespace host
