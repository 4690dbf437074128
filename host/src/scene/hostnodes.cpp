#include "scene/hostnodes.h"

#include <unordered_map>

#include "animation/nodegraph.h"
#include "animation/posemorph.h"
#include "scene/nodefactory.h"
#include "scene/scenenode.h"
#include "scene/sceneservice.h"

namespace host {
namespace {

using PortMap = std::unordered_map<scn::Int64, scn::GraphPort*>;  // source port id -> the copy's port

void CopyPorts(const std::vector<std::unique_ptr<scn::GraphPort>>& from,
               std::vector<std::unique_ptr<scn::GraphPort>>& to, scn::SceneNode& copy, PortMap& map) {
  to.clear();
  for (const auto& p : from) {
    to.push_back(std::make_unique<scn::GraphPort>(copy, p->input, p->paramId, p->subId, p->parameter));
    map[p->id] = to.back().get();
  }
}

void CopyGraphNode(const scn::SceneNode& source, scn::SceneNode& copy, PortMap& map) {
  copy.graph->x = source.graph->x;
  copy.graph->y = source.graph->y;
  copy.graph->linkId = source.graph->linkId;
  CopyPorts(source.graph->inputs, copy.graph->inputs, copy, map);
  CopyPorts(source.graph->outputs, copy.graph->outputs, copy, map);
}

// Connections between copied ports are made again between their copies; others are dropped.
void Reconnect(const PortMap& map) {
  for (const auto& [sourceId, copy] : map) {
    if (!copy->input) continue;
    scn::GraphPort* original = copy->node.service.animation().ports.Find(sourceId);
    scn::GraphPort* from = original ? SourceOf(*original) : nullptr;
    auto it = from ? map.find(from->id) : map.end();
    if (it != map.end()) copy->sourceId = it->second->id;
  }
}

bool CopyGraph(const scn::SceneNode& source, scn::SceneNode& copy, NodeFactory& factory) {
  PortMap map;
  const NodeList& nodes = source.master->nodes;
  for (scn::SceneNode* n = nodes.First(); n; n = nodes.After(*n)) {
    auto node = factory.Make(NodeKind::GraphNode, n->type);
    if (!node) return false;
    node->name = n->name;
    node->data = n->data;
    node->tracks.Restore(n->tracks.Snapshot());
    CopyGraphNode(*n, *node, map);
    copy.master->nodes.Append(std::move(node));
  }
  Reconnect(map);
  return true;
}

}  // namespace

void InitHostNode(scn::SceneNode& node) {
  switch (node.type) {
    case scn::kTypeSound:
      node.data.SetFilename(scn::kSoundFile, scn::Filename());
      node.data.SetInt32(scn::kSoundStartFrame, 0);
      break;
    case scn::kTagNodeGraph:
      node.master = std::make_unique<scn::NodeMaster>(node);
      break;
    case scn::kTagPoseMorph:
      node.poses = std::make_unique<PoseSet>();
      break;
    default:
      InitGraphNode(node);
      break;
  }
}

bool CopyHostState(const scn::SceneNode& source, scn::SceneNode& copy, NodeFactory& factory) {
  copy.tracks.Restore(source.tracks.Snapshot());
  if (source.poses && copy.poses) *copy.poses = *source.poses;
  if (source.graph && copy.graph) {
    PortMap unconnected;
    CopyGraphNode(source, copy, unconnected);
  }
  if (source.master && copy.master) return CopyGraph(source, copy, factory);
  return true;
}

}  // namespace host
