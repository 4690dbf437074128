// Host nodes: objects, tags, shaders, materials and preference pages.
#pragma once

#include <atomic>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "animation/tracklist.h"
#include "scene/nodelist.h"
#include "scene/nodetypes.h"
#include "scn/container.h"
#include "scn/nodedata.h"
#include "scn/tables_scene.h"

namespace host {
class SceneService;
struct GraphNodeState;
struct PoseSet;
}  // namespace host

namespace scn {
struct NodeMaster;
}

namespace scn {

struct SceneNode {
  // Takes a fresh process-wide id and enters the service's index of live nodes.
  SceneNode(host::SceneService& service, host::NodeKind kind, Int32 type);
  // Release(), then the node leaves the index.
  ~SceneNode();
  SceneNode(const SceneNode&) = delete;
  SceneNode& operator=(const SceneNode&) = delete;

  // Frees tags, children, shaders, graph nodes and tracks, then the plug-in data (ReleaseNodeData, its
  // destructor, the host's free). The node stays where it is inserted meanwhile, so the plug-in's release
  // still finds its parent and document. Runs once.
  void Release();

  // The object or material whose list holds this node; null at a document's top or when not inserted.
  SceneNode* Parent() const { return list ? list->Owner() : nullptr; }
  // The document holding this node or one of its parents; null when the node is in none.
  Document* Doc() const;
  bool IsPolygonObject() const { return type == kTypePolygonObject; }

  host::SceneService& service;
  const Int64 id;  // unique in the process; links refer to it
  const host::NodeKind kind;
  const Int32 type;  // plug-in id or host type
  std::string name;
  Container data;                // parameter values
  NodeData* nodeData = nullptr;  // the plug-in's data, owned by the node

  Matrix matrix;                  // objects: local matrix
  std::vector<Vector> points;     // polygon objects
  std::vector<Polygon> polygons;  // polygon objects
  std::vector<UVWPolygon> uvw;    // UVW tags: one entry per polygon
  host::NodeList children{this};  // objects: the objects below
  host::NodeList tags{this};      // objects
  host::NodeList shaders{this};   // materials
  host::TrackList tracks{*this};
  std::unique_ptr<NodeMaster> master;           // node-graph tags
  std::unique_ptr<host::GraphNodeState> graph;  // graph nodes: position, link, ports
  std::unique_ptr<host::PoseSet> poses;         // pose morph tags

  // Where the node is inserted: the list that owns it and its place there; null while the caller owns it.
  host::NodeList* list = nullptr;
  host::NodeList::Position position{};
  bool freeing = false;  // the destructor is running

  // What the host saw, for tests.
  std::map<Int32, int> messages;  // node messages by type
  std::atomic<int> dirtyCount{0};
  std::atomic<UInt32> lastDirtyMask{0};
  int materialUpdates = 0;
};

}  // namespace scn
