// Making nodes: host types by number, plug-in types through their registration, and deep copies.
#pragma once

#include <memory>

#include "scene/nodelist.h"
#include "scene/nodetypes.h"
#include "scn/handles.h"
#include "scn/types.h"

namespace host {

class Host;
class SceneService;

class NodeFactory {
 public:
  NodeFactory(Host& host, SceneService& scene) : host_(host), scene_(scene) {}

  // A node of a host type or of a plug-in type registered for that kind; null (with a diagnostic line)
  // for an unknown type or when the plug-in's allocator or InitNodeData fails.
  std::unique_ptr<scn::SceneNode> Make(NodeKind kind, scn::Int32 type);
  // The plug-in's allocator, then InitNodeData; null when either fails.
  std::unique_ptr<scn::SceneNode> MakePlugin(NodeKind kind, scn::Int32 type, scn::NodeAllocator alloc);
  // A deep copy: container, matrix, points, polygons, UVW entries, tags, children, shaders, tracks, poses
  // and graphs (connections inside the copy are made again between the copied ports). Plug-in
  // nodes get new data from their registration's allocator, InitNodeData, then the source data's
  // CopyNodeData. Null when any step fails.
  std::unique_ptr<scn::SceneNode> Clone(const scn::SceneNode& source);

 private:
  std::unique_ptr<scn::SceneNode> CloneShell(const scn::SceneNode& source);
  bool CloneList(const NodeList& from, NodeList& to);

  Host& host_;
  SceneService& scene_;
};

}  // namespace host
