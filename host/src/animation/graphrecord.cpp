#include "animation/graphrecord.h"

#include <map>
#include <memory>
#include <vector>

#include "animation/nodegraph.h"
#include "animation/trackrecord.h"
#include "scene/links.h"
#include "scene/nodefactory.h"
#include "scene/parameterrecord.h"
#include "scene/scenenode.h"
#include "scn/tables_animation.h"

namespace host {
namespace {

using Ports = std::vector<std::unique_ptr<scn::GraphPort>>;

bool WriteNode(const scn::RecordTable& r, scn::RecordFile* rf, const scn::SceneNode& node,
               const std::map<scn::Int64, scn::Int32>& outputNumbers) {
  const GraphNodeState& g = *node.graph;
  if (!r.WriteInt32(rf, node.type) || !r.WriteString(rf, node.name) || !r.WriteFloat64(rf, g.x) ||
      !r.WriteFloat64(rf, g.y) || !WriteRecordInt64(r, rf, g.linkId) || !WriteParameters(r, rf, node.data) ||
      !WriteTracks(r, rf, node.tracks) || !r.WriteInt32(rf, static_cast<scn::Int32>(g.inputs.size())))
    return false;
  for (const auto& input : g.inputs) {
    const scn::GraphPort* source = SourceOf(*input);
    const scn::Int32 number = source ? outputNumbers.at(source->id) : -1;
    if (!r.WriteInt32(rf, input->paramId) || !r.WriteInt32(rf, input->subId) || !r.WriteInt32(rf, number))
      return false;
  }
  if (!r.WriteInt32(rf, static_cast<scn::Int32>(g.outputs.size()))) return false;
  for (const auto& output : g.outputs)
    if (!r.WriteInt32(rf, output->paramId) || !r.WriteInt32(rf, output->subId)) return false;
  return true;
}

struct PendingInput {
  scn::GraphPort* port;
  scn::Int32 source;
};

bool ReadPorts(const scn::RecordTable& r, scn::RecordFile* rf, scn::SceneNode& node, bool input,
               std::vector<PendingInput>* pending, std::vector<scn::GraphPort*>* outputs) {
  scn::Int32 count = 0;
  if (!r.ReadInt32(rf, &count) || count < 0) return false;
  const bool parameters = node.type == scn::kGraphNodeObject;
  if (!parameters && count != 1) return false;
  Ports& ports = input ? node.graph->inputs : node.graph->outputs;
  ports.clear();
  for (scn::Int32 i = 0; i < count; ++i) {
    scn::Int32 id = 0, subId = 0, source = -1;
    if (!r.ReadInt32(rf, &id) || !r.ReadInt32(rf, &subId)) return false;
    if (input && !r.ReadInt32(rf, &source)) return false;
    ports.push_back(std::make_unique<scn::GraphPort>(node, input, id, subId, parameters));
    if (input)
      pending->push_back({ports.back().get(), source});
    else
      outputs->push_back(ports.back().get());
  }
  return true;
}

std::unique_ptr<scn::SceneNode> ReadNode(const scn::RecordTable& r, scn::RecordFile* rf, NodeFactory& factory,
                                         std::vector<PendingInput>* pending,
                                         std::vector<scn::GraphPort*>* outputs) {
  scn::Int32 type = 0;
  if (!r.ReadInt32(rf, &type) || !IsGraphNodeType(type)) return nullptr;
  auto node = factory.Make(NodeKind::GraphNode, type);
  if (!node) return nullptr;
  GraphNodeState& g = *node->graph;
  std::vector<TrackData> tracks;
  if (!r.ReadString(rf, &node->name) || !r.ReadFloat64(rf, &g.x) || !r.ReadFloat64(rf, &g.y) ||
      !ReadRecordInt64(r, rf, &g.linkId) || !ReadParameters(r, rf, &node->data) ||
      !ReadTracks(r, rf, &tracks) || !node->tracks.Restore(tracks))
    return nullptr;
  if (!ReadPorts(r, rf, *node, true, pending, outputs) || !ReadPorts(r, rf, *node, false, pending, outputs))
    return nullptr;
  return node;
}

}  // namespace

bool WriteGraph(const scn::RecordTable& r, scn::RecordFile* rf, const scn::NodeMaster& master) {
  std::map<scn::Int64, scn::Int32> outputNumbers;
  scn::Int32 nodeCount = 0;
  for (scn::SceneNode* n = master.nodes.First(); n; n = master.nodes.After(*n)) {
    ++nodeCount;
    for (const auto& output : n->graph->outputs) {
      const auto number = static_cast<scn::Int32>(outputNumbers.size());
      outputNumbers[output->id] = number;
    }
  }
  if (!r.WriteInt32(rf, nodeCount)) return false;
  for (scn::SceneNode* n = master.nodes.First(); n; n = master.nodes.After(*n))
    if (!WriteNode(r, rf, *n, outputNumbers)) return false;
  return true;
}

bool ReadGraph(const scn::RecordTable& r, scn::RecordFile* rf, NodeFactory& factory,
               scn::NodeMaster* master) {
  scn::Int32 count = 0;
  if (!r.ReadInt32(rf, &count) || count < 0) return false;
  std::vector<PendingInput> pending;
  std::vector<scn::GraphPort*> outputs;
  for (scn::Int32 i = 0; i < count; ++i) {
    auto node = ReadNode(r, rf, factory, &pending, &outputs);
    if (!node) return false;
    master->nodes.Append(std::move(node));
  }
  for (const PendingInput& in : pending) {
    if (in.source == -1) continue;
    if (in.source < 0 || static_cast<std::size_t>(in.source) >= outputs.size()) return false;
    in.port->sourceId = outputs[static_cast<std::size_t>(in.source)]->id;
  }
  return !HasCycle(*master);
}

}  // namespace host
